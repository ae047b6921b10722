#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include <unistd.h>

#include "core/alerts/AlertRulesJson.h"
#include "core/cities/CityFile.h"

namespace tremolux {

namespace {

bool IsExecutable(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

bool FindProgram(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return IsExecutable(program);
    const char* path = std::getenv("PATH");
    std::istringstream directories(path != nullptr ? path : "");
    std::string directory;
    while (std::getline(directories, directory, ':')) {
        if (!directory.empty() && IsExecutable(std::filesystem::path(directory) / program))
            return true;
    }
    return false;
}

}  // namespace

RuleLookups FileRuleLookups(const std::string& cityFile)
{
    // A city list that cannot be read names no city: a rule near one is refused.
    Result<CityFileContent> file = ReadCityFile(cityFile);
    auto cities = std::make_shared<std::vector<CityEntry>>(file ? std::move(file->entries)
                                                                : std::vector<CityEntry>());
    return {[cities](const std::string& name) -> std::optional<CityPosition> {
                for (const CityEntry& entry : *cities) {
                    if (entry.name == name)
                        return entry.position;
                }
                return std::nullopt;
            },
            FindProgram};
}

}  // namespace tremolux
