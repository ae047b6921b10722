#include <iostream>
#include <memory>

#include "cli/CliClock.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/FeedInput.h"
#include "cli/NumberText.h"
#include "core/common/Clock.h"
#include "core/events/CompareLoad.h"
#include "core/events/EventChange.h"
#include "core/events/EventIdentity.h"
#include "core/feed/QuakeList.h"
#include "gui/store/SqlEventStore.h"

namespace tremolux {

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
            std::cout << ChangeKindName(change.kind) << '\t' << EventKey(q) << '\t'
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
