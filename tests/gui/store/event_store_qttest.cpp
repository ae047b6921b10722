#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/events/CompareLoad.h"
#include "gui/store/EventHistory.h"
#include "gui/store/SqlEventStore.h"
#include "support/QuakeBuilders.h"
#include "support/Wait.h"

namespace tremolux {
namespace {

const OleDate kNow = OleDateFromCalendar(2025, 12, 7, 5, 0, 0);

QuakeRecord Event(const std::string& id, double magnitude, double hoursOld)
{
    QuakeRecord quake = test::QuakeBefore(kNow, hoursOld, magnitude, 35.0, 139.0);
    quake.eventId = id;
    quake.ids = "," + id + ",";
    return quake;
}

// The load's changes as "kind id".
std::vector<std::string> Load(EventStore& store, const std::vector<QuakeRecord>& quakes,
                              OleDate at = kNow)
{
    std::vector<std::string> lines;
    for (const EventChange& change : CompareLoad(store, "feed", test::ListOf(quakes), at))
        lines.push_back(ChangeKindName(change.kind) + (" " + change.event.eventId));
    return lines;
}

using Lines = std::vector<std::string>;

// How many events the history found the load changed, once it came back.
std::size_t Taken(EventHistory& history, const QuakeList& quakes)
{
    std::optional<std::size_t> changes;
    history.TakeLoad("feed", std::make_shared<const QuakeList>(quakes), kNow,
                     [&](EventHistory::LoadOutcome outcome) { changes = outcome.changes.size(); });
    EXPECT_TRUE(test::WaitUntil([&] { return changes.has_value(); }));
    return changes.value_or(0);
}

QuakeList ManyEvents(int count, const std::string& prefix)
{
    QuakeList quakes;
    for (int i = 0; i < count; ++i)
        quakes.Append(Event(prefix + std::to_string(i), 4.0 + i % 30 / 10.0, i * 0.01));
    return quakes;
}

// Each connection remembers what it last loaded; another's commit in between
// must not go unseen, or a revision (or a retraction) would be lost or told twice.
TEST(SqlEventStore, AnotherWritersLoadsAreSeen)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    SqlEventStore first(path);
    SqlEventStore second(path);
    const QuakeRecord a = Event("us1", 5.8, 1.0);
    const QuakeRecord b = Event("us2", 4.0, 2.0);
    const QuakeRecord c = Event("us3", 4.5, 3.0);

    EXPECT_EQ(Load(first, {a, b, c}), (Lines{"new us1", "new us2", "new us3"}));
    EXPECT_EQ(Load(first, {a, b, c}), Lines{});
    EXPECT_EQ(Load(second, {Event("us1", 6.4, 1.0), c}), (Lines{"revised us1", "retracted us2"}));
    EXPECT_EQ(Load(first, {a, b, c}), (Lines{"revised us1", "revised us2"}));
    EXPECT_EQ(Load(first, {a, c}), Lines{"retracted us2"});
    EXPECT_EQ(Load(first, {a, c}), Lines{});

    EXPECT_EQ(first.LastLoad("feed").value, kNow.value);
    EXPECT_FALSE(second.LastLoad("another feed").valid);
}

// Old quakes go after a good load, except those the feed still lists: forgotten,
// they would come back as new.
TEST(EventHistory, PurgesWhatIsOlderThanTheLimitAndNoLongerListed)
{
    QTemporaryDir dir;
    EventHistory history;
    ASSERT_TRUE(history.Open(dir.filePath("history.sqlite")));
    history.SetLimitDays(30);
    const QuakeRecord recent = Event("us1", 5.0, 24.0);
    const QuakeRecord old = Event("us2", 6.0, 24.0 * 40);
    const QuakeList both = test::ListOf({recent, old});
    EXPECT_EQ(Taken(history, both), 2u);
    EXPECT_EQ(Taken(history, both), 0u);
    EXPECT_EQ(history.Since(OleDate{0.0, false}).size(), 2u);

    Taken(history, test::ListOf({recent}));
    const std::vector<HistoryEntry> kept = history.Since(OleDate{0.0, false});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].event.eventId, "us1");
    EXPECT_TRUE(history.OffReason().isEmpty());
}

// A large load is compared and written while the GUI thread goes on; one
// handed over while another is under way waits, and one handed over while it
// waits replaces it, its news told with the later one's.
TEST(EventHistory, TakesLoadsAwayFromTheCallingThread)
{
    QTemporaryDir dir;
    EventHistory history;
    ASSERT_TRUE(history.Open(dir.filePath("history.sqlite")));
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ticks += history.Busy() ? 1 : 0; });
    ticker.start(1);

    std::vector<int> newEvents;  // by outcome
    const auto keep = [&](EventHistory::LoadOutcome outcome) {
        newEvents.push_back(static_cast<int>(std::count_if(
            outcome.changes.begin(), outcome.changes.end(),
            [](const EventChange& change) { return change.kind == ChangeKind::New; })));
    };
    history.TakeLoad("feed", std::make_shared<const QuakeList>(ManyEvents(20000, "a")), kNow, keep);
    EXPECT_TRUE(history.Busy());
    ASSERT_TRUE(test::WaitUntil([&] { return !history.Busy(); }, 60000));
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(newEvents, std::vector<int>{20000});

    newEvents.clear();
    history.TakeLoad("feed", std::make_shared<const QuakeList>(ManyEvents(20000, "c")), kNow, keep);
    history.TakeLoad("feed", std::make_shared<const QuakeList>(ManyEvents(10, "b")), kNow, keep);
    history.TakeLoad("feed", std::make_shared<const QuakeList>(ManyEvents(20, "b")), kNow, keep);
    ASSERT_TRUE(test::WaitUntil([&] { return !history.Busy(); }, 60000));
    // Whether the first of them was under way or superseded too, the last
    // tells the ten events of the one before as new.
    ASSERT_FALSE(newEvents.empty());
    EXPECT_EQ(newEvents.back(), 20);
    EXPECT_EQ(std::count(newEvents.begin(), newEvents.end(), 10), 0);
}

// Closing stops a write under way: nothing of it is kept, and nothing that
// was committed before it is lost.
TEST(EventHistory, ClosingStopsAWriteAndKeepsWhatWasCommitted)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    {
        EventHistory history;
        ASSERT_TRUE(history.Open(path));
        ASSERT_EQ(Taken(history, ManyEvents(3, "kept")), 3u);
        history.TakeLoad("feed", std::make_shared<const QuakeList>(ManyEvents(200000, "big")), kNow,
                         [](EventHistory::LoadOutcome) { ADD_FAILURE() << "told after closing"; });
    }
    SqlEventStore store(path);
    const std::vector<HistoryEntry> kept = store.History(OleDate{0.0, false}, OleDate{0.0, false});
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept.front().event.eventId.substr(0, 4), "kept");
}

}  // namespace
}  // namespace tremolux
