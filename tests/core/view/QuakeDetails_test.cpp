#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "core/feed/QuakeRecord.h"
#include "core/geo/CityPosition.h"
#include "core/view/QuakeDetails.h"

namespace tremolux {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

TEST(QuakeDetails, AgeInTheTwoLargestUnits)
{
    EXPECT_EQ(AgeText(0.0), "less than a minute ago");
    EXPECT_EQ(AgeText(59.4 / 86400.0), "less than a minute ago");
    EXPECT_EQ(AgeText(kMinute), "1 min ago");
    EXPECT_EQ(AgeText(192 * kMinute), "3 h 12 min ago");
    EXPECT_EQ(AgeText(60 * kMinute), "1 h 0 min ago");
    EXPECT_EQ(AgeText(2.0 + 3.0 / 24 + 59 * kMinute), "2 d 3 h ago");
    // A clock behind the feed's: said plainly, not as a negative age.
    EXPECT_EQ(AgeText(-12 * kMinute), "12 min ahead of the clock");
    EXPECT_EQ(AgeText(-30.0 / 86400.0), "less than a minute ago");
    EXPECT_EQ(AgeText(NAN), "age unknown");
}

TEST(QuakeDetails, CompassPointsSplitHalfwayBetween)
{
    EXPECT_EQ(CompassPoint(0.0), "N");
    EXPECT_EQ(CompassPoint(22.4), "N");
    EXPECT_EQ(CompassPoint(22.5), "NE");
    EXPECT_EQ(CompassPoint(135.0), "SE");
    EXPECT_EQ(CompassPoint(337.6), "N");
    EXPECT_EQ(CompassPoint(-45.0), "NW");
    EXPECT_EQ(CompassPoint(720.0 + 270.0), "W");
}

TEST(QuakeDetails, FullTextForTheTooltip)
{
    CityPosition tokyo;
    tokyo.latDecimal = 35.68948888888889;
    tokyo.lonDecimal = 139.69170555555556;
    QuakeRecord quake;
    quake.magnitude = 5.04;
    quake.latitude = 38.297;
    quake.longitude = 142.373;
    quake.depth = 24.56;
    quake.region = "Near the east coast of Honshu";
    quake.time = OleDateFromCalendar(2024, 3, 1, 8, 48, 5);
    const OleDate now = OleDateFromCalendar(2024, 3, 1, 12, 0, 0);

    // A decimal-comma locale must not leak into the text.
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    const std::string text = QuakeDetails(quake, "Tokyo", tokyo, now);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text,
              "M 5.0  Near the east coast of Honshu\n"
              "2024-03-01 08:48:05 UTC (3 h 11 min ago)\n"
              "Depth 24.6 km\n"
              "375 km NE of Tokyo");

    quake.latitude = tokyo.latDecimal;
    quake.longitude = tokyo.lonDecimal;
    EXPECT_EQ(DistanceText(quake, "Tokyo", tokyo), "at Tokyo");
}

}  // namespace
}  // namespace tremolux
