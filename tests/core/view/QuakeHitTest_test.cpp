#include <gtest/gtest.h>

#include <string>

#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/QuakeHitTest.h"
#include "core/view/QuakeLayout.h"
#include "support/QuakeBuilders.h"

namespace tremolux {
namespace {

const OleDate kNow = OleDateFromCalendar(2024, 3, 1, 12, 0, 0);

QuakeRecord Quake(double magnitude, double latitude, double longitude, double hoursOld)
{
    return test::QuakeBefore(kNow, hoursOld, magnitude, latitude, longitude);
}

// Six pixels a character, a 14-pixel cell, the ink inside it.
TextExtent FixedWidthLabel(const std::string& text)
{
    const int width = 6 * static_cast<int>(text.size());
    return {width, 14, {0, 0, width, 14}};
}

// Tokyo, 800 x 600: a 5.0 to the north-east 12 h ago whose ray leaves the
// window at the top right and whose label starts at (526, 142); a 4.2 to the
// south-west 2 h ago whose half-open pie covers the left, the bottom and the
// lower right (DrawQuakes' worked example). A quake too small to draw comes
// first, so the list indexes differ from the drawing order.
QuakeLayout WorkedExample(const LabelMeasure& measure = {"six pixels", FixedWidthLabel})
{
    QuakeList quakes;
    quakes.Append(Quake(0.5, 35.0, 139.0, 1));
    quakes.Append(Quake(5.0, 38.297, 142.373, 12));
    quakes.Append(Quake(4.2, 35.0, 139.0, 2));
    CityPosition tokyo;
    tokyo.latDecimal = 35.68948888888889;
    tokyo.lonDecimal = 139.69170555555556;
    return LayOutQuakes(800, 600, DisplaySettings{}, tokyo, quakes, kNow, measure);
}

TEST(QuakeHitTest, FindsEachPartOfAPaintedQuake)
{
    const QuakeLayout layout = WorkedExample();
    ASSERT_EQ(layout.shapes.size(), 2u);
    EXPECT_EQ(layout.shapes[0].position, (CanvasPoint{526, 142}));

    EXPECT_EQ(HitTest(layout, 463, 221, 0), 1);   // on the north-east ray, inside the window
    EXPECT_EQ(HitTest(layout, 560, 148, 0), 1);   // on its label, away from the ray
    EXPECT_EQ(HitTest(layout, 300, 400, 0), 2);   // inside the pie
    EXPECT_EQ(HitTest(layout, 209, 531, 0), 2);   // on the south-west ray, outside the pie
    EXPECT_EQ(HitTest(layout, 700, 60, 4), -1);   // open ground
    EXPECT_EQ(HitTest(layout, 500, 250, 4), -1);  // beside the pie's open side
}

TEST(QuakeHitTest, LabelBoxesNeedAMeasure)
{
    const QuakeLayout layout = WorkedExample(LabelMeasure{});
    EXPECT_EQ(layout.shapes[0].label->substr(0, 13), "[5.0] 375 km,");
    EXPECT_EQ(HitTest(layout, 560, 148, 0), -1);
}

// Two hand-made quakes: 7's label overlaps 3's; 3's ray runs right, 7's down.
QuakeLayout Overlapping()
{
    QuakeLayout layout;
    layout.centre = {100, 100};
    layout.indexBox = {10, 10, 55, 35};
    QuakeShape lower;
    lower.quake = 3;
    lower.rayEnd = {10000, 100};
    lower.labelBox = {0, 0, 200, 14};  // under the index box too
    QuakeShape upper;
    upper.quake = 7;
    upper.penWidth = 5;
    upper.rayEnd = {100, 10000};
    upper.labelBox = {150, 5, 300, 19};
    layout.shapes = {lower, upper};
    return layout;
}

TEST(QuakeHitTest, TopmostExactHitFirstThenTheTolerance)
{
    const QuakeLayout layout = Overlapping();
    EXPECT_EQ(HitTest(layout, 170, 10, 0), 7);  // both labels: the later one is on top
    EXPECT_EQ(HitTest(layout, 100, 10, 0), 3);
    // The index box hides the label under it, even within the tolerance of the label.
    EXPECT_EQ(HitTest(layout, 20, 12, 0), -1);
    EXPECT_EQ(HitTest(layout, 20, 20, 5), -1);
    // A label's right edge is exclusive.
    EXPECT_EQ(HitTest(layout, 299, 10, 0), 7);
    EXPECT_EQ(HitTest(layout, 300, 10, 0), -1);

    // 3 pixels below the lower ray: reached with a tolerance of 3, not 2.
    EXPECT_EQ(HitTest(layout, 400, 103, 2), -1);
    EXPECT_EQ(HitTest(layout, 400, 103, 3), 3);
    // The wide ray's edge is half its pen from its middle.
    EXPECT_EQ(HitTest(layout, 102, 500, 0), 7);
    EXPECT_EQ(HitTest(layout, 103, 500, 0), -1);
    // On the lower label's last row and 1 pixel from the upper label: the
    // quake actually under the mouse wins over the one merely near it.
    EXPECT_EQ(HitTest(layout, 149, 13, 5), 3);
}

}  // namespace
}  // namespace tremolux
