#include <gtest/gtest.h>

#include <vector>

#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/world/DrawWorld.h"
#include "core/world/DrawnQuake.h"
#include "core/world/WorldView.h"
#include "support/QuakeBuilders.h"

namespace tremolux {
namespace {

const OleDate kNow = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);

QuakeRecord Quake(double magnitude, double latitude, double longitude, double hoursOld)
{
    QuakeRecord quake = test::QuakeBefore(kNow, hoursOld, magnitude, latitude, longitude);
    quake.depth = 35.0;
    return quake;
}

using test::ListOf;

TEST(QuakeHitTest, TheDiscOnTopWinsThenTheTopmostWithinTheSlack)
{
    // Drawn in this order: 7 lies over 3.
    const std::vector<DrawnQuake> drawn = {{3, 100, 100, 10}, {7, 108, 100, 6}, {9, 200, 100, 2}};
    EXPECT_EQ(QuakeAt(drawn, 105, 100), 7);  // inside both
    EXPECT_EQ(QuakeAt(drawn, 92, 100), 3);   // inside 3 only
    EXPECT_EQ(QuakeAt(drawn, 204, 100), 9);  // 2 px off a small disc
    EXPECT_EQ(QuakeAt(drawn, 206, 100), -1);
    EXPECT_EQ(QuakeAt(drawn, 100, 112, 3.0), 3);
    EXPECT_EQ(QuakeAt({}, 0, 0), -1);
    // Outside both, within reach of the lower one only.
    EXPECT_EQ(QuakeAt({{1, 0, 0, 5}, {2, 20, 0, 5}}, 7, 0), 1);
    // Within reach of both: the one on top, as in the polar windows.
    EXPECT_EQ(QuakeAt({{1, 0, 0, 5}, {2, 13, 0, 5}}, 6, 0), 2);
}

TEST(PlaceWorldQuakes, OldestFirstWithinTheHoursAndOnlyWhatReachesTheWindow)
{
    CityPosition city;  // 0 N 0 E at the window's centre
    DisplaySettings settings;
    settings.hours = 24.0;
    const QuakeList quakes =
        ListOf({Quake(5.0, 0, 0.5, 1), Quake(3.0, 0, -0.5, 2), Quake(6.0, 0, 0, 30),
                Quake(0.5, 0, 0, 1), Quake(4.0, 0, 10, 3)});
    const WorldProjection whole = ViewProjection(city, 1000, 800, WorldView{});
    std::vector<int> order;
    const std::vector<ScreenPoint> places = UnitPlaces(whole, quakes);
    for (const DrawnQuake& disc :
         PlaceWorldQuakes(whole, places, settings, quakes, kNow, 1000, 800))
        order.push_back(disc.index);
    EXPECT_EQ(order, (std::vector<int>{4, 1, 0}));  // not 2 (too old) nor 3 (too small)

    // Zoomed in 200 times about the centre, 10 degrees east lies far outside.
    const WorldView close = ZoomAbout(WorldView{}, 1000, 800, 500, 400, 200.0);
    const std::vector<DrawnQuake> placed = PlaceWorldQuakes(
        ViewProjection(city, 1000, 800, close), places, settings, quakes, kNow, 1000, 800);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].index, 1);
    EXPECT_LT(placed[0].x, 500.0);
    EXPECT_GT(placed[1].x, 500.0);
    EXPECT_DOUBLE_EQ(placed[1].radius, QuakeDiscRadius(5.0));
}

}  // namespace
}  // namespace tremolux
