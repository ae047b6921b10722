#include <QFile>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gui/app/CTremoluxDoc.h"
#include "gui/app/QuakeDocks.h"
#include "gui/app/WatcherTest.h"
#include "gui/feed/FeedView.h"
#include "gui/list/QuakeListPanel.h"
#include "gui/list/QuakeTableModel.h"
#include "gui/world/WorldMapWindow.h"

namespace tremolux {
namespace {

using test::WaitUntil;
using test::WatcherTest;

MapWindow WindowAt(const std::string& name, double latitude, double longitude, double hours)
{
    MapWindow window;
    window.city = CityAt(name, latitude, longitude);
    window.settings.hours = hours;
    return window;
}

QStringList Titles(const QList<QMdiSubWindow*>& windows)
{
    QStringList titles;
    for (QMdiSubWindow* window : windows)
        titles << window->windowTitle();
    return titles;
}

// Three windows, one from a file, one minimised, one on a city that no city
// file holds, come back where they were, in their stacking order.
TEST_F(WatcherTest, MapWindowsComeBackAfterExit)
{
    Start();
    QTemporaryDir dir;
    CChildFrame* tokyo = frame->MapWindows().at(0);
    ASSERT_TRUE(WaitUntil([&] { return tokyo->GetView()->City().name == "Tokyo"; }));
    CChildFrame* manila = frame->OpenMapWindow(WindowAt("Manila", 14.5995, 120.9842, 24));
    const QString file = dir.filePath("manila.tremolux");
    ASSERT_TRUE(manila->GetDocument().OnSaveDocument(file, manila->GetView()->Content()));
    CChildFrame* hut = frame->OpenMapWindow(WindowAt("Our Hut", 61.2181, -149.9003, 96));
    tokyo->setGeometry(10, 20, 300, 240);
    manila->setGeometry(60, 40, 320, 260);
    hut->setGeometry(100, 80, 280, 200);
    hut->showMinimized();
    frame->MdiArea()->setActiveSubWindow(tokyo);
    const QStringList stack = Titles(frame->MdiArea()->subWindowList(QMdiArea::StackingOrder));
    ASSERT_EQ(stack, (QStringList{"Our Hut", "manila.tremolux", "Tokyo"}));
    frame->Docks().Panel().Table()->sortByColumn(QuakeTableModel::Region, Qt::AscendingOrder);
    frame->close();
    app.reset();

    Start();
    const QHeaderView* listHeader = frame->Docks().Panel().Table()->horizontalHeader();
    EXPECT_EQ(listHeader->sortIndicatorSection(), QuakeTableModel::Region);
    EXPECT_EQ(listHeader->sortIndicatorOrder(), Qt::AscendingOrder);
    ASSERT_EQ(frame->MapWindows().size(), 3);
    EXPECT_EQ(Titles(frame->MdiArea()->subWindowList(QMdiArea::StackingOrder)), stack);
    ASSERT_NE(frame->ActiveMapWindow(), nullptr);
    EXPECT_EQ(frame->ActiveMapWindow()->windowTitle(), "Tokyo");

    const QList<CChildFrame*> windows = frame->MapWindows();  // now in stacking order
    const MapWindow restoredHut = windows[0]->GetView()->Content();
    EXPECT_EQ(restoredHut.city.name, "Our Hut");
    EXPECT_EQ(restoredHut.city.position.latDecimal, 61.2181);
    EXPECT_EQ(restoredHut.city.position.lonDecimal, -149.9003);
    EXPECT_EQ(restoredHut.settings.hours, 96);
    EXPECT_TRUE(windows[0]->isMinimized());

    const MapWindow restoredManila = windows[1]->GetView()->Content();
    EXPECT_EQ(restoredManila.city.name, "Manila");
    EXPECT_EQ(restoredManila.settings.hours, 24);
    EXPECT_EQ(windows[1]->GetDocument().GetPathName(), file);
    EXPECT_EQ(windows[1]->geometry(), QRect(60, 40, 320, 260));

    EXPECT_EQ(windows[2]->geometry(), QRect(10, 20, 300, 240));
    EXPECT_EQ(windows[2]->GetView()->City().name, "Tokyo");
    windows[0]->showNormal();
    EXPECT_EQ(windows[0]->geometry(), QRect(100, 80, 280, 200));
}

WorldMapWindow* WorldIn(QMdiSubWindow* window)
{
    return window != nullptr ? qobject_cast<WorldMapWindow*>(window->widget()) : nullptr;
}

bool HasWindowMenu(const QMenuBar* bar)
{
    for (const QAction* menu : bar->actions()) {
        if (menu->text() == "&Window")
            return true;
    }
    return false;
}

// World maps come back too, with their city, settings, zoom and pan, in the
// stack among the polar windows; alone, they keep the Window menu.
TEST_F(WatcherTest, WorldMapsComeBackAfterExit)
{
    Start();
    frame->OnWindowNewWorldMap();
    WorldMapWindow* world = WorldIn(frame->MdiArea()->currentSubWindow());
    ASSERT_NE(world, nullptr);
    world->SetCity(CityAt("Lima", -12.0464, -77.0428));
    DisplaySettings settings = world->Settings();
    settings.hours = 12.0;
    world->SetSettings(settings);
    world->SetView(WorldView{3.0, 40.0, -25.0});
    world->parentWidget()->setGeometry(30, 30, 420, 380);
    frame->MdiArea()->setActiveSubWindow(frame->MapWindows().at(0));
    frame->close();
    app.reset();

    Start();
    const QStringList stack = Titles(frame->MdiArea()->subWindowList(QMdiArea::StackingOrder));
    ASSERT_EQ(stack, (QStringList{"World map: Lima", "Tokyo"}));
    EXPECT_EQ(frame->ActiveMapWindow(), frame->MapWindows().at(0));
    QMdiSubWindow* window = frame->MdiArea()->subWindowList(QMdiArea::StackingOrder).at(0);
    world = WorldIn(window);
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(world->City().position.latDecimal, -12.0464);
    EXPECT_EQ(world->Settings().hours, 12.0);
    EXPECT_EQ(world->View().zoom, 3.0);
    EXPECT_EQ(world->View().offsetX, 40.0);
    EXPECT_EQ(world->View().offsetY, -25.0);
    EXPECT_EQ(window->geometry(), QRect(30, 30, 420, 380));

    frame->MapWindows().at(0)->close();
    ASSERT_TRUE(WaitUntil([&] { return frame->MapWindows().isEmpty(); }));
    EXPECT_TRUE(HasWindowMenu(frame->menuBar()));
    frame->MdiArea()->setActiveSubWindow(window);
    frame->close();
    app.reset();

    // The world map alone is a session of its own: no polar window is added.
    // A zoom that makes no sense, or is past the deepest, is not taken.
    for (const QString& zoom : {QStringLiteral("huge"), QString::number(kWorldMaxZoom * 1.5)}) {
        {
            AppSettings stored;
            stored.beginWriteArray(settings::kSessionWindows, 1);
            stored.setArrayIndex(0);
            stored.setValue(settings::kWindowZoom, zoom);
            stored.endArray();
        }
        Start();
        EXPECT_TRUE(frame->MapWindows().isEmpty());
        world = WorldIn(frame->MdiArea()->currentSubWindow());
        ASSERT_NE(world, nullptr);
        EXPECT_EQ(world->City().name, "Lima");
        EXPECT_EQ(world->View().zoom, 1.0) << zoom.toStdString();
        EXPECT_TRUE(HasWindowMenu(frame->menuBar()));
        frame->close();
        app.reset();
    }
}

// A session grown past the cap brings back the first windows only, and the
// one stored as active is active again, though another lies on top.
TEST_F(WatcherTest, RestoredWindowsAreCappedAndTheActiveOneIsKept)
{
    {
        AppSettings stored;
        stored.setValue(settings::kSessionActiveWindow, 1);
        stored.beginWriteArray(settings::kSessionWindows, settings::kMaxSessionWindows + 1);
        for (int i = 0; i <= settings::kMaxSessionWindows; ++i) {
            stored.setArrayIndex(i);
            stored.setValue("city", QString("Place %1").arg(i));
            stored.setValue("latitude", "10");
            stored.setValue("longitude", QString::number(i));
        }
        stored.endArray();
    }
    Start();
    EXPECT_EQ(frame->MapWindows().size(), settings::kMaxSessionWindows);
    ASSERT_NE(frame->ActiveMapWindow(), nullptr);
    EXPECT_EQ(frame->ActiveMapWindow()->windowTitle(), "Place 1");
}

// Stored values that make no sense give way to a new window's; nothing is
// trusted blindly and start-up still completes.
TEST_F(WatcherTest, CorruptSessionFallsBackToDefaults)
{
    {
        AppSettings settings;
        settings.setValue(settings::kSessionFrameGeometry, QByteArray("\x01\x02garbage"));
        settings.setValue(settings::kSessionFrameState, QByteArray("nonsense"));
        settings.setValue(settings::kSessionActiveWindow, 7);
        settings.beginWriteArray(settings::kSessionWindows, 2);
        settings.setArrayIndex(0);
        settings.setValue("city", "Lima");
        settings.setValue("latitude", "south");
        settings.setValue("longitude", "-77.04");
        settings.setValue("hours", "lots");
        settings.setValue("nearest_km", 99999999);
        settings.setValue("pie_km", 500);
        settings.setValue(settings::kWindowGeometry, "not a rectangle");
        settings.setValue(settings::kWindowShow, "sideways");
        settings.setArrayIndex(1);
        settings.setValue("city", "Far Out");
        settings.setValue("latitude", "10");
        settings.setValue("longitude", "20");
        settings.setValue(settings::kWindowGeometry, QRect(50000, -9000, 300, 200));
        settings.endArray();
    }
    Start();
    ASSERT_TRUE(started);
    ASSERT_EQ(frame->MapWindows().size(), 2);
    CTremoluxView* lima = View(0);
    ASSERT_TRUE(WaitUntil([&] { return lima->City().name == "Tokyo"; }))
        << "a city with a bad position is not taken";
    EXPECT_EQ(lima->Content().settings.hours, DisplaySettings().hours);
    EXPECT_EQ(lima->Content().settings.nearestRadius, DisplaySettings().nearestRadius);
    EXPECT_EQ(lima->Content().settings.pieRadius, 500000.0);
    EXPECT_FALSE(frame->MapWindows().at(0)->isMinimized());
    EXPECT_FALSE(frame->MapWindows().at(0)->isMaximized());

    // A window off the area is moved into view.
    const QRect area = frame->MdiArea()->viewport()->rect();
    EXPECT_TRUE(area.contains(frame->MapWindows().at(1)->geometry()))
        << frame->MapWindows().at(1)->geometry().x();
    EXPECT_EQ(frame->ActiveMapWindow(), frame->MapWindows().at(1));
}

// Files and --feed given on the command line win over the stored session.
TEST_F(WatcherTest, CommandLineWinsOverTheSession)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("empty.tremolux");
    QFile(file).open(QIODevice::WriteOnly);
    Start();
    frame->OnFileNew();
    frame->SetFeed(QStringLiteral("file:///nowhere/stored.geojson"));
    frame->close();
    app.reset();

    Start(kFeedTimeout, std::chrono::milliseconds(10), {file});
    ASSERT_EQ(frame->MapWindows().size(), 1);
    EXPECT_EQ(frame->MapWindows().at(0)->windowTitle(), "empty.tremolux");
    EXPECT_EQ(g_pFeedView->Address(), server.Url());
    frame->close();
    app.reset();

    feedOnCommandLine = false;
    Start();
    EXPECT_EQ(frame->MapWindows().size(), 1);
    EXPECT_EQ(g_pFeedView->Address(), "file:///nowhere/stored.geojson");
}

TEST_F(WatcherTest, FirstSizeFitsTheScreen)
{
    Start();
    const QRect available = frame->screen()->availableGeometry();
    EXPECT_LE(frame->frameGeometry().width(), available.width());
    EXPECT_LE(frame->frameGeometry().height(), available.height());
    EXPECT_TRUE(frame->m_wndStatusBar->isVisible());
}

}  // namespace
}  // namespace tremolux
