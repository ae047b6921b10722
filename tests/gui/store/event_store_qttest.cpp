#include <QTemporaryDir>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/events/CompareLoad.h"
#include "gui/store/EventHistory.h"
#include "gui/store/SqlEventStore.h"
#include "support/QuakeBuilders.h"

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
    EXPECT_EQ(history.TakeLoad("feed", both, kNow).size(), 2u);
    EXPECT_EQ(history.TakeLoad("feed", both, kNow).size(), 0u);
    EXPECT_EQ(history.Since(OleDate{0.0, false}).size(), 2u);

    history.TakeLoad("feed", test::ListOf({recent}), kNow);
    const std::vector<HistoryEntry> kept = history.Since(OleDate{0.0, false});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].event.eventId, "us1");
    EXPECT_TRUE(history.OffReason().isEmpty());
}

}  // namespace
}  // namespace tremolux
