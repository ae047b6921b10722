#include <iostream>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/NumberText.h"
#include "cli/Usage.h"
#include "core/cities/CityFile.h"

namespace tremolux {

int RunCities(const CliOptions& options)
{
    const std::string path = options.positional.empty() ? CityFilePath() : options.positional[0];
    const Result<CityFileContent> file = ReadCityFile(path);
    if (!file)
        return UsageError("cannot open the city list " + (path.empty() ? "(none)" : path));
    for (const CityEntry& city : file->entries)
        std::cout << city.name << '\t' << FormatNumber(city.position.latDecimal) << '\t'
                  << FormatNumber(city.position.lonDecimal) << '\n';
    for (const SkippedCityLine& line : file->skipped)
        std::cerr << "line " << line.line << ": " << line.reason << '\n';
    return kExitSuccess;
}

}  // namespace tremolux
