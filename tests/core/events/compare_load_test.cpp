#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/events/CompareLoad.h"
#include "core/events/EventIdentity.h"
#include "core/events/MemoryEventStore.h"
#include "core/events/NewEvents.h"
#include "core/feed/QuakeList.h"
#include "support/GeoJsonFeature.h"
#include "support/HeldPage.h"
#include "support/QuakeBuilders.h"

namespace tremolux {
namespace {

constexpr long long kNowMs = 1765083600000;  // 2025-12-07 05:00:00
const OleDate kNow = OleDateFromCalendar(2025, 12, 7, 5, 0, 0);

std::string Feature(const std::string& id, double magnitude, int minutesAgo, double latitude = 35.0,
                    const std::string& more = {})
{
    return test::GeoJsonEvent(id, magnitude, kNowMs - minutesAgo * 60000LL, latitude, more);
}

// The collection, or when cut off the text broken off within its last feature.
std::string Feed(const std::vector<std::string>& features, bool cutOff = false)
{
    const std::string json = test::FeatureCollection(features);
    return cutOff ? json.substr(0, json.size() - 12) : json;
}

// The load's changes as "kind id what", or "failed" when the page was no good
// load and so was not compared.
std::vector<std::string> Load(EventStore& store, const std::string& json)
{
    const test::HeldPage page(json);
    QuakeList quakes;
    if (!quakes.ParsePage(page, [](const std::string&) {}))
        return {"failed"};
    std::vector<std::string> lines;
    for (const EventChange& change : CompareLoad(store, "feed", quakes, kNow)) {
        const char* kind[] = {"new", "revised", "retracted"};
        std::string line =
            kind[static_cast<int>(change.kind)] + std::string(" ") + EventKey(change.event);
        lines.push_back(change.what.empty() ? line : line + " " + change.what);
    }
    return lines;
}

using Lines = std::vector<std::string>;

struct Case {
    const char* name;
    std::vector<std::string> loads;  // the feeds loaded one after the other
    Lines last;                      // the changes of the last load
};

TEST(CompareLoad, NewRevisedAndRetractedByTheOneIdentity)
{
    const std::string a = Feature("us1", 5.8, 30), b = Feature("us2", 4.0, 60),
                      c = Feature("us3", 3.0, 90);
    const Case cases[] = {
        {"the first load: every event is new", {Feed({a, b})}, {"new us1", "new us2"}},
        {"the same feed again: nothing", {Feed({a, b}), Feed({a, b})}, {}},
        {"posted late, older than the newest row, yet new",
         {Feed({a, c}), Feed({a, b, c})},
         {"new us2"}},
        {"a magnitude revised",
         {Feed({a}), Feed({Feature("us1", 6.4, 30)})},
         {"revised us1 magnitude 5.8 -> 6.4"}},
        {"a change below the first decimal is none",
         {Feed({a}), Feed({Feature("us1", 5.81, 30)})},
         {}},
        {"status and position",
         {Feed({a}), Feed({Feature("us1", 5.8, 30, 35.1, R"("status":"reviewed",)")})},
         {"revised us1 position moved 11 km, status unknown -> reviewed"}},
        {"the preferred id changed, the old one among the ids",
         {Feed({Feature("ci7", 5.8, 30)}),
          Feed({Feature("us7", 5.8, 30, 35.0, R"("ids":",us7,ci7,",)")})},
         {"revised us7 id ci7 -> us7"}},
        {"marked deleted",
         {Feed({a, b}), Feed({Feature("us1", 5.8, 30, 35.0, R"("status":"deleted",)"), b})},
         {"retracted us1"}},
        {"missing though the load reaches back past it",
         {Feed({a, b, c}), Feed({a, c})},
         {"retracted us2"}},
        {"aged out of the feed's window: not retracted", {Feed({a, b, c}), Feed({a, b})}, {}},
        {"a failed load between two good ones changes nothing",
         {Feed({a, b}), Feed({a}, true), Feed({a, b})},
         {}},
        {"one event per id within a load",
         {Feed({a, Feature("us1", 7.0, 30), b})},
         {"new us1", "new us2"}},
        {"back in the feed after a retraction",
         {Feed({a, b, c}), Feed({a, c}), Feed({a, b, c})},
         {"revised us2 back in the feed"}},
    };
    for (const Case& test : cases) {
        MemoryEventStore store;
        Lines last;
        for (const std::string& json : test.loads)
            last = Load(store, json);
        EXPECT_EQ(last, test.last) << test.name;
    }
}

// The list's bold rows and the world map's rings: what the latest good load
// brought by the one identity, so a revision is not news and a failure is no baseline.
TEST(NewEvents, MarksWhatTheLatestGoodLoadBrought)
{
    auto list = [](const std::vector<std::string>& features) {
        const test::HeldPage page(Feed(features));
        QuakeList quakes;
        quakes.ParsePage(page, [](const std::string&) {});
        return quakes;
    };
    auto marks = [](const NewEvents& events, int count) {
        std::vector<bool> result;
        for (int i = 0; i < count; ++i)
            result.push_back(events.IsNew(i));
        return result;
    };
    const std::string a = Feature("us1", 5.8, 30), b = Feature("us2", 4.0, 60);
    NewEvents events;
    events.Update(list({b}));
    EXPECT_EQ(events.Count(), 0) << "the first load";
    events.Update(list({Feature("us1", 6.4, 30, 35.0, R"("ids":",us1,",)"),
                        Feature("ci2", 4.1, 60, 35.0, R"("ids":",ci2,us2,",)")}));
    EXPECT_EQ(marks(events, 2), (std::vector<bool>{true, false}));
    events.Update(QuakeList{});
    events.Update(list({a, b}));
    EXPECT_EQ(marks(events, 2), (std::vector<bool>{false, false})) << "after a failed load";
    events.Forget();
    events.Update(list({Feature("us9", 3.0, 1)}));
    EXPECT_EQ(events.Count(), 0) << "another feed";
}

// The key is stored in the history: it must read as it always has, for every
// origin and place, rounding and signs included.
TEST(EventIdentity, TheOriginKeyKeepsItsStoredForm)
{
    const struct {
        OleDate time;
        double latitude, longitude;
    } origins[] = {
        {kNow, 35.12345, 139.0},
        {kNow, -0.0004, -179.9995},
        {kNow, 0.0005, 0.0015},
        {OleDateFromCalendar(100, 1, 1, 0, 0, 0), 90.0, -180.0},
        {OleDateFromCalendar(9999, 12, 31, 23, 59, 59), -89.99949, 179.99951},
        {OleDate{0.0, false}, 1.0, 2.0},
        {kNow, 1e300, -1e300},
    };
    for (const auto& origin : origins) {
        QuakeRecord quake = test::QuakeBefore(kNow, 1.0, 5.0, origin.latitude, origin.longitude);
        quake.time = origin.time;
        char text[96];
        CalendarTime t;
        int length = OleDateToCalendar(quake.time, t)
                         ? std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d",
                                         t.year, t.month, t.day, t.hour, t.minute, t.second)
                         : std::snprintf(text, sizeof text, "invalid");
        std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length),
                      "/%.3f/%.3f", quake.latitude, quake.longitude);
        EXPECT_EQ(EventKey(quake), text);
    }
}

// The classic page has no ids: its key is the origin to the second and the
// place to 0.001 degree, so a revised magnitude keeps the event.
TEST(EventIdentity, WithoutIdsTheOriginAndPlaceNameTheEvent)
{
    QuakeRecord quake = test::QuakeBefore(kNow, 1.0, 5.0, 35.12345, 139.0);
    EXPECT_EQ(EventKey(quake), "2025-12-07T04:00:00/35.123/139.000");
    QuakeRecord revised = quake;
    revised.magnitude = 5.5;
    revised.time.value += 0.2 / 86400.0;
    EXPECT_TRUE(SameEvent(quake, revised));
    revised.latitude += 0.01;
    EXPECT_FALSE(SameEvent(quake, revised));
    EXPECT_EQ(FindEvent(test::ListOf({revised, quake}), quake), 1);
}

}  // namespace
}  // namespace tremolux
