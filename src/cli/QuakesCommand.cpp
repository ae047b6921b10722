#include <iostream>
#include <vector>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/FeedInput.h"
#include "cli/NumberText.h"
#include "core/feed/FeedChoice.h"
#include "core/feed/QuakeList.h"
#include "core/feed/SourceMerge.h"
#include "core/list/ReadingsText.h"

namespace tremolux {

namespace {

void PrintQuake(const QuakeRecord& q)
{
    std::cout << FormatNumber(q.magnitude) << '\t' << FormatTime(q.time) << '\t'
              << FormatNumber(q.latitude) << '\t' << FormatNumber(q.longitude) << '\t'
              << FormatNumber(q.depth) << '\t' << q.region;
}

// Several sources: their merged list, with what each source says of an event
// in a last column.
int PrintMerged(const std::vector<std::string>& feeds)
{
    std::vector<QuakeList> lists(feeds.size());
    std::vector<SourceQuakes> sources;
    for (std::size_t i = 0; i < feeds.size(); ++i) {
        if (!LoadQuakes(feeds[i], lists[i]))
            return kExitFeedFailed;
        sources.push_back({SourceName(feeds[i]), &lists[i]});
    }
    const MergedQuakes merged = MergeSources(sources);
    std::cout << "magnitude\ttime\tlatitude\tlongitude\tdepth\tregion\tsources\n";
    for (int i = 0; i < merged.quakes.count(); ++i) {
        PrintQuake(merged.quakes.at(i));
        std::cout << '\t' << ReadingsText(merged.readings[static_cast<std::size_t>(i)]) << '\n';
    }
    return kExitSuccess;
}

}  // namespace

int RunQuakes(const CliOptions& options)
{
    if (options.feeds.size() > 1)
        return PrintMerged(options.feeds);
    QuakeList quakes;
    if (!LoadQuakes(options.feed, quakes))
        return kExitFeedFailed;
    std::cout << "magnitude\ttime\tlatitude\tlongitude\tdepth\tregion\n";
    for (int i = 0; i < quakes.count(); ++i) {
        PrintQuake(quakes.at(i));
        std::cout << '\n';
    }
    return kExitSuccess;
}

}  // namespace tremolux
