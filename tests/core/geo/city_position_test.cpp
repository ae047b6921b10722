#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/geo/CityPosition.h"

using namespace tremolux;

namespace {

CityPosition Dms(double latDeg, double latMin, double latSec, bool north, double lonDeg,
                 double lonMin, double lonSec, bool west)
{
    CityPosition p;
    p.latDeg = latDeg;
    p.latMin = latMin;
    p.latSec = latSec;
    p.north = north;
    p.lonDeg = lonDeg;
    p.lonMin = lonMin;
    p.lonSec = lonSec;
    p.west = west;
    return p;
}

}  // namespace

TEST(ComputeDecimal, ConvertsDegreesMinutesSeconds)
{
    CityPosition tokyo = Dms(35, 41, 22.16, true, 139, 41, 30.14, false);
    const CityPosition copy = tokyo;
    tokyo.ComputeDecimal();
    EXPECT_NEAR(tokyo.latDecimal, 35.68948889, 5e-9);
    EXPECT_NEAR(tokyo.lonDecimal, 139.69170556, 5e-9);
    EXPECT_EQ(tokyo.latSec, copy.latSec);
    EXPECT_EQ(tokyo.north, copy.north);

    CityPosition southWest = Dms(33, 52, 4, false, 74, 0, 22, true);
    EXPECT_NEAR(southWest.ComputeDecimal().latDecimal, -33.86777778, 5e-9);
    EXPECT_NEAR(southWest.lonDecimal, -74.00611111, 5e-9);
}

TEST(ComputeDecimal, NegativeDegreesStayNegativeWhateverTheFlag)
{
    EXPECT_EQ(Dms(-35, 0, 0, false, 0, 0, 0, false).ComputeDecimal().latDecimal, -35.0);
    EXPECT_EQ(Dms(-35, 0, 0, true, 0, 0, 0, false).ComputeDecimal().latDecimal, -35.0);
    EXPECT_EQ(Dms(0, 0, 0, true, -20, 0, 0, false).ComputeDecimal().lonDecimal, -20.0);
    EXPECT_EQ(Dms(0, 0, 0, true, -20, 0, 0, true).ComputeDecimal().lonDecimal, -20.0);
    // No range checks: 90 minutes are summed as they stand.
    EXPECT_EQ(Dms(10, 90, 0, true, 0, 0, 0, false).ComputeDecimal().latDecimal, 11.5);
}

TEST(GreatCircle, WorkedExamplesFromTokyo)
{
    struct Row {
        double lat, lon, distance, ccw;
    };
    const Row rows[] = {
        {38.297, 142.373, 375262.6, 321.402941},
        {35.0, 139.0, 99092.7, 140.505657},
        {35.68948888888889, 150.0, 930791.2, 273.012248},
        {20.0, 139.69170555555556, 1745083.1, 180.0},
        {-6.2, 106.8, 5789111.4, 136.790758},
        {61.0, -147.0, 5721410.6, 323.567375},
    };
    for (const Row& row : rows) {
        double ccw = -1.0;
        const double d = GreatCircle(35.68948888888889, 139.69170555555556, row.lat, row.lon, &ccw);
        EXPECT_NEAR(d, row.distance, 0.05) << row.lat << ", " << row.lon;
        EXPECT_NEAR(ccw, row.ccw, 1e-6) << row.lat << ", " << row.lon;
        EXPECT_EQ(GreatCircle(35.68948888888889, 139.69170555555556, row.lat, row.lon), d);
    }
}

TEST(GreatCircle, CardinalDirections)
{
    double ccw = -1.0;
    GreatCircle(0, 0, 10, 0, &ccw);
    EXPECT_EQ(ccw, 0.0);
    GreatCircle(0, 0, 0, 10, &ccw);
    EXPECT_DOUBLE_EQ(ccw, 270.0);
    GreatCircle(0, 0, 0, -10, &ccw);
    EXPECT_DOUBLE_EQ(ccw, 90.0);
    GreatCircle(40, 5, 30, 5, &ccw);
    EXPECT_DOUBLE_EQ(ccw, 180.0);
}

TEST(GreatCircle, CoincidentAndAntipodalPointsStayFinite)
{
    for (const double lat : {0.0, 35.68948888888889, -89.9, 90.0}) {
        for (const double lon : {0.0, 139.69170555555556, -179.5}) {
            double ccw = -1.0;
            EXPECT_EQ(GreatCircle(lat, lon, lat, lon, &ccw), 0.0) << lat << ", " << lon;
            EXPECT_EQ(ccw, 0.0) << lat << ", " << lon;
        }
    }
    // Any point at all is exactly 0 m from itself.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> latitude(-90.0, 90.0);
    std::uniform_real_distribution<double> longitude(-180.0, 180.0);
    for (int i = 0; i < 10000; ++i) {
        const double lat = latitude(random);
        const double lon = longitude(random);
        ASSERT_EQ(GreatCircle(lat, lon, lat, lon), 0.0) << lat << ", " << lon;
    }

    double ccw = -1.0;
    const double d = GreatCircle(35.68948888888889, 139.69170555555556, -35.68948888888889,
                                 139.69170555555556 - 180.0, &ccw);
    EXPECT_NEAR(d, 3.141592653589793 * EARTH_RADIUS_M, 1.0);
    EXPECT_TRUE(std::isfinite(ccw));
    EXPECT_GE(ccw, 0.0);
    EXPECT_LT(ccw, 360.0);
}
