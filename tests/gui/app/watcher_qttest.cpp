#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include "support/Wait.h"
#include "gui/app/CAboutDlg.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CTremoluxApp.h"
#include "gui/app/CTremoluxDoc.h"
#include "gui/app/RecentFiles.h"
#include "gui/common/Settings.h"
#include "core/cities/CityEntry.h"
#include "core/cities/CityFile.h"
#include "support/PaintCounter.h"
#include "support/TestServer.h"
#include "gui/view/CTremoluxView.h"

#include "gui/app/WatcherTest.h"

namespace tremolux {
namespace {

using test::AnswerModal;
using test::BoxText;
using test::ChooseFile;
using test::Feed;
using test::kFirstFeed;
using test::PaintCounter;
using test::Quake;
using test::TestServer;
using test::WaitUntil;
using test::WatcherTest;

QStringList MenuItems(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return items;
}

QStringList MenuBar(CMainFrame* frame)
{
    QStringList bar;
    for (const QAction* action : frame->menuBar()->actions())
        bar << action->text() + ": " + MenuItems(action->menu()).join(" | ");
    return bar;
}

TEST_F(WatcherTest, StartsWithTokyoAndPaintsTheFirstLoad)
{
    Start();
    ASSERT_EQ(frame->MapWindows().size(), 1);
    EXPECT_EQ(CurrentCity.name, "Tokyo");
    EXPECT_NEAR(CurrentCity.position.latDecimal, 35.68948889, 1e-8);
    EXPECT_NEAR(CurrentCity.position.lonDecimal, 139.69170556, 1e-8);
    EXPECT_EQ(app->FeedDocument()->GetTitle(), "Tremolux data");
    EXPECT_EQ(StartupDirectory, QDir::currentPath().toStdString());

    ASSERT_TRUE(FirstLoad());
    EXPECT_EQ(frame->m_quakes.at(0).region, "Test region 0");
    EXPECT_EQ(tone.frequencies, std::vector<int>{1080});
    EXPECT_EQ(frame->FeedStatus(), "3 quakes, updated 06:00 UTC");

    CTremoluxView* view = View(0);
    ASSERT_TRUE(WaitUntil([&] { return view->City().name == "Tokyo"; }));
    EXPECT_EQ(frame->MapWindows().at(0)->windowTitle(), "Tokyo");
    EXPECT_EQ(frame->windowTitle(), "Tremolux - Tokyo");
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), " 48 hr   3000 max   300 pie");

    // The map is on screen: green background, the index box in its corner,
    // and the newest quake's ray in its colour (magnitude 5.4: red 137, green 117).
    ASSERT_TRUE(WaitUntil([&] { return view->PictureIsCurrent(); }));
    const QImage picture = view->grab().toImage();
    EXPECT_EQ(picture.pixelColor(picture.width() - 5, picture.height() - 5), QColor(0, 200, 0));
    EXPECT_NE(picture.pixelColor(12, 12), QColor(0, 200, 0));
    int rayPixels = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            rayPixels += picture.pixelColor(x, y) == QColor(137, 117, 0);
    EXPECT_GT(rayPixels, 100);
}

TEST_F(WatcherTest, ToneOnlyWhenTheNewestQuakeMoves)
{
    Start();
    ASSERT_TRUE(FirstLoad());

    ASSERT_TRUE(Reload());
    EXPECT_EQ(server.RequestCount(), 2);
    EXPECT_EQ(tone.frequencies.size(), 1u);

    std::vector<Quake> moved = kFirstFeed;
    moved.insert(moved.begin(), {4.1, -12.5, 166.7, 1});
    server.Serve(Feed(moved));
    ASSERT_TRUE(Reload());
    EXPECT_EQ(frame->m_quakes.count(), 4);
    EXPECT_EQ(tone.frequencies, (std::vector<int>{1080, 819}));

    std::vector<Quake> sameLatitude = moved;
    sameLatitude.insert(sameLatitude.begin(), {6.0, -12.5, 100.0, 0});
    server.Serve(Feed(sameLatitude));
    ASSERT_TRUE(Reload());
    EXPECT_EQ(frame->m_quakes.count(), 5);
    EXPECT_EQ(tone.frequencies.size(), 2u);
}

// An idle watcher does not poll: the poll timer runs from a reload until its
// page has been parsed, whatever the outcome.
TEST_F(WatcherTest, PollsOnlyWhileAPageIsAwaited)
{
    Start();
    EXPECT_TRUE(frame->Polling());
    ASSERT_TRUE(FirstLoad());
    ASSERT_TRUE(WaitUntil([this] { return !frame->Polling(); }));

    server.ServeStatus(500);
    frame->OnTimer(MainCycle::ID_TIMER_REFRESH);
    EXPECT_TRUE(frame->Polling());
    ASSERT_TRUE(WaitUntil([this] { return !frame->Cycle().PagePending(); }));
    EXPECT_FALSE(frame->Polling());

    server.Serve(Feed(kFirstFeed));
    ASSERT_TRUE(Reload());
    EXPECT_FALSE(frame->Polling());
    EXPECT_EQ(frame->m_quakes.count(), 3);
}

// A page is read when it is delivered, however far off the next poll tick is:
// good or failed, the first load and a reload each end without one.
TEST_F(WatcherTest, ADeliveredPageIsReadWithoutWaitingForThePollTick)
{
    Start(kFeedTimeout, std::chrono::hours(1));
    ASSERT_TRUE(FirstLoad());
    server.ServeStatus(500);
    frame->OnTimer(MainCycle::ID_TIMER_REFRESH);
    EXPECT_TRUE(WaitUntil([this] { return !frame->Cycle().PagePending(); }));
    server.Serve(Feed({kFirstFeed[0]}));
    frame->OnTimer(MainCycle::ID_TIMER_REFRESH);
    EXPECT_TRUE(WaitUntil([this] { return frame->m_quakes.count() == 1; }));
}

// A reload that fails keeps the quakes on screen and says why in the status bar.
TEST_F(WatcherTest, FailedReloadsKeepTheList)
{
    Start(std::chrono::milliseconds(300));
    ASSERT_TRUE(FirstLoad());

    const std::vector<std::pair<std::function<void()>, QString>> failures = {
        {[&] { server.ServeStatus(500); }, "Feed failed: HTTP 500"},
        {[&] { server.ServeTruncated(Feed(kFirstFeed), 150); }, "arrived incomplete"},
        {[&] { server.ServeStall(); }, "no complete answer within 0.3 s"},
        {[&] { server.Stop(); }, "refused"},
    };
    for (const auto& [arrange, reason] : failures) {
        arrange();
        ASSERT_TRUE(Reload()) << reason.toStdString();
        EXPECT_EQ(frame->m_quakes.count(), 3) << reason.toStdString();
        EXPECT_TRUE(frame->FeedStatus().contains(reason)) << frame->FeedStatus().toStdString();
        EXPECT_TRUE(frame->FeedStatus().contains("showing 3 quakes from 06:00 UTC"))
            << frame->FeedStatus().toStdString();
    }
    EXPECT_EQ(tone.frequencies.size(), 1u);
}

// With no page at all, the parser's failure box opens once; further failures
// while it is open only reach the status bar, and a good reload completing
// meanwhile is parsed inside the box.
TEST_F(WatcherTest, FailureBoxesNeverStack)
{
    server.Stop();
    Start();

    int boxesSeen = 0;
    bool sawStackedBox = false;
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* other = qobject_cast<QMessageBox*>(widget);
            if (other != nullptr && other != box && other->isVisible())
                sawStackedBox = true;
        }
        if (box->property("seen").toBool())
            return;
        box->setProperty("seen", true);
        ++boxesSeen;
        EXPECT_EQ(box->text(), "Error: no GetHtmlDocument()");

        ASSERT_TRUE(Reload());  // fails again while the box is open
        EXPECT_TRUE(frame->FeedStatus().contains("refused")) << frame->FeedStatus().toStdString();

        TestServer second;
        second.Serve(Feed(kFirstFeed));
        g_pFeedView->Navigate2(second.Url());
        frame->OnTimer(MainCycle::ID_TIMER_REFRESH);
        EXPECT_TRUE(FirstLoad());
        box->accept();
    });
    watcher.start();

    ASSERT_TRUE(
        WaitUntil([&] { return boxesSeen == 1 && QApplication::activeModalWidget() == nullptr; }));
    watcher.stop();
    EXPECT_FALSE(sawStackedBox);
    EXPECT_EQ(frame->m_quakes.count(), 3);
    EXPECT_EQ(tone.frequencies, std::vector<int>{1080});
}

TEST_F(WatcherTest, MenusAndToolbarHoldTheirItems)
{
    Start();
    ASSERT_TRUE(WaitUntil([&] { return View(0)->City().name == "Tokyo"; }));
    emit frame->menuBar()->actions().at(4)->menu()->aboutToShow();
    EXPECT_EQ(
        MenuBar(frame),
        (QStringList{
            "&File: &New\tCtrl+N | &Open... | &Save | &Close | Open &Feed... | "
            "&Refresh Now | &Export List... | - | E&xit",
            "&View: &Toolbar | &Status Bar | - | &Quake List | &Legend",
            "&Map: Choose &City… | &Parameters…",
            "&Options: &Feed... | Show &Times In | &Keep History | - | &Alerts… | S&nooze Alerts",
            "&Window: &Cascade | &Tile | &Arrange Icons | - | Tile Vertically | "
            "Tile Horizontally | - | Ne&xt Window | Pre&vious Window | - | "
            "New &World Map | - | &1 Tokyo",
            "&Help: &Help Topics | - | &About Tremolux...",
        }));

    frame->MapWindows().at(0)->close();
    ASSERT_TRUE(WaitUntil([&] { return frame->MapWindows().isEmpty(); }));
    EXPECT_EQ(
        MenuBar(frame),
        (QStringList{
            "&File: &New\tCtrl+N | New &World Map | &Open... | Open &Feed... | "
            "&Refresh Now | &Export List... | - | &Close | E&xit",
            "&View: &Toolbar | &Status Bar | - | &Quake List | &Legend",
            "&Options: &Feed... | Show &Times In | &Keep History | - | &Alerts… | S&nooze Alerts",
            "&Help: &Help Topics | - | &About Tremolux...",
        }));
    EXPECT_EQ(frame->windowTitle(), "Tremolux");

    QStringList buttons;
    for (QAction* action : frame->ToolBar()->actions())
        buttons << action->toolTip() + " / " + action->statusTip();
    EXPECT_EQ(buttons,
              (QStringList{"New / Create a new document", "Refresh Now / Reload the quake feed now",
                           "Arrange windows vertically / Arrange windows vertically",
                           "Arrange windows horizontally / Arrange windows horizontally"}));

    // The toolbar's New opens a map window at once; the menus switch back.
    frame->ToolBar()->actions().at(0)->trigger();
    EXPECT_EQ(frame->MapWindows().size(), 1);
    EXPECT_EQ(frame->menuBar()->actions().size(), 6);

    QStringList shortcuts;
    for (QAction* action : frame->actions())
        shortcuts << action->shortcut().toString();
    EXPECT_EQ(shortcuts, (QStringList{"Ctrl+N", "Ctrl+O", "Ctrl+S", "F1", "Shift+F1", "Ctrl+F4",
                                      "F5", "Ctrl+L", "Ctrl+P", "Ctrl+Tab", "Ctrl+Shift+Tab"}));
}

TEST_F(WatcherTest, TilingPlacesWindowsSideBySideOrStacked)
{
    Start();
    frame->OnFileNew();
    frame->OnFileNew();
    const QList<CChildFrame*> windows = frame->MapWindows();
    ASSERT_EQ(windows.size(), 3);
    const QSize area = frame->MdiArea()->viewport()->size();

    frame->OnWindowTileVert();
    int x = 0;
    for (CChildFrame* window : windows) {
        EXPECT_EQ(window->geometry().top(), 0);
        EXPECT_EQ(window->geometry().left(), x);
        EXPECT_EQ(window->height(), area.height());
        x += window->width();
    }
    EXPECT_EQ(x, area.width());

    frame->OnWindowTileHorz();
    int y = 0;
    for (CChildFrame* window : windows) {
        EXPECT_EQ(window->geometry().left(), 0);
        EXPECT_EQ(window->geometry().top(), y);
        EXPECT_EQ(window->width(), area.width());
        y += window->height();
    }
    EXPECT_EQ(y, area.height());
}

// An empty file (what Save once wrote) opens as a new window, named after it.
TEST_F(WatcherTest, AnEmptyFileOpensAsTheDefaultWindow)
{
    Start();
    QTemporaryDir dir;
    const QString opened = dir.filePath("old.tremolux");
    QFile file(opened);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    CChildFrame* window = frame->OpenDocumentFile(opened);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(frame->MapWindows().size(), 2);
    EXPECT_EQ(window->GetDocument().GetTitle(), "old.tremolux");
    EXPECT_EQ(RecentFiles().value(0), opened);
    EXPECT_EQ(window->GetView()->Content().settings.hours, DisplaySettings().hours);
    ASSERT_TRUE(WaitUntil([&] { return window->GetView()->City().name == "Tokyo"; }));

    for (int i = 0; i < 20; ++i)
        AddRecentFile(dir.filePath(QString("f%1").arg(i)));
    EXPECT_EQ(RecentFiles().size(), kMaxRecentFiles);
    EXPECT_EQ(RecentFiles().value(0), dir.filePath("f19"));
}

// The message pane shows a menu's prompt while it is browsed, then the active
// window's settings again, or the idle text when no map window is open.
TEST_F(WatcherTest, MessagePaneFollowsViewsAndMenus)
{
    Start();
    CTremoluxView* first = View(0);
    ASSERT_TRUE(WaitUntil([&] { return first->City().name == "Tokyo"; }));
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), " 48 hr   3000 max   300 pie");

    QStatusTipEvent prompt(QStringLiteral("Create a new document"));
    QApplication::sendEvent(frame, &prompt);
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), "Create a new document");
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(frame, &leave);
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), " 48 hr   3000 max   300 pie");

    first->parentWidget()->close();
    ASSERT_TRUE(WaitUntil([&] { return frame->MapWindows().isEmpty(); }));
    QApplication::sendEvent(frame, &prompt);
    QApplication::sendEvent(frame, &leave);
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), " ");
}

// Every map window shows the page the poll tick parsed, without waiting for
// any other event: each draws its picture on its own and then repaints with
// it: first load and reload.
TEST_F(WatcherTest, EveryMapWindowShowsThePageOfThePollTick)
{
    Start(kFeedTimeout, std::chrono::hours(1));  // polls come from the test
    frame->OnFileNew();
    frame->OnWindowTileVert();
    QApplication::processEvents();
    PaintCounter first(View(0));
    PaintCounter second(View(1));

    auto pollOnceLoaded = [&] {
        if (!WaitUntil(
                [] { return g_pFeedView->GetReadyState() == FeedBrowser::kReadyStateComplete; }))
            return false;
        QApplication::processEvents();
        const int before[2] = {first.count, second.count};
        frame->OnTimer(MainCycle::ID_TIMER_POLL);
        return WaitUntil([&] {
            return first.count > before[0] && second.count > before[1]
                   && View(0)->PictureIsCurrent() && View(1)->PictureIsCurrent();
        });
    };
    EXPECT_TRUE(pollOnceLoaded()) << "first load";
    EXPECT_EQ(frame->m_quakes.count(), 3);

    std::vector<Quake> moved = kFirstFeed;
    moved.insert(moved.begin(), {6.6, 35.9, 140.1, 1});
    server.Serve(Feed(moved));
    frame->OnTimer(MainCycle::ID_TIMER_REFRESH);
    EXPECT_TRUE(pollOnceLoaded()) << "reload";
    EXPECT_EQ(frame->m_quakes.count(), 4);
}

// A parse that fails repaints too, once its box is closed.
TEST_F(WatcherTest, MapWindowsRepaintAfterAFailedParse)
{
    server.Stop();
    Start(kFeedTimeout, std::chrono::hours(1));
    PaintCounter view(View(0));
    int before = -1;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            before = view.count;
            box->close();
        }
    });
    closer.start(20);
    ASSERT_TRUE(WaitUntil([this] { return !frame->Cycle().PagePending(); }));
    EXPECT_EQ(frame->Cycle().LastParseFailure(), "Error: no GetHtmlDocument()");
    ASSERT_GE(before, 0);
    EXPECT_TRUE(WaitUntil([&] { return view.count > before; }));
}

// The message pane shows the settings of the active map window, whichever
// window painted last.
TEST_F(WatcherTest, MessagePaneFollowsTheActiveWindow)
{
    Start();
    ASSERT_TRUE(FirstLoad());
    CChildFrame* tokyo = frame->MapWindows().at(0);
    CChildFrame* other = frame->OnFileNew();
    DisplaySettings wide;
    wide.hours = 168.0;
    wide.nearestRadius = 15000000.0;
    wide.pieRadius = 1000000.0;
    other->GetView()->SetSettings(wide);
    const QString wideText = " 168 hr   15000 max   1000 pie";
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), wideText);

    frame->MdiArea()->setActiveSubWindow(tokyo);
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), " 48 hr   3000 max   300 pie");
    other->GetView()->repaint();
    ASSERT_TRUE(Reload());
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), " 48 hr   3000 max   300 pie");

    frame->MdiArea()->setActiveSubWindow(other);
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), wideText);
    ASSERT_TRUE(Reload());
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), wideText);
}

TEST_F(WatcherTest, StartUpOpensOneWindowPerFile)
{
    QTemporaryDir dir;
    const QStringList files = {dir.filePath("tokyo.tmx"), dir.filePath("lima.tmx")};
    for (const QString& path : files) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Start(kFeedTimeout, std::chrono::milliseconds(10), files);
    ASSERT_TRUE(started);
    ASSERT_EQ(frame->MapWindows().size(), 2);
    EXPECT_EQ(frame->MapWindows().at(0)->GetDocument().GetTitle(), "tokyo.tmx");
    EXPECT_EQ(frame->MapWindows().at(1)->GetDocument().GetTitle(), "lima.tmx");
}

// A FILE that cannot be opened ends start-up with a box saying why, before
// any window opens for the files before it.
TEST_F(WatcherTest, StartUpStopsAtAFileItCannotOpen)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.tmx");
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString fifo = dir.filePath("fifo.tmx");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::vector<std::pair<QString, QString>> cases = {
        {dir.filePath("missing.tmx"), ": there is no such file."},
        {dir.path(), ": it is a directory, not a file."},
        {fifo, ": it is a FIFO, not a regular file."},
        {"/dev/zero", ": it is a device, not a regular file."},
    };
    for (const auto& [bad, reason] : cases) {
        const QString shown = BoxText([&] {
            Start(kFeedTimeout, std::chrono::milliseconds(10), {good, bad});
        });
        EXPECT_FALSE(started);
        EXPECT_EQ(shown, bad + " cannot be opened" + reason);
        EXPECT_TRUE(frame->MapWindows().isEmpty());
    }
}

// Open, Save and Close as the menu and keyboard run them, file dialogs included.
TEST_F(WatcherTest, OpenSaveAndCloseCommands)
{
    Start();
    QTemporaryDir dir;
    const QString opened = dir.filePath("opened.tmx");
    QFile file(opened);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    auto command = [&](const QString& shortcut) {
        for (QAction* action : frame->actions())
            if (action->shortcut().toString() == shortcut)
                return action;
        return static_cast<QAction*>(nullptr);
    };

    AnswerModal<QFileDialog>(ChooseFile(opened), [&] { command("Ctrl+O")->trigger(); });
    ASSERT_EQ(frame->MapWindows().size(), 2);
    EXPECT_EQ(frame->ActiveMapWindow()->GetDocument().GetTitle(), "opened.tmx");

    const QString saved = dir.filePath("saved.tmx");
    AnswerModal<QFileDialog>(ChooseFile(saved), [&] { command("Ctrl+S")->trigger(); });
    QFile written(saved);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("Tremolux map window 1\ncity=Tokyo\n"));
    EXPECT_EQ(frame->ActiveMapWindow()->GetDocument().GetTitle(), "saved.tmx");
    EXPECT_EQ(RecentFiles().value(0), saved);

    // A name typed without extension gets the one the Open dialog shows.
    AnswerModal<QFileDialog>(
        [&](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            if (name == nullptr)
                return false;
            name->setText(dir.filePath("manila"));
            static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
            return true;
        },
        [&] { command("Ctrl+S")->trigger(); });
    EXPECT_TRUE(QFile::exists(dir.filePath("manila.tremolux")));
    EXPECT_FALSE(QFile::exists(dir.filePath("manila")));

    frame->OnFileClose();
    ASSERT_TRUE(WaitUntil([&] { return frame->MapWindows().size() == 1; }));
    EXPECT_EQ(frame->MapWindows().at(0)->GetDocument().GetTitle(), "Tokyo");
}

// The cycle runs on the poll and reload periods of the classic program.
TEST(CycleTimingsTest, PollEveryTenthSecondReloadEveryFiveMinutes)
{
    const CycleTimings timings;
    EXPECT_EQ(timings.poll, std::chrono::milliseconds(100));
    EXPECT_EQ(timings.refresh, std::chrono::milliseconds(300000));
}

TEST(AboutBoxTest, ShowsIconVersionAndOk)
{
    CAboutDlg dialog("data/sample_week.geojson");
    EXPECT_EQ(dialog.windowTitle(), "About Tremolux");
    QStringList texts;
    int pictures = 0;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull())
            ++pictures;
        else
            texts << label->text();
    }
    EXPECT_EQ(pictures, 1);
    EXPECT_EQ(texts.value(0), "Tremolux Version 2.0");
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "OK");
    EXPECT_TRUE(buttons[0]->isDefault());
}

}  // namespace
}  // namespace tremolux
