#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/CliClock.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/FeedInput.h"
#include "cli/NumberText.h"
#include "core/common/Clock.h"
#include "core/events/CompareLoad.h"
#include "core/events/EventIdentity.h"
#include "core/feed/QuakeList.h"
#include "gui/store/SqlEventStore.h"

namespace tremolux {

namespace {

// The name the store knows the feed by: a file by its whole path, so that
// runs from other folders compare with the same loads.
std::string FeedName(const std::string& source)
{
    if (source.find("://") != std::string::npos)
        return source;
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(source, error);
    return error ? source : path.lexically_normal().string();
}

const char* KindName(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::New:
        return "new";
    case ChangeKind::Revised:
        return "revised";
    case ChangeKind::Retracted:
        break;
    }
    return "retracted";
}

}  // namespace

int RunUpdate(const CliOptions& options)
{
    try {
        SqlEventStore store(QString::fromStdString(*options.db));
        QuakeList quakes;
        if (!LoadQuakes(options.feed, quakes))
            return kExitFeedFailed;
        const std::unique_ptr<Clock> clock = MakeClock(options.now);
        for (const EventChange& change : CompareLoad(store, FeedName(options.feed), quakes, clock->Now())) {
            const QuakeRecord& q = change.event;
            std::cout << KindName(change.kind) << '\t' << EventKey(q) << '\t'
                      << FormatNumber(q.magnitude) << '\t' << FormatTime(q.time) << '\t'
                      << FormatNumber(q.latitude) << '\t' << FormatNumber(q.longitude) << '\t'
                      << q.region;
            if (change.kind == ChangeKind::Revised)
                std::cout << '\t' << change.what;
            std::cout << '\n';
        }
    } catch (const StoreError& error) {
        std::cerr << "tremolux-cli: history: " << error.what() << '\n';
        return kExitFeedFailed;
    }
    return kExitSuccess;
}

}  // namespace tremolux
