#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "core/view/DrawQuakes.h"
#include "gui/view/CTremoluxView.h"
#include "gui/view/MapLabelFont.h"
#include "gui/view/QPainterCanvas.h"
#include "support/PaintCounter.h"
#include "support/QuakeBuilders.h"
#include "support/ExpectedMap.h"
#include "support/Wait.h"

namespace tremolux {
namespace {

using test::PaintCounter;
using test::QuakeBefore;
using test::WaitUntil;

const OleDate kNow = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
const DisplaySettings kWide{1, 168.0, 15000000.0, 300000.0};

// Enough quakes with long regions that their picture takes a good while.
void FillSlow(QuakeList& quakes)
{
    quakes.Clear();
    for (int i = 0; i < 12000; ++i)
        quakes.Append(QuakeBefore(kNow, i * 0.002, 1.0 + i % 70 / 10.0, -70.0 + i % 140,
                                  -179.0 + i % 358, std::string(200, 'a' + i % 26)));
}

QImage Shown(CTremoluxView& view)
{
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class SlowPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_quakes.Append(QuakeBefore(kNow, 2, 5.0, 38.3, 142.4, "Near the east coast of Honshu"));
        m_view.SetContent({CityAt("Tokyo", 35.6895, 139.6917), kWide});
        m_view.resize(600, 500);
        m_view.show();
        ASSERT_TRUE(WaitUntil([this] { return m_view.PictureIsCurrent(); }));
    }

    QuakeList m_quakes;
    FixedClock m_clock{kNow};
    CTremoluxView m_view{m_quakes, m_clock};
};

// The picture of a large list is drawn away from the GUI thread: the window
// goes on showing the last picture and taking events, then repaints with
// the new one on its own.
TEST_F(SlowPictureTest, TheWindowShowsTheLastPictureAndTakesEventsUntilTheNewOneIsDone)
{
    const QImage before = Shown(m_view);
    PaintCounter paints(&m_view);
    FillSlow(m_quakes);
    m_view.update();
    ASSERT_TRUE(WaitUntil([&] { return paints.count > 0; }));
    ASSERT_FALSE(m_view.PictureIsCurrent());
    EXPECT_EQ(Shown(m_view), before);

    int ticksWhileDrawing = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { ticksWhileDrawing += !m_view.PictureIsCurrent(); });
    ticker.start(5);
    const int paintsBefore = paints.count;
    ASSERT_TRUE(WaitUntil([&] { return m_view.PictureIsCurrent(); }, 60000));
    EXPECT_GT(ticksWhileDrawing, 0);
    EXPECT_TRUE(WaitUntil([&] { return paints.count > paintsBefore; }));
    EXPECT_EQ(Shown(m_view), test::ExpectedMap(m_view, m_quakes, m_clock));
}

// Changes made while a picture is drawn are drawn once it is done, the
// newest only: the ones between are never drawn.
TEST_F(SlowPictureTest, OnlyTheNewestChangeIsDrawnAfterTheOneUnderWay)
{
    QSignalSpy pictures(&m_view, &CTremoluxView::pictureChanged);
    FillSlow(m_quakes);
    m_view.repaint();
    DisplaySettings settings = kWide;
    for (double hours : {120.0, 96.0, 72.0}) {
        settings.hours = hours;
        m_view.SetSettings(settings);
    }
    ASSERT_TRUE(WaitUntil([&] { return m_view.PictureIsCurrent(); }, 60000));
    EXPECT_EQ(pictures.count(), 2);
    EXPECT_EQ(Shown(m_view), test::ExpectedMap(m_view, m_quakes, m_clock));
}

// A window covered by a maximised one or minimised draws nothing, and draws
// its picture once it shows again.
TEST(PictureVisibility, OnlyWindowsOnScreenDraw)
{
    QuakeList quakes;
    quakes.Append(QuakeBefore(kNow, 2, 5.0, 38.3, 142.4));
    const FixedClock clock(kNow);
    QMdiArea area;
    area.resize(800, 600);
    CTremoluxView* views[2];
    QMdiSubWindow* windows[2];
    for (int i = 0; i < 2; ++i) {
        views[i] = new CTremoluxView(quakes, clock);
        views[i]->SetContent(
            {CityAt(i == 0 ? "Tokyo" : "Lima", 35.0 - 40 * i, 139.0 - 200 * i), kWide});
        windows[i] = area.addSubWindow(views[i]);
        windows[i]->resize(400, 300);
    }
    area.show();
    for (CTremoluxView* view : views)
        ASSERT_TRUE(WaitUntil([view] { return view->PictureIsCurrent(); }));

    for (const bool minimise : {false, true}) {
        if (minimise)
            windows[0]->showMinimized();
        else
            windows[1]->showMaximized();
        QTest::qWait(50);
        quakes.Append(QuakeBefore(kNow, 1, 4.0, 30.0, 130.0));
        QSignalSpy hidden(views[0], &CTremoluxView::pictureChanged);
        for (CTremoluxView* view : views)
            view->update();
        ASSERT_TRUE(WaitUntil([&] { return views[1]->PictureIsCurrent(); })) << minimise;
        QTest::qWait(100);
        EXPECT_EQ(hidden.count(), 0) << minimise;

        windows[0]->showNormal();
        area.setActiveSubWindow(windows[0]);
        EXPECT_TRUE(WaitUntil([&] { return views[0]->PictureIsCurrent(); })) << minimise;
    }
}

}  // namespace
}  // namespace tremolux
