#include "cli/CityLookup.h"

#include <QString>

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
    const Result<CityFileContent> file = ReadCityFile(path);
    if (!file) {
        error = "cannot open the city list " + path;
        return std::nullopt;
    }
    // Letter case ignored, as the Cities dialog's search does; a name that
    // matches exactly wins over one that differs only in case.
    const QString wanted = QString::fromStdString(*options.city);
    const CityEntry* found = nullptr;
    for (const CityEntry& entry : file->entries) {
        if (entry.name == *options.city)
            return entry;
        if (found == nullptr
            && QString::compare(QString::fromStdString(entry.name), wanted, Qt::CaseInsensitive)
                   == 0)
            found = &entry;
    }
    if (found != nullptr)
        return *found;
    error = "--city: no city named \"" + *options.city + "\" in " + path;
    return std::nullopt;
}

}  // namespace tremolux
