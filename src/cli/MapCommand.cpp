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
#include "core/view/DrawQuakes.h"

namespace tremolux {

namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;

// The map window's settings with the command line's changes; false after a
// usage error.
bool MapSettings(const CliOptions& options, DisplaySettings& settings, std::string& error)
{
    const std::pair<const char*, const std::optional<double>&> numbers[] = {
        {"--hours", options.hours}, {"--nearest", options.nearestKm}, {"--pie", options.pieKm}};
    for (const auto& [name, value] : numbers) {
        if (value && *value < 0.0) {
            error = std::string(name) + ": must not be negative, got " + FormatNumber(*value);
            return false;
        }
    }
    settings.drawTexts = options.noTexts ? 0 : 1;
    settings.hours = options.hours.value_or(settings.hours);
    if (options.nearestKm)
        settings.nearestRadius = *options.nearestKm * 1000.0;
    if (options.pieKm)
        settings.pieRadius = *options.pieKm * 1000.0;
    return true;
}

}  // namespace

int RunMap(const CliOptions& options)
{
    std::string error;
    DisplaySettings settings;
    if (!MapSettings(options, settings, error))
        return UsageError(error);
    const std::optional<CityEntry> city = ReferenceCity(options, error);
    if (!city)
        return UsageError(error);
    const int width = options.width > 0 ? options.width : kDefaultWidth;
    const int height = options.height > 0 ? options.height : kDefaultHeight;

    QuakeList quakes;
    if (!LoadQuakes(options.feed, quakes))
        return kExitFeedFailed;
    const std::unique_ptr<Clock> clock = MakeClock(options.now);
    const PaintPicture paint = [&](Canvas& canvas) {
        DrawQuakes(canvas, width, height, settings, city->position, quakes, *clock);
    };
    const bool written =
        options.out ? WritePicture(*options.out, width, height, paint) : WriteTrace(paint);
    return written ? kExitSuccess : kExitFeedFailed;
}

}  // namespace tremolux
