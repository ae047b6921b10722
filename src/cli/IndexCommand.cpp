#include <algorithm>
#include <iostream>
#include <vector>

#include "cli/CityLookup.h"
#include "cli/CliClock.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/FeedInput.h"
#include "cli/Usage.h"
#include "core/cities/CityFile.h"
#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"

namespace tremolux {

namespace {

// Every city of the file, highest index first; equal indices keep file order.
void PrintRanking(const QuakeList& quakes, const Clock& clock, const std::vector<CityEntry>& cities)
{
    struct Ranked {
        int index;
        const CityEntry* city;
    };
    std::vector<Ranked> ranking;
    ranking.reserve(cities.size());
    for (const CityEntry& city : cities)
        ranking.push_back({quakes.GetActivityIndex(city.position, clock), &city});
    std::stable_sort(ranking.begin(), ranking.end(),
                     [](const Ranked& a, const Ranked& b) { return a.index > b.index; });
    for (const Ranked& r : ranking)
        std::cout << r.index << '\t' << r.city->name << '\n';
}

}  // namespace

int RunIndex(const CliOptions& options)
{
    const std::unique_ptr<Clock> clock = MakeClock(options.now);
    if (options.cities && !options.city) {
        const Result<CityFileContent> file = ReadCityFile(*options.cities);
        if (!file)
            return UsageError("--cities: cannot open " + *options.cities);
        QuakeList quakes;
        if (!LoadQuakes(options.feed, quakes))
            return kExitFeedFailed;
        PrintRanking(quakes, *clock, file->entries);
        return kExitSuccess;
    }
    std::string error;
    const std::optional<CityEntry> city = ReferenceCity(options, error);
    if (!city)
        return UsageError(error);
    QuakeList quakes;
    if (!LoadQuakes(options.feed, quakes))
        return kExitFeedFailed;
    std::cout << quakes.GetActivityIndex(city->position, *clock) << '\n';
    return kExitSuccess;
}

}  // namespace tremolux
