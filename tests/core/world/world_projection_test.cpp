#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/geo/CityPosition.h"
#include "core/world/WorldProjection.h"
#include "core/world/WorldView.h"

namespace tremolux {
namespace {

constexpr double kEarthRadiusPx = 400.0;
constexpr double kHalfCircumference = std::numbers::pi * EARTH_RADIUS_M;

struct Polar {
    double radius;
    double clockwiseDegrees;
};

Polar AboutCentre(const WorldProjection& projection, ScreenPoint p)
{
    const double dx = p.x - projection.centreX();
    const double dy = projection.centreY() - p.y;
    double bearing = std::atan2(dx, dy) * 180.0 / std::numbers::pi;
    if (bearing < 0.0)
        bearing += 360.0;
    return {std::hypot(dx, dy), bearing};
}

double AngleBetween(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

TEST(WorldProjection, CentreIsTheCityAndTheAntipodeIsTheOuterCircle)
{
    const WorldProjection projection(35.6895, 139.6917, 500.0, 400.0, kEarthRadiusPx);
    const ScreenPoint city = projection.Project(35.6895, 139.6917);
    EXPECT_DOUBLE_EQ(city.x, 500.0);
    EXPECT_DOUBLE_EQ(city.y, 400.0);
    const ScreenPoint antipode = projection.Project(-35.6895, 139.6917 - 180.0);
    EXPECT_NEAR(AboutCentre(projection, antipode).radius, kEarthRadiusPx, 1e-6);
}

// A quake lies in the polar window's direction, at its distance to scale.
TEST(WorldProjection, BearingsAndDistancesFollowGreatCircle)
{
    const struct {
        double cityLat, cityLon, lat, lon;
    } cases[] = {
        {35.6895, 139.6917, 51.5, -0.12},    // Tokyo to London
        {35.6895, 139.6917, -33.87, 151.2},  // Tokyo to Sydney
        {-33.87, 151.2, 64.1, -21.9},        // Sydney to Reykjavik
        {0.0, 0.0, 0.0, 90.0},               // due east along the equator
        {0.0, 0.0, 10.0, 0.0},               // due north
        {-54.8, -68.3, 71.0, 25.8},          // Ushuaia to the North Cape
        {19.43, -99.13, 19.43, -98.0},       // a short hop east
    };
    for (const auto& c : cases) {
        const WorldProjection projection(c.cityLat, c.cityLon, 0.0, 0.0, kEarthRadiusPx);
        double ccw = 0.0;
        const double metres = GreatCircle(c.cityLat, c.cityLon, c.lat, c.lon, &ccw);
        const Polar polar = AboutCentre(projection, projection.Project(c.lat, c.lon));
        EXPECT_NEAR(polar.radius, metres / kHalfCircumference * kEarthRadiusPx, 1e-6)
            << c.lat << ' ' << c.lon;
        EXPECT_NEAR(AngleBetween(polar.clockwiseDegrees, 360.0 - ccw), 0.0, 1e-6)
            << c.lat << ' ' << c.lon;
    }
}

TEST(WorldProjection, AcrossTheDatelineNeighboursStayNeighbours)
{
    const WorldProjection projection(-17.7, 178.0, 0.0, 0.0, kEarthRadiusPx);  // Fiji
    const Polar east = AboutCentre(projection, projection.Project(-17.7, -178.0));
    EXPECT_LT(east.radius, 10.0);  // 424 km: about 8.5 px
    EXPECT_NEAR(east.clockwiseDegrees, 90.0, 2.0);
}

TEST(WorldProjection, FromAPoleEveryMeridianIsARay)
{
    const WorldProjection north(90.0, 0.0, 0.0, 0.0, kEarthRadiusPx);
    const Polar equator = AboutCentre(north, north.Project(0.0, 45.0));
    EXPECT_NEAR(equator.radius, kEarthRadiusPx / 2.0, 1e-6);
    const Polar southPole = AboutCentre(north, north.Project(-90.0, 123.0));
    EXPECT_NEAR(southPole.radius, kEarthRadiusPx, 1e-6);

    // Seen from the equator, the poles lie straight up and straight down.
    const WorldProjection quito(0.0, -78.5, 0.0, 0.0, kEarthRadiusPx);
    const Polar up = AboutCentre(quito, quito.Project(90.0, 0.0));
    const Polar down = AboutCentre(quito, quito.Project(-90.0, 0.0));
    EXPECT_NEAR(up.radius, kEarthRadiusPx / 2.0, 1e-6);
    EXPECT_NEAR(AngleBetween(up.clockwiseDegrees, 0.0), 0.0, 1e-6);
    EXPECT_NEAR(AngleBetween(down.clockwiseDegrees, 180.0), 0.0, 1e-6);
}

TEST(WorldView, FitsTheEarthAndZoomsAboutTheCursor)
{
    CityPosition city;
    city.latDecimal = 35.0;
    city.lonDecimal = 139.0;
    const WorldProjection fit = ViewProjection(city, 1000, 800, WorldView{});
    EXPECT_DOUBLE_EQ(fit.centreX(), 500.0);
    EXPECT_DOUBLE_EQ(fit.centreY(), 400.0);
    EXPECT_DOUBLE_EQ(fit.earthRadius(), 360.0);

    // The place under the cursor stays under it.
    const ScreenPoint before = fit.Project(-33.87, 151.2);
    const WorldView zoomed = ZoomAbout(WorldView{}, 1000, 800, before.x, before.y, 4.0);
    const ScreenPoint after = ViewProjection(city, 1000, 800, zoomed).Project(-33.87, 151.2);
    EXPECT_NEAR(after.x, before.x, 1e-6);
    EXPECT_NEAR(after.y, before.y, 1e-6);
    EXPECT_DOUBLE_EQ(zoomed.zoom, 4.0);

    // Zoom stops at its limits, still about the cursor: the place under it
    // stays, and zooming on at the limit moves nothing.
    const WorldProjection zoomedProjection = ViewProjection(city, 1000, 800, zoomed);
    const WorldView most = ZoomAbout(zoomed, 1000, 800, 10.0, 20.0, 1e6);
    EXPECT_DOUBLE_EQ(most.zoom, kWorldMaxZoom);
    const ScreenPoint unitUnder{
        (10.0 - zoomedProjection.centreX()) / zoomedProjection.earthRadius(),
        (20.0 - zoomedProjection.centreY()) / zoomedProjection.earthRadius()};
    const ScreenPoint stays = ViewProjection(city, 1000, 800, most).FromUnit(unitUnder);
    EXPECT_NEAR(stays.x, 10.0, 1e-6);
    EXPECT_NEAR(stays.y, 20.0, 1e-6);
    const WorldView beyond = ZoomAbout(most, 1000, 800, 10.0, 20.0, 2.0);
    EXPECT_DOUBLE_EQ(beyond.offsetX, most.offsetX);
    EXPECT_DOUBLE_EQ(beyond.offsetY, most.offsetY);
    EXPECT_DOUBLE_EQ(ZoomAbout(WorldView{}, 1000, 800, 0.0, 0.0, 1e-6).zoom, kWorldMinZoom);
}

TEST(WorldView, DraggingMovesTheEarthButNeverWhollyAway)
{
    const WorldView moved = PanBy(WorldView{}, 1000, 800, 30.0, -40.0);
    EXPECT_DOUBLE_EQ(moved.offsetX, 30.0);
    EXPECT_DOUBLE_EQ(moved.offsetY, -40.0);
    const WorldView far = PanBy(moved, 1000, 800, 1e9, -1e9);
    EXPECT_DOUBLE_EQ(far.offsetX, 360.0 + 500.0);
    EXPECT_DOUBLE_EQ(far.offsetY, -(360.0 + 400.0));
}

}  // namespace
}  // namespace tremolux
