#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "core/view/DrawQuakes.h"
#include "core/session/MapWindowFile.h"
#include "gui/view/CTremoluxView.h"
#include "gui/view/QPainterCanvas.h"
#include "support/ExpectedMap.h"
#include "support/Wait.h"

namespace tremolux {
namespace {

const OleDate kNow = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);

// count quakes the world over, newest first, from a fixed seed.
void Fill(QuakeList& quakes, int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    quakes.Clear();
    for (int i = 0; i < count; ++i) {
        QuakeRecord quake;
        quake.magnitude = 1.0 + 7.0 * unit(random);
        quake.latitude = -80.0 + 160.0 * unit(random);
        quake.longitude = -180.0 + 360.0 * unit(random);
        quake.time = OleDate{kNow.value - (i + 1) * 100.0 / 86400.0, true};
        quake.region = "Region " + std::to_string(i);
        quakes.Append(quake);
    }
}

// What the window shows once the picture asked for by its last paint is done.
QImage OnScreen(CTremoluxView& view)
{
    view.repaint();
    EXPECT_TRUE(test::WaitUntil([&] { return view.PictureIsCurrent(); }));
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pictures drawn on worker threads, each window on its own, then only copied
// to the screen, are the map pixel for pixel, and a changed list or city
// draws them again.
TEST(PictureCache, WindowsDrawnTogetherShowTheMapPixelForPixel)
{
    const FixedClock clock(kNow);
    QuakeList quakes;
    Fill(quakes, 10000, 7);

    const DisplaySettings wide{1, 168.0, 15000000.0, 300000.0};
    const std::vector<MapWindow> contents = {
        {CityAt("Tokyo", 35.6895, 139.6917), wide},
        {CityAt("Santiago", -33.4489, -70.6693), wide},
        {CityAt("Reykjavik", 64.1466, -21.9426), DisplaySettings{}},
    };
    std::vector<std::unique_ptr<CTremoluxView>> views;
    QList<CTremoluxView*> shown;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        views.push_back(std::make_unique<CTremoluxView>(quakes, clock));
        views.back()->SetContent(contents[i]);
        views.back()->resize(500 + 100 * static_cast<int>(i), 400);
        views.back()->show();
        shown << views.back().get();
    }

    for (CTremoluxView* view : shown)
        EXPECT_EQ(OnScreen(*view), test::ExpectedMap(*view, quakes, clock)) << view->City().name;

    Fill(quakes, 3000, 8);
    for (CTremoluxView* view : shown)
        EXPECT_EQ(OnScreen(*view), test::ExpectedMap(*view, quakes, clock)) << view->City().name;

    shown[0]->SetContent({CityAt("Lima", -12.0464, -77.0428), wide});
    EXPECT_EQ(OnScreen(*shown[0]), test::ExpectedMap(*shown[0], quakes, clock));
}

// A clock the test moves on, as the system clock does between two paints.
class SettableClock final : public Clock {
public:
    OleDate Now() const override { return m_now; }
    void Set(OleDate now) { m_now = now; }

private:
    OleDate m_now;
};

// Whatever changed since the last paint, the window shows what a fresh paint
// would, even when the change keeps the clock within the same minute.
TEST(PictureCache, EveryRepaintShowsTheMapForTheMomentAndSettingsOfThatPaint)
{
    const OleDate minute = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
    const auto at = [&](int seconds) { return OleDate{minute.value + seconds / 86400.0, true}; };
    QuakeList quakes;
    QuakeRecord quake;
    quake.magnitude = 5.0;
    quake.latitude = 35.6895;  // about 1000 km east of Tokyo
    quake.longitude = 150.75;
    quake.time = at(-90);
    quake.region = "off the east coast of Honshu";
    quakes.Append(quake);

    struct Change {
        const char* what;
        std::function<void(CTremoluxView&, SettableClock&)> apply;
    };
    const std::vector<Change> changes = {
        {"the clock moves on within the minute",
         [&](CTremoluxView&, SettableClock& clock) { clock.Set(at(41)); }},
        {"the texts are switched off",
         [](CTremoluxView& view, SettableClock&) {
             DisplaySettings settings = view.Settings();
             settings.drawTexts = 0;
             view.SetSettings(settings);
         }},
        {"another city on the same latitude",
         [](CTremoluxView& view, SettableClock&) {
             view.SetContent({CityAt("Yokohama-east", 35.6895, 141.0), view.Settings()});
         }},
    };
    for (const Change& change : changes) {
        SettableClock clock;
        clock.Set(at(9));
        CTremoluxView view(quakes, clock);
        view.SetContent(
            {CityAt("Tokyo", 35.6895, 139.6917), DisplaySettings{1, 1.0, 3000000.0, 300000.0}});
        view.resize(500, 400);
        view.show();
        ASSERT_EQ(OnScreen(view), test::ExpectedMap(view, quakes, clock)) << change.what;

        change.apply(view, clock);
        EXPECT_EQ(OnScreen(view), test::ExpectedMap(view, quakes, clock)) << change.what;
    }
}

}  // namespace
}  // namespace tremolux
