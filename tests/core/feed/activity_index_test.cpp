#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <ctime>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"

using namespace tremolux;

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kNear1000Km = 999.9e3;
constexpr double kNear100Km = 99.99e3;
const OleDate kNow = OleDateFromCalendar(2026, 12, 7, 5, 43, 57);

CityPosition Equator()
{
    return CityPosition{};
}

// A point on the equator the given distance east of (0, 0). The index is
// truncated, so the tests place quakes a little inside round distances: 1000 km
// computed through the trigonometry can come out a hair longer and give 4.
double LongitudeAt(double metres)
{
    return metres / EARTH_RADIUS_M * 180.0 / 3.141592653589793;
}

QuakeRecord Quake(double magnitude, double ageSeconds, double metres)
{
    QuakeRecord q;
    q.magnitude = magnitude;
    q.longitude = LongitudeAt(metres);
    q.time = {kNow.value - ageSeconds * kSecond, true};
    return q;
}

int Index(const QuakeList& list)
{
    return list.GetActivityIndex(Equator(), FixedClock(kNow));
}

}  // namespace

TEST(ActivityIndex, EmptyListIsZero)
{
    EXPECT_EQ(Index(QuakeList{}), 0);
}

TEST(ActivityIndex, SumsMagnitudePerMinuteAndKilometre)
{
    QuakeList list;
    list.Append(Quake(5.0, 600, kNear1000Km));
    EXPECT_EQ(Index(list), 5);
    list.Append(Quake(5.0, 600, kNear1000Km));
    EXPECT_EQ(Index(list), 10);
}

TEST(ActivityIndex, AgesAreCutToWholeMinutesOfAtLeastOne)
{
    // M5 at 100 km: 5 / (minutes * 100) * 10000 = 500 / minutes.
    const struct {
        double seconds;
        int index;
    } cases[] = {{0, 500}, {30, 500}, {59, 500}, {59.6, 500}, {60, 500}, {119, 500}, {120, 250}};
    for (const auto& c : cases) {
        QuakeList list;
        list.Append(Quake(5.0, c.seconds, kNear100Km));
        EXPECT_EQ(Index(list), c.index) << c.seconds << " s";
    }
}

TEST(ActivityIndex, QuakesDatedAfterNowCountByTheirDistanceInTime)
{
    QuakeList list;
    list.Append(Quake(5.0, -600, kNear1000Km));
    EXPECT_EQ(Index(list), 5);
    list.Append(Quake(5.0, -30, kNear100Km));
    EXPECT_EQ(Index(list), 505);
}

TEST(ActivityIndex, QuakeOnTheCityCountsAsOneKilometre)
{
    QuakeList list;
    list.Append(Quake(5.0, 600, 0));
    EXPECT_EQ(Index(list), 5000);
}

TEST(ActivityIndex, InvalidTimesTakePartWithTheirStoredValue)
{
    QuakeList list;
    QuakeRecord stale = Quake(5.0, 0, kNear1000Km);
    stale.time = {0.0, false};
    list.Append(stale);
    EXPECT_EQ(Index(list), 0);
    list.Append(Quake(5.0, 600, kNear1000Km));
    EXPECT_EQ(Index(list), 5);
}

TEST(ActivityIndex, HugeSumsClampToThe32BitRange)
{
    QuakeList list;
    for (int i = 0; i < 1000; ++i)
        list.Append(Quake(1e6, 0, 0));
    EXPECT_EQ(Index(list), INT_MAX);

    QuakeList negative;
    negative.Append(Quake(-1e9, 0, 0));
    EXPECT_EQ(Index(negative), INT_MIN);
}

TEST(ActivityIndex, TermsThatAreNotFiniteAreLeftOut)
{
    QuakeList list;
    list.Append(Quake(5.0, 600, kNear1000Km));
    QuakeRecord infinite = Quake(5.0, 600, kNear1000Km);
    infinite.latitude = HUGE_VAL;
    list.Append(infinite);
    QuakeRecord undefined = Quake(5.0, 600, kNear1000Km);
    undefined.longitude = NAN;
    list.Append(undefined);
    QuakeRecord huge = Quake(HUGE_VAL, 600, kNear1000Km);
    list.Append(huge);
    list.Append(Quake(5.0, 600, kNear1000Km));
    EXPECT_EQ(Index(list), 10);
}

TEST(ActivityIndex, ReadsOnlyTheCitysDecimalsAndTheClock)
{
    QuakeList list;
    list.Append(Quake(5.0, 600, kNear1000Km));
    CityPosition city;
    city.latDeg = 50;
    city.north = 1;
    EXPECT_EQ(list.GetActivityIndex(city, FixedClock(kNow)), 5);
    EXPECT_EQ(list.GetActivityIndex(city, FixedClock({kNow.value + 600 * kSecond})), 2);
}

TEST(SystemUtcClock, GivesWholeSecondsNearTheSystemTime)
{
    const OleDate now = SystemUtcClock().Now();
    EXPECT_TRUE(now.valid);
    const double seconds = (now.value - 25569.0) * 86400.0;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
    EXPECT_NEAR(seconds, static_cast<double>(std::time(nullptr)), 2.0);
}
