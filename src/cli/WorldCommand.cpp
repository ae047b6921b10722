#include <filesystem>
#include <iostream>
#include <memory>
#include <system_error>

#include "cli/CityLookup.h"
#include "cli/CliClock.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/FeedInput.h"
#include "cli/NumberText.h"
#include "cli/PictureOutput.h"
#include "cli/Usage.h"
#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/world/DrawWorld.h"
#include "core/world/LandFile.h"
#include "core/world/WorldView.h"

namespace tremolux {

namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
constexpr const char* kLandFileName = "land-50m.bin";

// The installed land beside the program, else the source tree's.
std::string LandFilePath()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed =
            exe.parent_path() / ".." / "share" / "tremolux" / kLandFileName;
        if (std::filesystem::is_regular_file(installed, error))
            return installed.lexically_normal().string();
    }
    return std::string(TREMOLUX_SOURCE_DATA) + "/" + kLandFileName;
}

}  // namespace

int RunWorld(const CliOptions& options)
{
    if (options.hours && *options.hours < 0.0)
        return UsageError("--hours: must not be negative, got " + FormatNumber(*options.hours));
    DisplaySettings settings;
    settings.hours = options.hours.value_or(settings.hours);
    std::string error;
    const std::optional<CityEntry> city = ReferenceCity(options, error);
    if (!city)
        return UsageError(error);
    const int width = options.width > 0 ? options.width : kDefaultWidth;
    const int height = options.height > 0 ? options.height : kDefaultHeight;

    const Result<Land> land = ReadLandFile(LandFilePath());
    if (!land) {
        std::cerr << "tremolux-cli: " << land.error() << '\n';
        return kExitFeedFailed;
    }
    QuakeList quakes;
    if (!LoadQuakes(options.feed, quakes))
        return kExitFeedFailed;
    const std::unique_ptr<Clock> clock = MakeClock(options.now);
    const WorldProjection projection = ViewProjection(city->position, width, height, WorldView{});
    const PaintPicture paint = [&](Canvas& canvas) {
        DrawWorld(canvas, width, height, projection, *land, settings, quakes, *clock);
    };
    const bool written =
        options.out ? WritePicture(*options.out, width, height, paint) : WriteTrace(paint);
    return written ? kExitSuccess : kExitFeedFailed;
}

}  // namespace tremolux
