#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/Usage.h"
#include "core/cities/CityFile.h"

using namespace tremolux;

namespace {

// The installed city list beside the program, else the source tree's.
std::string FindDefaultCityFile()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed =
            exe.parent_path() / ".." / "share" / "tremolux" / "CITIES.TXT";
        if (std::filesystem::is_regular_file(installed, error))
            return installed.lexically_normal().string();
    }
    return std::string(TREMOLUX_SOURCE_DATA) + "/CITIES.TXT";
}

int Dispatch(const CliOptions& options)
{
    if (options.command == "quakes")
        return RunQuakes(options);
    if (options.command == "index")
        return RunIndex(options);
    if (options.command == "map")
        return RunMap(options);
    if (options.command == "world")
        return RunWorld(options);
    if (options.command == "update")
        return RunUpdate(options);
    if (options.command == "history")
        return RunHistory(options);
    if (options.command == "cities")
        return RunCities(options);
    return RunDistance(options);
}

}  // namespace

int main(int argc, char** argv)
{
    RecordStartupDirectory();
    DefaultCityFile = FindDefaultCityFile();

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const std::optional<CliOptions> options = ParseCliOptions(arguments, error);
    if (!options)
        return UsageError(error);
    if (options->help) {
        std::cout << UsageText();
        return kExitSuccess;
    }
    if (options->version) {
        std::cout << "tremolux-cli " TREMOLUX_VERSION "\n";
        return kExitSuccess;
    }
    return Dispatch(*options);
}
