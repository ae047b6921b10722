#include <QTimer>
#include <gtest/gtest.h>

#include <string>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "core/session/MapWindowFile.h"
#include "core/world/LandFile.h"
#include "gui/world/WorldMapWindow.h"
#include "support/PaintCounter.h"
#include "support/QuakeBuilders.h"
#include "support/Wait.h"

namespace tremolux {
namespace {

using test::PaintCounter;
using test::QuakeBefore;
using test::WaitUntil;

// The quakes of a large list are drawn away from the GUI thread: the window
// shows the last layer and takes events meanwhile, then repaints with the
// new one on its own; a hidden window draws nothing.
TEST(SlowWorldLayer, TheWindowTakesEventsWhileItsQuakesAreDrawn)
{
    const Result<Land> read = ReadLandFile(std::string(TREMOLUX_SAMPLES) + "/land-50m.bin");
    ASSERT_TRUE(read) << read.error();
    const Land& land = *read;
    const OleDate now = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
    const FixedClock clock(now);
    QuakeList quakes;
    quakes.Append(QuakeBefore(now, 2, 5.0, 38.3, 142.4));
    DisplaySettings week;
    week.hours = 168.0;
    WorldMapWindow world(quakes, clock, land, {CityAt("Tokyo", 35.6895, 139.6917), week});
    world.resize(700, 600);
    world.show();
    ASSERT_TRUE(WaitUntil([&] { return world.PictureIsCurrent(); }));

    PaintCounter paints(&world);
    quakes.Clear();
    for (int i = 0; i < 50000; ++i)
        quakes.Append(
            QuakeBefore(now, i * 0.001, 1.0 + i % 70 / 10.0, -70.0 + i % 140, -179.0 + i % 358));
    world.repaint();
    ASSERT_FALSE(world.PictureIsCurrent());
    int ticksWhileDrawing = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { ticksWhileDrawing += !world.PictureIsCurrent(); });
    ticker.start(5);
    const int paintsBefore = paints.count;
    ASSERT_TRUE(WaitUntil([&] { return world.PictureIsCurrent(); }, 60000));
    EXPECT_GT(ticksWhileDrawing, 0);
    EXPECT_TRUE(WaitUntil([&] { return paints.count > paintsBefore; }));

    world.hide();
    quakes.Append(QuakeBefore(now, 1, 4.0, 30.0, 130.0));
    world.update();
    QTest::qWait(100);
    EXPECT_FALSE(world.PictureIsCurrent());
    world.show();
    EXPECT_TRUE(WaitUntil([&] { return world.PictureIsCurrent(); }, 60000));
}

}  // namespace
}  // namespace tremolux
