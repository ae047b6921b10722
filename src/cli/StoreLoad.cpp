#include "cli/StoreLoad.h"

#include <iostream>
#include <memory>

#include "cli/CliClock.h"
#include "cli/ExitStatus.h"
#include "cli/FeedInput.h"
#include "core/common/Clock.h"
#include "core/events/CompareLoad.h"
#include "core/feed/FeedChoice.h"
#include "core/feed/SourceMerge.h"
#include "gui/store/SqlEventStore.h"

namespace tremolux {

namespace {

// The feeds' quakes; false when one of them cannot be read (the reason is printed).
bool LoadFeeds(const std::vector<std::string>& feeds, QuakeList& quakes)
{
    if (feeds.size() == 1)
        return LoadQuakes(feeds.front(), quakes);
    std::vector<QuakeList> lists(feeds.size());
    std::vector<SourceQuakes> sources;
    for (std::size_t i = 0; i < feeds.size(); ++i) {
        if (!LoadQuakes(feeds[i], lists[i]))
            return false;
        sources.push_back({SourceName(feeds[i]), &lists[i]});
    }
    quakes = std::move(MergeSources(sources).quakes);
    return true;
}

// The store knows a merged load by all its feeds, in order: an event is
// missing from it only when it is missing from that same merge.
std::string StoreFeedName(const std::vector<std::string>& feeds)
{
    std::string name;
    for (const std::string& feed : feeds)
        name += (name.empty() ? "" : "\n") + FeedName(feed);
    return name;
}

}  // namespace

int LoadIntoStore(const CliOptions& options, StoreLoad& load)
{
    const std::vector<std::string> feeds =
        options.feeds.empty() ? std::vector<std::string>{options.feed} : options.feeds;
    try {
        SqlEventStore store(QString::fromStdString(*options.db));
        if (!LoadFeeds(feeds, load.quakes))
            return kExitFeedFailed;
        load.now = MakeClock(options.now)->Now();
        load.changes = CompareLoad(store, StoreFeedName(feeds), load.quakes, load.now);
    } catch (const StoreError& error) {
        std::cerr << "tremolux-cli: history: " << error.what() << '\n';
        return kExitFeedFailed;
    }
    return kExitSuccess;
}

}  // namespace tremolux
