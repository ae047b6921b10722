#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/events/AwaySummary.h"
#include "support/QuakeBuilders.h"

namespace tremolux {
namespace {

const OleDate kNow = OleDateFromCalendar(2025, 12, 9, 8, 0, 0);  // a Tuesday
const CityPosition kLima = test::At(-12.05, -77.04);

EventChange Change(ChangeKind kind, double magnitude, double hoursOld, double latitude,
                   const char* region = "Somewhere")
{
    return {kind, test::QuakeBefore(kNow, hoursOld, magnitude, latitude, -77.04, region), {}, {}};
}

TEST(AwaySummary, CountsNamesTheLargestAndWarnsOfAGap)
{
    const EventChange peru = Change(ChangeKind::New, 6.1, 3.0, -4.5, "Northern Peru");
    struct Case {
        const char* name;
        std::vector<EventChange> changes;
        OleDate lastLoad;
        std::vector<QuakeRecord> listed;  // the load's quakes, for how far back it reaches
        std::string expected;
    };
    const OleDate mondayNight = OleDateFromCalendar(2025, 12, 8, 23, 10, 0);
    const std::vector<Case> cases = {
        {"new and revised, the largest of them with its distance",
         {Change(ChangeKind::New, 4.2, 1.0, -10.0), peru,
          Change(ChangeKind::Revised, 5.0, 2.0, -11.0),
          Change(ChangeKind::Retracted, 7.0, 2.0, -11.0)},
         mondayNight,
         {peru.event, test::QuakeBefore(kNow, 48.0, 3.0, 0.0, 0.0)},
         "Since Monday 23:10 UTC: 2 new quakes, 1 revised, 1 retracted; largest M6.1 Northern "
         "Peru, "
         "840 km N of Lima."},
        {"nothing came",
         {},
         mondayNight,
         {test::QuakeBefore(kNow, 48.0, 3.0, 0.0, 0.0)},
         "Since Monday 23:10 UTC: nothing new."},
        {"a retraction only, no largest",
         {Change(ChangeKind::Retracted, 7.0, 2.0, -11.0)},
         mondayNight,
         {},
         "Since Monday 23:10 UTC: 1 retracted."},
        {"a day feed after two weeks off: dated, and the gap said",
         {Change(ChangeKind::New, 4.0, 1.0, -12.05)},
         OleDateFromCalendar(2025, 11, 25, 6, 0, 0),
         {test::QuakeBefore(kNow, 20.0, 3.0, 0.0, 0.0)},
         "Since 2025-11-25 06:00 UTC: 1 new quake; largest M4.0 Somewhere, at Lima. The feed "
         "reaches "
         "back only to Monday 12:00 UTC: quakes before that may have been missed."},
    };
    for (const Case& c : cases) {
        const QuakeList listed = test::ListOf(c.listed);
        const AwayLoad load{c.lastLoad, kNow, &listed, &c.changes};
        EXPECT_EQ(AwaySummaryText(load, "Lima", kLima), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace tremolux
