#include "cli/CityLookup.h"

#include "cli/NumberText.h"
#include "core/cities/CityFile.h"

namespace tremolux {

std::optional<CityEntry> ReferenceCity(const CliOptions& options, std::string& error)
{
    if (options.at) {
        CityEntry entry;
        entry.name = FormatNumber(options.at->latitude) + "," + FormatNumber(options.at->longitude);
        entry.position.latDecimal = options.at->latitude;
        entry.position.lonDecimal = options.at->longitude;
        return entry;
    }
    const std::string path = options.cities.value_or(CityFilePath());
    const CityFileResult file = ReadCityFile(path);
    if (!file.opened) {
        error = "cannot open the city list " + path;
        return std::nullopt;
    }
    for (const CityEntry& entry : file.entries) {
        if (entry.name == *options.city)
            return entry;
    }
    error = "--city: no city named \"" + *options.city + "\" in " + path;
    return std::nullopt;
}

}  // namespace tremolux
