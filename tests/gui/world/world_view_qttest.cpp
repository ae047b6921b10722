#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QToolTip>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "core/common/Clock.h"
#include "core/list/QuakeDetails.h"
#include "core/view/MagnitudeColor.h"
#include "core/world/DrawWorld.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/WatcherTest.h"
#include "gui/dialogs/CDia_Cities.h"
#include "gui/dialogs/CDia_Parameters.h"
#include "gui/dialogs/ModalDriver.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/WorldMapWindow.h"
#include "support/LoggedWarnings.h"
#include "support/PaintCounter.h"
#include "support/ShownToolTip.h"

using namespace tremolux;
using namespace tremolux::test;

namespace {

class WorldViewTest : public WatcherTest {
protected:
    // Starts the watcher, waits for its first load and opens a world map
    // from the map window it starts with.
    WorldMapWindow* StartWithWorldMap()
    {
        Start();
        if (!FirstLoad())
            return nullptr;
        frame->OnWindowNewWorldMap();
        QMdiSubWindow* window = frame->MdiArea()->activeSubWindow();
        auto* world = window ? qobject_cast<WorldMapWindow*>(window->widget()) : nullptr;
        if (world == nullptr)
            return nullptr;
        // Side by side: repainting the map window must not repaint this one.
        frame->resize(1400, 700);
        frame->OnWindowTileVert();
        paints = std::make_unique<PaintCounter>(world);
        if (!WaitUntil([&] {
                return world->width() > 600 && paints->count > 0 && world->PictureIsCurrent();
            }))
            return nullptr;
        return world;
    }

    // What the window shows once its quakes are drawn for what it shows now.
    static QImage Shown(WorldMapWindow* world)
    {
        world->update();
        EXPECT_TRUE(WaitUntil([world] { return world->PictureIsCurrent(); }));
        return world->grab().toImage();
    }

    static QPointF Where(const WorldMapWindow* world, double latitude, double longitude)
    {
        const ScreenPoint at =
            ViewProjection(world->City().position, world->width(), world->height(), world->View())
                .Project(latitude, longitude);
        return {at.x, at.y};
    }

    std::unique_ptr<PaintCounter> paints;
};

int CountColour(const QImage& picture, QPointF around, int reach, QColor colour)
{
    int count = 0;
    for (int y = int(around.y()) - reach; y <= int(around.y()) + reach; ++y)
        for (int x = int(around.x()) - reach; x <= int(around.x()) + reach; ++x)
            count += picture.valid(x, y) && picture.pixelColor(x, y) == colour;
    return count;
}

QColor ColourOf(double magnitude)
{
    const Rgb rgb = MagnitudeColor(magnitude);
    return {rgb.red, rgb.green, rgb.blue};
}

const QColor kLatestLoadRing(20, 20, 20);

}  // namespace

TEST_F(WorldViewTest, FollowsTheFeedAndRingsWhatTheLatestLoadBrought)
{
    WorldMapWindow* world = StartWithWorldMap();
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(world->City().name, "Tokyo");
    EXPECT_EQ(world->parentWidget()->windowTitle(), "World map: Tokyo");
    EXPECT_EQ(world->Settings().hours, View(0)->Settings().hours);

    const QPointF california = Where(world, 33.5, -116.46);
    QImage picture = Shown(world);
    EXPECT_GT(CountColour(picture, california, 3, ColourOf(2.7)), 4);
    EXPECT_EQ(CountColour(picture, california, 6, kLatestLoadRing), 0) << "the first list";

    // A reload that brings a quake off Vanuatu paints it at once, ringed.
    std::vector<Quake> moved = kFirstFeed;
    moved.insert(moved.begin(), {6.6, -15.0, 167.0, 1});
    server.Serve(Feed(moved));
    const int before = paints->count;
    ASSERT_TRUE(Reload());
    ASSERT_TRUE(WaitUntil([&] { return paints->count > before; }));
    const QPointF vanuatu = Where(world, -15.0, 167.0);
    picture = Shown(world);
    EXPECT_GT(CountColour(picture, vanuatu, 4, ColourOf(6.6)), 20);
    EXPECT_GT(CountColour(picture, vanuatu, 14, kLatestLoadRing), 20);
    EXPECT_EQ(CountColour(picture, california, 6, kLatestLoadRing), 0);

    // Parameters of one hour leave only the new quake.
    DisplaySettings hour = world->Settings();
    hour.hours = 1.0;
    world->SetSettings(hour);
    picture = Shown(world);
    EXPECT_EQ(CountColour(picture, california, 3, ColourOf(2.7)), 0);
    EXPECT_GT(CountColour(picture, vanuatu, 4, ColourOf(6.6)), 20);
}

TEST_F(WorldViewTest, TipShowsTheRegionAsWrittenNotAsMarkup)
{
    std::string feed = Feed(kFirstFeed);
    const std::string region = "Test region 2";
    feed.replace(feed.find(region), region.size(), "<b>" + region + "</b>");
    server.Serve(feed);
    WorldMapWindow* world = StartWithWorldMap();
    ASSERT_NE(world, nullptr);
    const QPoint california = Where(world, 33.5, -116.46).toPoint();
    QHelpEvent tip(QEvent::ToolTip, california, world->mapToGlobal(california));
    QApplication::sendEvent(world, &tip);
    EXPECT_TRUE(ShownToolTip().startsWith("M 2.7  <b>Test region 2</b>\n"))
        << ShownToolTip().toStdString();
}

TEST_F(WorldViewTest, ClickSelectsTheQuakeItsTipNamesAndALoadKeepsTheSelection)
{
    WorldMapWindow* world = StartWithWorldMap();
    ASSERT_NE(world, nullptr);
    QSignalSpy selected(world, &WorldMapWindow::quakeSelected);
    const QPoint california = Where(world, 33.5, -116.46).toPoint();

    QTest::mouseClick(world, Qt::LeftButton, {}, california + QPoint(1, 2));
    EXPECT_EQ(world->SelectedQuake(), 2);
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).toInt(), 2);

    QHelpEvent tip(QEvent::ToolTip, california, world->mapToGlobal(california));
    QApplication::sendEvent(world, &tip);
    EXPECT_EQ(ShownToolTip().toStdString(),
              QuakeDetails(frame->m_quakes.at(2), world->City().name, world->City().position,
                           frame->GetClock().Now())
                  + "\nEstimated intensity I at Tokyo");

    // The list is rebuilt with a newer quake first: the selection moves with its quake.
    std::vector<Quake> moved = kFirstFeed;
    moved.insert(moved.begin(), {6.6, -15.0, 167.0, 1});
    server.Serve(Feed(moved));
    ASSERT_TRUE(Reload());
    ASSERT_TRUE(WaitUntil([&] { return world->SelectedQuake() == 3; }));
    EXPECT_EQ(selected.last().at(0).toInt(), 3);

    // A drag from the quake pans and keeps the selection; a click on open sea clears it.
    const WorldView start = world->View();
    QTest::mousePress(world, Qt::LeftButton, {}, california);
    QTest::mouseMove(world, california + QPoint(20, 10));
    QTest::mouseMove(world, california + QPoint(40, -25));
    QTest::mouseRelease(world, Qt::LeftButton, {}, california + QPoint(40, -25));
    EXPECT_DOUBLE_EQ(world->View().offsetX, start.offsetX + 40);
    EXPECT_DOUBLE_EQ(world->View().offsetY, start.offsetY - 25);
    EXPECT_EQ(world->SelectedQuake(), 3);

    QTest::mouseClick(world, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(world->SelectedQuake(), -1);
    EXPECT_EQ(selected.last().at(0).toInt(), -1);
}

TEST_F(WorldViewTest, WheelZoomsAboutThePointerAndFitEarthShowsItWhole)
{
    WorldMapWindow* world = StartWithWorldMap();
    ASSERT_NE(world, nullptr);

    const QPointF at(200.0, 150.0);
    const QPointF before = Where(world, -12.0, -77.0);
    QWheelEvent wheel(at, world->mapToGlobal(at), {}, {0, 240}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(world, &wheel);
    EXPECT_DOUBLE_EQ(world->View().zoom, 1.25 * 1.25);
    // The point under the pointer stays; everything else moves away from it.
    const QPointF after = Where(world, -12.0, -77.0);
    EXPECT_NEAR(after.x() - at.x(), (before.x() - at.x()) * 1.5625, 1e-6);
    EXPECT_NEAR(after.y() - at.y(), (before.y() - at.y()) * 1.5625, 1e-6);

    // Meanwhile the land is the layer painted before, scaled; once the view
    // rests it is painted anew, as a window opened on this view paints it.
    const QImage moving = world->grab().toImage();
    ASSERT_TRUE(WaitUntil([&] { return world->grab().toImage() != moving; }));
    // The quakes may be drawn anew before the land is: the land waits for the
    // view to rest.
    QTest::qWait(400);
    const QImage settled = Shown(world);
    world->SetSettings(world->Settings());
    EXPECT_TRUE(Shown(world) == settled);

    // Zooming far out stops at the smallest Earth.
    QWheelEvent out(at, world->mapToGlobal(at), {}, {0, -120 * 20}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
    QApplication::sendEvent(world, &out);
    EXPECT_DOUBLE_EQ(world->View().zoom, kWorldMinZoom);

    const int painted = paints->count;
    world->setFocus();
    QTest::keyClick(world, Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(world->View().zoom, kWorldMinZoom * 1.25);
    QTest::keyClick(world, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(world->View().zoom, 1.0);
    EXPECT_DOUBLE_EQ(world->View().offsetX, 0.0);
    EXPECT_DOUBLE_EQ(world->View().offsetY, 0.0);
    EXPECT_TRUE(WaitUntil([&] { return paints->count > painted; }));
}

TEST_F(WorldViewTest, DoubleClickChoosesTheCityAndTheMenusTheParameters)
{
    WorldMapWindow* world = StartWithWorldMap();
    ASSERT_NE(world, nullptr);

    WhenModal<CDia_Cities>([](CDia_Cities* dialog) {
        auto* list = dialog->findChild<QListWidget*>("m_listCities");
        const auto found = list->findItems("Lima", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found.first());
        dialog->accept();
    });
    QTest::mouseDClick(world, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(world->City().name, "Lima");
    EXPECT_EQ(world->parentWidget()->windowTitle(), "World map: Lima");
    // Lima lies at the centre now.
    const QPointF lima =
        Where(world, world->City().position.latDecimal, world->City().position.lonDecimal);
    EXPECT_NEAR(lima.x(), world->width() / 2.0, 1e-9);
    EXPECT_EQ(View(0)->City().name, "Tokyo") << "the map window keeps its own city";

    WhenModal<CDia_Parameters>([](CDia_Parameters* dialog) {
        dialog->findChild<QLineEdit*>("m_editHours")->setText("2");
        dialog->accept();
    });
    QMenu* menu = world->CreateContextMenu(QPoint(30, 30));
    for (QAction* action : menu->actions()) {
        if (action->text() == "&Parameters…")
            action->trigger();
    }
    delete menu;
    EXPECT_EQ(world->Settings().hours, 2.0);

    // The main window's Map menu reaches an active world map as well.
    WhenModal<CDia_Parameters>([](CDia_Parameters* dialog) {
        dialog->findChild<QLineEdit*>("m_editHours")->setText("3");
        dialog->accept();
    });
    frame->OnMapParameters();
    EXPECT_EQ(world->Settings().hours, 3.0);

    // File > Close closes the active world map as it would a map window.
    QPointer<WorldMapWindow> closing = world;
    frame->OnFileClose();
    EXPECT_TRUE(WaitUntil([&] { return closing.isNull(); }));
    EXPECT_EQ(frame->MapWindows().size(), 1);
}

// Both kinds of window offer the Map menu's very actions, which act on the
// active window: the window whose menu opens becomes the active one.
TEST_F(WorldViewTest, ContextMenusOfferTheMapMenusOwnCommands)
{
    WorldMapWindow* world = StartWithWorldMap();
    ASSERT_NE(world, nullptr);
    const QList<QAction*> mapMenu = frame->menuBar()->actions().at(2)->menu()->actions();
    ASSERT_EQ(mapMenu.size(), 2);

    QMenu* worldMenu = world->CreateContextMenu(Where(world, 33.5, -116.46).toPoint());
    const QList<QAction*> items = worldMenu->actions();
    ASSERT_EQ(items.size(), 9);
    EXPECT_EQ(items.at(0)->text(), "Zoom &In");
    EXPECT_EQ(items.mid(4, 2), mapMenu);
    EXPECT_EQ(items.at(7)->text(), "C&opy quake details");
    EXPECT_EQ(world->SelectedQuake(), 2);
    delete worldMenu;

    CTremoluxView* polar = View(0);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(10, 10),
                          polar->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(polar, &key);
    auto* polarMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(polarMenu, nullptr);
    EXPECT_EQ(polarMenu->actions().mid(0, 2), mapMenu);
    WhenModal<CDia_Parameters>([](CDia_Parameters* dialog) {
        dialog->findChild<QLineEdit*>("m_editHours")->setText("5");
        dialog->accept();
    });
    polarMenu->actions().at(1)->trigger();
    polarMenu->close();
    EXPECT_EQ(polar->Settings().hours, 5.0);
    EXPECT_NE(world->Settings().hours, 5.0);
}

TEST_F(WorldViewTest, ALandFileThatCannotBeReadIsSaidLoggedAndOpensNothing)
{
    Start();
    const int windows = frame->MdiArea()->subWindowList().size();
    const LoggedWarnings warnings;
    QString said;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        said = box->text();
        box->accept();
    });
    EXPECT_EQ(OpenWorldMap(*frame->MdiArea(), frame->m_quakes, frame->GetClock(), {},
                           QString(TREMOLUX_TEST_DATA) + "/no-such-land.bin"),
              nullptr);
    EXPECT_TRUE(said.startsWith("The world map cannot be shown: ")) << said.toStdString();
    EXPECT_TRUE(said.contains("no-such-land.bin: No such file or directory")) << said.toStdString();
    EXPECT_TRUE(warnings.Lines().contains("tremolux.session: " + said))
        << warnings.Lines().join('\n').toStdString();
    EXPECT_EQ(frame->MdiArea()->subWindowList().size(), windows);
}
