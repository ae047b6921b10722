#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/feed/LoadedDocument.h"
#include "core/feed/MergedFeedDocument.h"
#include "core/feed/QuakeRow.h"
#include "core/feed/SourceMerge.h"
#include "core/geo/CityPosition.h"
#include "core/list/QuakeDetails.h"
#include "core/list/ReadingsText.h"
#include "support/QuakeBuilders.h"

namespace tremolux {
namespace {

using test::At;
using test::ListOf;
using test::QuakeBefore;

const OleDate kNow = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
constexpr double kSecondHours = 1.0 / 3600.0;
constexpr double kKmDegrees = 1.0 / 111.226;  // of latitude, on the program's sphere

// A second quake beside a first one at (10, 20), one hour old, M 5.0 of the
// preferred source "A": the same event or not.
TEST(SourceMerge, SameEventWithinSixtySecondsAndAHundredKilometres)
{
    struct Case {
        const char* what;
        int source;  // of the second quake
        double laterSeconds;
        double northKm;
        bool valid;
        int events;
    };
    for (const Case& c : {
             Case{"59 s and 99 km apart", 1, 59, 99, true, 1},
             Case{"59 s earlier", 1, -59, 0, true, 1},
             Case{"61 s apart", 1, 61, 0, true, 2},
             Case{"101 km apart", 1, 0, 101, true, 2},
             Case{"both of one source", 0, 1, 1, true, 2},
             Case{"the second without a time", 1, 0, 0, false, 2},
         }) {
        QuakeRecord first = QuakeBefore(kNow, 1.0, 5.0, 10.0, 20.0, "First");
        first.magnitudeType = "mww";
        QuakeRecord second = QuakeBefore(kNow, 1.0 - c.laterSeconds * kSecondHours, 5.3,
                                         10.0 + c.northKm * kKmDegrees, 20.0, "Second");
        second.magnitudeType = "mb";
        second.time.valid = c.valid;
        const QuakeList a = ListOf(c.source == 0 ? std::vector{first, second} : std::vector{first});
        const QuakeList b =
            ListOf(c.source == 0 ? std::vector<QuakeRecord>{} : std::vector{second});
        const MergedQuakes merged = MergeSources({{"A", &a}, {"B", &b}});
        ASSERT_EQ(merged.quakes.count(), c.events) << c.what;
        ASSERT_EQ(merged.readings.size(), static_cast<std::size_t>(c.events)) << c.what;
        if (c.events == 1) {
            EXPECT_EQ(merged.quakes.at(0).region, "First") << c.what;
            EXPECT_EQ(ReadingsText(merged.readings[0]), "A M 5.0 mww, B M 5.3 mb") << c.what;
        } else {
            EXPECT_EQ(ReadingsText(merged.readings[0]), "") << c.what;
        }
    }
}

// The preferred source's values, the list newest first whatever the order of
// the sources, and no source joining one event twice.
TEST(SourceMerge, TheUnionIsNewestFirstWithThePreferredValues)
{
    const QuakeList preferred = ListOf(
        {QuakeBefore(kNow, 3.0, 4.0, 0, 0, "Old"), QuakeBefore(kNow, 2.0, 4.1, 0, 0, "Mid")});
    const QuakeList other =
        ListOf({QuakeBefore(kNow, 1.0, 6.0, 50, 50, "New"),
                QuakeBefore(kNow, 2.0 - 30 * kSecondHours, 4.4, 0, 0, "Mid late"),
                QuakeBefore(kNow, 2.0 - 40 * kSecondHours, 4.5, 0, 0, "Mid later")});
    const MergedQuakes merged = MergeSources({{"P", &preferred}, {"O", &other}});
    ASSERT_EQ(merged.quakes.count(), 4);
    EXPECT_EQ(merged.quakes.at(0).region, "New");
    EXPECT_EQ(merged.quakes.at(1).region, "Mid later");
    EXPECT_EQ(merged.quakes.at(2).region, "Mid");
    EXPECT_EQ(ReadingsText(merged.readings[2]), "P M 4.1, O M 4.4");
    EXPECT_EQ(merged.quakes.at(3).region, "Old");
}

// What each source says reaches the quake the windows show, and their
// tooltips' text; a quake of one source says nothing of sources.
TEST(SourceMerge, ReadingsReachTheWalkedListAndTheDetails)
{
    QuakeRecord usgs = QuakeBefore(kNow, 1.0, 5.0, 10.0, 20.0, "Here");
    usgs.magnitudeType = "mww";
    QuakeRecord emsc = QuakeBefore(kNow, 1.0, 5.2, 10.1, 20.0, "There");
    emsc.magnitudeType = "mb";
    CellTableDocument first;
    AddQuakeRow(first, usgs);
    AddQuakeRow(first, QuakeBefore(kNow, 5.0, 3.0, -10.0, 20.0, "Alone"));
    CellTableDocument second;
    AddQuakeRow(second, emsc);
    const std::unique_ptr<FeedDocument> merged =
        MergedFeedDocument({{"USGS", &first}, {"EMSC", &second}});
    QuakeList list;
    ASSERT_TRUE(list.ParsePage(LoadedDocument(*merged),
                               [](const std::string& failure) { FAIL() << failure; }));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(ReadingsText(list.at(0).readings), "USGS M 5.0 mww, EMSC M 5.2 mb");
    EXPECT_TRUE(list.at(1).readings.empty());
    const std::string details = QuakeDetails(list.at(0), "Manila", At(14.6, 121.0), kNow);
    EXPECT_TRUE(details.ends_with("\nUSGS M 5.0 mww, EMSC M 5.2 mb")) << details;
    EXPECT_EQ(QuakeDetails(list.at(1), "Manila", At(14.6, 121.0), kNow).find("USGS"),
              std::string::npos);
}

}  // namespace
}  // namespace tremolux
