#include <clocale>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

#include "core/feed/QuakeRecord.h"
#include "core/geo/CityPosition.h"
#include "core/list/QuakeDetails.h"
#include "core/list/QuakeText.h"
#include "support/QuakeBuilders.h"

namespace tremolux {
namespace {

using test::At;

QuakeRecord QuakeAt(double latitude, double longitude)
{
    QuakeRecord quake;
    quake.latitude = latitude;
    quake.longitude = longitude;
    return quake;
}

// The bearing is clockwise from north, as a compass reads, although the great
// circle code gives it anticlockwise.
TEST(QuakeTextTest, DistanceAndDirectionAsACompassReads)
{
    const CityPosition equator = At(0.0, 0.0);
    EXPECT_EQ(DistanceText(PlaceFrom(equator, QuakeAt(0.0, 1.0))), "111 km E");
    EXPECT_EQ(DistanceText(PlaceFrom(equator, QuakeAt(0.0, -1.0))), "111 km W");
    EXPECT_EQ(DistanceText(PlaceFrom(equator, QuakeAt(1.0, 0.0))), "111 km N");
    EXPECT_EQ(DistanceText(PlaceFrom(equator, QuakeAt(-1.0, 0.0))), "111 km S");
    EXPECT_EQ(DistanceText(PlaceFrom(equator, QuakeAt(1.0, 1.0))), "157 km NE");

    const CityPosition tokyo = At(35.69, 139.69);
    EXPECT_EQ(CompassPoint(PlaceFrom(tokyo, QuakeAt(37.5, 141.5)).bearing), std::string("NE"));
    EXPECT_EQ(CompassPoint(PlaceFrom(tokyo, QuakeAt(33.0, 131.0)).bearing), std::string("WSW"));
}

TEST(QuakeTextTest, CompassPointsAndDistancesAtTheirEdges)
{
    EXPECT_STREQ(CompassPoint(0.0), "N");
    EXPECT_STREQ(CompassPoint(11.2), "N");
    EXPECT_STREQ(CompassPoint(11.3), "NNE");
    EXPECT_STREQ(CompassPoint(348.8), "N");
    EXPECT_STREQ(CompassPoint(348.7), "NNW");
    EXPECT_STREQ(CompassPoint(359.99), "N");
    EXPECT_STREQ(CompassPoint(-90.0), "W");
    EXPECT_STREQ(CompassPoint(std::nan("")), "");

    EXPECT_EQ(DistanceText({0.0, 0.0}), "0 km");
    EXPECT_EQ(DistanceText({499.0, 45.0}), "0 km");
    EXPECT_EQ(DistanceText({501.0, 45.0}), "1 km NE");
    EXPECT_EQ(DistanceText({std::nan(""), 0.0}), "");
    // A quake on the city itself has a distance but no direction to show.
    EXPECT_EQ(DistanceText(PlaceFrom(At(10.0, 10.0), QuakeAt(10.0, 10.0))), "0 km");

    EXPECT_EQ(DistanceFromText({375000.0, 40.0}, "Tokyo"), "375 km NE of Tokyo");
    EXPECT_EQ(DistanceFromText({499.0, 40.0}, "Tokyo"), "at Tokyo");
    EXPECT_EQ(DistanceFromText({375000.0, 40.0}, ""), "375 km NE");
    EXPECT_EQ(DistanceFromText({std::nan(""), 0.0}, "Tokyo"), "");
}

TEST(QuakeTextTest, AgesInTheirTwoLargestUnits)
{
    const OleDate now = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
    const auto ago = [&](int days, int hours, int minutes, int seconds) {
        const double span = days + hours / 24.0 + minutes / 1440.0 + seconds / 86400.0;
        return AgeText(OleDate{now.value - span}, now);
    };
    EXPECT_EQ(ago(0, 3, 12, 0), "3 h 12 min ago");
    EXPECT_EQ(ago(0, 3, 12, 59), "3 h 12 min ago");
    EXPECT_EQ(ago(0, 1, 0, 0), "1 h ago");
    EXPECT_EQ(ago(0, 0, 45, 0), "45 min ago");
    EXPECT_EQ(ago(0, 0, 0, 59), "under a minute ago");
    EXPECT_EQ(ago(0, 0, 0, 0), "under a minute ago");
    EXPECT_EQ(ago(2, 5, 30, 0), "2 d 5 h ago");
    EXPECT_EQ(ago(3, 0, 10, 0), "3 d ago");
    // Dated ahead of the clock (a skewed feed): said so, not as a negative age.
    EXPECT_EQ(AgeText(OleDate{now.value + 4.0 / 1440.0}, now), "in 4 min");
    EXPECT_EQ(AgeText(OleDate{now.value, false}, now), "");
    EXPECT_EQ(AgeText(OleDate{-1.0e300}, now).empty(), false);
}

TEST(QuakeTextTest, NumbersAndTimesWithoutTheLocale)
{
    EXPECT_EQ(MagnitudeText(4.45), "4.5");
    EXPECT_EQ(MagnitudeText(-0.3), "-0.3");
    EXPECT_EQ(MagnitudeText(std::nan("")), "");
    EXPECT_EQ(DepthText(10.0), "10.0 km");
    EXPECT_EQ(DepthText(INFINITY), "");
    EXPECT_EQ(UtcText(OleDateFromCalendar(2025, 12, 7, 5, 43, 57)), "2025-12-07 05:43:57");
    EXPECT_EQ(UtcText(OleDate{0.0, false}), "");
}

// Local time is the wall clock of the zone at that moment, summer time and all.
TEST(QuakeTextTest, LocalTimesFollowTheZone)
{
    const std::string saved = std::getenv("TZ") ? std::getenv("TZ") : "";
    // A POSIX rule rather than a zone name: no time zone data need be installed.
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    EXPECT_EQ(TimeText(OleDateFromCalendar(2025, 1, 15, 5, 43, 57), TimeShown::Local),
              "2025-01-15 06:43:57");
    EXPECT_EQ(TimeText(OleDateFromCalendar(2025, 7, 15, 23, 30, 0), TimeShown::Local),
              "2025-07-16 01:30:00");
    EXPECT_EQ(TimeText(OleDateFromCalendar(2025, 7, 15, 23, 30, 0), TimeShown::Utc),
              "2025-07-15 23:30:00");
    EXPECT_EQ(TimeText(OleDate{0.0, false}, TimeShown::Local), "");
    const QuakeRecord quake = [] {
        QuakeRecord q = QuakeAt(35.0, 139.0);
        q.time = OleDateFromCalendar(2025, 1, 15, 5, 43, 57);
        return q;
    }();
    EXPECT_NE(QuakeDetails(quake, "Tokyo", At(35.0, 139.0), quake.time, TimeShown::Local)
                  .find("\n2025-01-15 06:43:57 local time (under a minute ago)\n"),
              std::string::npos);
    if (saved.empty())
        unsetenv("TZ");
    else
        setenv("TZ", saved.c_str(), 1);
    tzset();
}

TEST(QuakeTextTest, DetailsForTheTooltipALineAFact)
{
    const CityPosition tokyo = At(35.68948888888889, 139.69170555555556);
    QuakeRecord quake = QuakeAt(38.297, 142.373);
    quake.magnitude = 5.04;
    quake.depth = 24.56;
    quake.region = "Near the east coast of Honshu";
    quake.time = OleDateFromCalendar(2024, 3, 1, 8, 48, 5);
    const OleDate now = OleDateFromCalendar(2024, 3, 1, 12, 0, 0);

    // A decimal-comma locale must not leak into the text.
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    const std::string text = QuakeDetails(quake, "Tokyo", tokyo, now);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text, "M 5.0  Near the east coast of Honshu\n"
                    "2024-03-01 08:48:05 UTC (3 h 11 min ago)\n"
                    "Depth 24.6 km\n"
                    "375 km NE of Tokyo");

    // What the feed left out is said to be unknown, not left as a gap.
    QuakeRecord bare = QuakeAt(35.68948888888889, 139.69170555555556);
    bare.magnitude = std::nan("");
    bare.depth = std::nan("");
    bare.time = OleDate{0.0, false};
    EXPECT_EQ(QuakeDetails(bare, "Tokyo", tokyo, now),
              "Magnitude unknown\nTime unknown\nDepth unknown\nat Tokyo");

    // The impact lines, each only when the feed gave it; a count of zero is a count.
    QuakeRecord felt = bare;
    felt.feltReports = 1204;
    felt.mmi = 5.64;
    felt.alert = "yellow";
    felt.status = "reviewed";
    EXPECT_EQ(QuakeDetails(felt, "Tokyo", tokyo, now),
              "Magnitude unknown\nTime unknown\nDepth unknown\nat Tokyo\n"
              "Felt by 1,204 people\nIntensity: MMI 5.6\nPAGER alert: yellow\nStatus: reviewed");
    QuakeRecord unfelt = bare;
    unfelt.feltReports = 0;
    unfelt.cdi = 2.0;
    EXPECT_EQ(ImpactText(unfelt), "Felt by 0 people\nIntensity: CDI 2.0");
}

}  // namespace
}  // namespace tremolux
