#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/DrawQuakes.h"
#include "core/view/TraceCanvas.h"
#include "core/world/DrawWorld.h"
#include "core/world/WorldView.h"
#include "support/QuakeBuilders.h"

namespace tremolux {
namespace {

using test::At;

constexpr double kSecond = 1.0 / 86400.0;
const OleDate kNow = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);

CityPosition Tokyo()
{
    CityPosition city;
    city.latDecimal = 35.6895;
    city.lonDecimal = 139.6917;
    return city;
}

QuakeRecord Quake(double magnitude, double latitude, double longitude, double hoursOld)
{
    QuakeRecord quake;
    quake.magnitude = magnitude;
    quake.latitude = latitude;
    quake.longitude = longitude;
    quake.time = OleDate{kNow.value - hoursOld * 3600.0 * kSecond, true};
    quake.region = "Somewhere";
    return quake;
}

std::vector<std::string> Lines(const std::string& text, const std::string& prefix)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

std::string TraceWorld(const Land& land, const QuakeList& quakes, const DisplaySettings& settings,
                       const CityPosition& city = Tokyo())
{
    std::ostringstream out;
    TraceCanvas canvas(out);
    const FixedClock clock(kNow);
    DrawWorld(canvas, 1000, 800, ViewProjection(city, 1000, 800, WorldView{}), land, settings,
              quakes, clock);
    return out.str();
}

struct Disc {
    double x, y, diameter;
};

Disc ParseEllipse(const std::string& line)
{
    std::istringstream in(line.substr(std::string("ellipse ").size()));
    int left, top, right, bottom;
    in >> left >> top >> right >> bottom;
    return {(left + right - 1) * 0.5, (top + bottom - 1) * 0.5, static_cast<double>(right - left)};
}

TEST(DrawWorld, TheHoursSettingFiltersAsInThePolarWindow)
{
    QuakeList quakes;
    quakes.Append(Quake(5.0, 10.0, 120.0, -2.0));  // dated ahead: shown
    quakes.Append(Quake(5.0, 10.0, 121.0, 1.0));
    quakes.Append(Quake(5.0, 10.0, 122.0, 48.9));  // 48 whole hours: shown
    quakes.Append(Quake(5.0, 10.0, 123.0, 49.0));  // too old
    quakes.Append(Quake(0.5, 10.0, 124.0, 1.0));   // below the magnitudes drawn
    quakes.Append(Quake(5.0, -60.0, -40.0, 1.0));  // far beyond any nearest radius: shown
    DisplaySettings settings;
    const auto discs = Lines(TraceWorld({}, quakes, settings), "ellipse");
    EXPECT_EQ(discs.size(), 1u + 4u);  // the city and four quakes

    settings.hours = 0.0;
    EXPECT_EQ(Lines(TraceWorld({}, quakes, settings), "ellipse").size(), 1u + 1u);
}

// Each ring about the city lies at its distance, as the projection puts a
// place that far away: the innermost distance ring at 1,000 km.
TEST(DrawWorld, RingsLieAtTheirDistance)
{
    DisplaySettings settings;
    settings.nearestRadius = 3.0e6;
    settings.pieRadius = 3.0e5;
    const WorldProjection projection = ViewProjection(Tokyo(), 1000, 800, WorldView{});
    const auto rings = Lines(TraceWorld({}, {}, settings), "polyline");
    struct Ring {
        double metres;
        std::string pen;
    };
    for (const Ring& ring :
         {Ring{1.0e6, "1 140 150 170"}, Ring{3.0e6, "2 225 140 40"}, Ring{3.0e5, "2 200 60 60"}}) {
        // The innermost ring of the pen: the one whose top is lowest.
        int innermostTop = -1;
        for (const std::string& line : rings) {
            int points, left, top;
            std::istringstream(line.substr(9)) >> points >> left >> top;
            if (line.ends_with(ring.pen))
                innermostTop = std::max(innermostTop, top);
        }
        EXPECT_NEAR(innermostTop, projection.AtDistance(ring.metres, 0.0).y, 1.0) << ring.metres;
    }
}

TEST(DrawWorld, NewestOnTopAndLargerForStrongerQuakes)
{
    QuakeList quakes;
    quakes.Append(Quake(7.0, 10.0, 120.0, 1.0));  // the newest
    quakes.Append(Quake(3.0, 10.0, 120.0, 2.0));
    const auto discs = Lines(TraceWorld({}, quakes, {}), "ellipse");
    ASSERT_EQ(discs.size(), 3u);
    EXPECT_GT(ParseEllipse(discs[2]).diameter, ParseEllipse(discs[1]).diameter * 3.0);
}

// The polar window's ray and the world map's disc point the same way.
TEST(DrawWorld, AQuakeLiesOnThePolarWindowsBearing)
{
    const double places[][2] = {
        {51.5, -0.12}, {-33.87, 151.2}, {64.1, -21.9}, {-54.8, -68.3}, {-77.8, 166.7}};
    for (const auto& place : places) {
        QuakeList quakes;
        quakes.Append(Quake(6.0, place[0], place[1], 1.0));
        DisplaySettings everywhere;
        everywhere.nearestRadius = 1.0e8;
        everywhere.drawTexts = 0;

        std::ostringstream polar;
        TraceCanvas polarCanvas(polar);
        const FixedClock clock(kNow);
        DrawQuakes(polarCanvas, 1000, 800, everywhere, Tokyo(), quakes, clock);
        const auto rays = Lines(polar.str(), "line");
        ASSERT_EQ(rays.size(), 1u);
        int x1, y1, x2, y2;
        std::istringstream(rays[0].substr(5)) >> x1 >> y1 >> x2 >> y2;
        const double rayBearing = std::atan2(x2 - x1, y1 - y2);

        const auto discs = Lines(TraceWorld({}, quakes, everywhere), "ellipse");
        ASSERT_EQ(discs.size(), 2u);
        const Disc disc = ParseEllipse(discs[1]);
        const double discBearing = std::atan2(disc.x - 500.0, 400.0 - disc.y);
        const double apart = std::remainder(rayBearing - discBearing, 2.0 * std::numbers::pi);
        // Within the rounding of a disc a few dozen pixels from the centre.
        EXPECT_LT(std::fabs(apart), 0.05) << place[0] << ' ' << place[1];
    }
}

LandPolygon Square(double lat, double lon, double half)
{
    LandPolygon square;
    square.rings.push_back({{lat - half, lon - half},
                            {lat - half, lon + half},
                            {lat + half, lon + half},
                            {lat + half, lon - half}});
    return square;
}

TEST(DrawWorld, LandAroundTheAntipodeReachesTheOuterCircle)
{
    // Tokyo's antipode lies in the South Atlantic near 35.7 S, 40.3 W.
    const Land beside = {Square(10.0, 0.0, 5.0)};
    const Land around = {Square(-35.6895, -40.3083, 5.0)};
    const auto besidePolygons = Lines(TraceWorld(beside, {}, {}), "polygon");
    const auto aroundPolygons = Lines(TraceWorld(around, {}, {}), "polygon");
    // The sea disc first, then the land.
    ASSERT_EQ(besidePolygons.size(), 2u);
    ASSERT_EQ(aroundPolygons.size(), 2u);
    EXPECT_EQ(besidePolygons[1].find(','), std::string::npos) << besidePolygons[1];
    // The land's own ring, then the outer circle that makes it an annulus
    // filling the map's rim, not the whole disc.
    EXPECT_NE(aroundPolygons[1].find(','), std::string::npos) << aroundPolygons[1];
    EXPECT_NE(aroundPolygons[1].find(" 140 40 860 760 "), std::string::npos) << aroundPolygons[1];
}

// Only land that holds the antipode may fill the rim; an island turned the
// wrong way (one across the date line, say) would flood the whole map.
TEST(DrawWorld, TheShippedLandFillsTheRimOnlyWhenItHoldsTheAntipode)
{
    const Result<Land> read = ReadLandFile(std::string(TREMOLUX_SAMPLES) + "/land-50m.bin");
    ASSERT_TRUE(read) << read.error();
    const Land& land = *read;
    const auto annuli = [&](const CityPosition& city) {
        int count = 0;
        for (const std::string& line : Lines(TraceWorld(land, {}, {}, city), "polygon"))
            count += line.find(',') != std::string::npos
                     && line.find(" 140 40 860 760 ") != std::string::npos;
        return count;
    };
    EXPECT_EQ(annuli(Tokyo()), 0);                 // antipode in the South Atlantic
    EXPECT_EQ(annuli(At(-33.8688, 151.2093)), 0);  // Sydney: off the Azores
    EXPECT_EQ(annuli(At(64.84, -147.72)), 0);      // Fairbanks: south of the Indian Ocean
    EXPECT_EQ(annuli(At(40.0, -3.7)), 1);          // Madrid: New Zealand's North Island
    EXPECT_EQ(annuli(At(-39.5, 176.0)), 1);        // Hawke's Bay: Spain
    EXPECT_EQ(annuli(At(-45.0, -80.0)), 1);        // Off Chile: Mongolia
}

TEST(DrawWorld, LandOutsideTheWindowIsLeftOut)
{
    const Land land = {Square(10.0, 0.0, 5.0)};
    std::ostringstream out;
    TraceCanvas canvas(out);
    const FixedClock clock(kNow);
    const WorldView closeToTokyo = ZoomAbout(WorldView{}, 1000, 800, 500.0, 400.0, 50.0);
    DrawWorld(canvas, 1000, 800, ViewProjection(Tokyo(), 1000, 800, closeToTokyo), land, {}, {},
              clock);
    EXPECT_EQ(Lines(out.str(), "polygon").size(), 1u);  // the sea only
}

}  // namespace
}  // namespace tremolux
