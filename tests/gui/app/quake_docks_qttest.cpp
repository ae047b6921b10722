#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QTableView>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include "core/feed/QuakeList.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/QuakeDocks.h"
#include "gui/common/Settings.h"
#include "gui/legend/LegendWidget.h"
#include "gui/list/QuakeListPanel.h"
#include "gui/list/QuakeSortFilter.h"
#include "gui/list/QuakeTableModel.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/WorldMapWindow.h"

#include "gui/app/WatcherTest.h"
#include "support/PaintCounter.h"

// Stands in for the desktop's browser: the addresses it was asked to open.
class OpenedPages : public QObject {
    Q_OBJECT
public:
    OpenedPages()
    {
        QDesktopServices::setUrlHandler("https", this, "open");
        QDesktopServices::setUrlHandler("http", this, "open");
        QDesktopServices::setUrlHandler("file", this, "open");
    }
    ~OpenedPages() override
    {
        for (const char* scheme : {"https", "http", "file"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> pages;

public slots:
    void open(const QUrl& url) { pages << url; }
};

namespace tremolux {
namespace {

using test::Feed;
using test::kFirstFeed;
using test::Quake;
using test::WaitUntil;
using test::WatcherTest;

class QuakeDocksTest : public WatcherTest {
protected:
    void StartWithList()
    {
        Start();
        ASSERT_TRUE(FirstLoad());
        frame->Docks().ListDock()->toggleViewAction()->trigger();
        frame->Docks().LegendDock()->toggleViewAction()->trigger();
        ASSERT_TRUE(WaitUntil([&] { return View(0)->City().name == "Tokyo"; }));
    }
    QuakeListPanel& Panel() const { return frame->Docks().Panel(); }
    QString Cell(int quakeIndex, int column) const
    {
        return frame->Docks().Model().index(quakeIndex, column).data().toString();
    }
};

bool ListMade(const CMainFrame& frame)
{
    return qobject_cast<QuakeListPanel*>(frame.Docks().ListDock()->widget()) != nullptr;
}

// Notes whether the quake list was made by the first paint of a map window
// showing the load.
class FirstMapWithData : public QObject {
public:
    FirstMapWithData(const CMainFrame& frame, CTremoluxView* view) : m_frame(frame), m_view(view)
    {
        view->installEventFilter(this);
    }
    bool painted = false;
    bool listMadeBefore = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted && m_frame.m_quakes.count() > 0
            && m_view->PictureIsCurrent()) {
            painted = true;
            listMadeBefore = ListMade(m_frame);
        }
        return false;
    }

private:
    const CMainFrame& m_frame;
    const CTremoluxView* m_view;
};

// Rows for thousands of quakes take a while: the first map shows the first
// load before the list is made, and the list then shows that load.
TEST_F(QuakeDocksTest, TheListIsMadeOnceTheFirstMapShowsTheLoad)
{
    Start();
    FirstMapWithData firstMap(*frame, View(0));
    ASSERT_TRUE(WaitUntil([&] { return ListMade(*frame); }));
    EXPECT_TRUE(firstMap.painted);
    EXPECT_FALSE(firstMap.listMadeBefore);
    EXPECT_EQ(Panel().Filter().rowCount(), 3);
}

TEST_F(QuakeDocksTest, SelectionFollowsBothWaysAndOutlivesAReload)
{
    StartWithList();
    EXPECT_TRUE(frame->Docks().ListDock()->isVisible());
    ASSERT_EQ(Panel().Filter().rowCount(), 3);
    Panel().Table()->sortByColumn(QuakeTableModel::Magnitude, Qt::AscendingOrder);

    Panel().Table()->selectRow(0);  // the smallest quake, third in the list
    EXPECT_EQ(View(0)->SelectedQuake(), 2);
    View(0)->SelectQuake(0);
    EXPECT_EQ(Panel().SelectedQuake(), 0);
    EXPECT_EQ(Panel().Table()->currentIndex().row(), 2);

    // A new quake on top moves the selected one down a place: it stays selected.
    std::vector<Quake> second = kFirstFeed;
    second.insert(second.begin(), Quake{6.1, 34.0, 139.5, 5});
    server.Serve(Feed(second));
    ASSERT_TRUE(Reload());
    ASSERT_EQ(Panel().Filter().rowCount(), 4);
    EXPECT_EQ(View(0)->SelectedQuake(), 1);
    EXPECT_EQ(Panel().SelectedQuake(), 1);
    const auto isNew = [&](int index) {
        return frame->Docks().Model().index(index, 0).data(QuakeTableModel::NewRole).toBool();
    };
    EXPECT_TRUE(isNew(0));
    EXPECT_FALSE(isNew(1));
    EXPECT_EQ(Cell(0, QuakeTableModel::Magnitude), "6.1");
    EXPECT_EQ(Cell(0, QuakeTableModel::Age), "5 min ago");

    // The selected quake left the feed: nothing is selected any more.
    server.Serve(Feed({second[0], second[2]}));
    ASSERT_TRUE(Reload());
    EXPECT_FALSE(isNew(0));
    EXPECT_EQ(View(0)->SelectedQuake(), -1);
    EXPECT_EQ(Panel().SelectedQuake(), -1);
}

TEST_F(QuakeDocksTest, DistancesAndLegendFollowTheActiveWindow)
{
    StartWithList();
    const QString fromTokyo = Cell(0, QuakeTableModel::Distance);
    EXPECT_EQ(fromTokyo, "98 km WSW");

    CChildFrame* second = frame->OnFileNew();
    MapWindow content = second->GetView()->Content();
    content.city.name = "Los Angeles";
    content.city.position.latDecimal = 34.05;
    content.city.position.lonDecimal = -118.24;
    content.settings.hours = 6.0;
    second->GetView()->SetContent(content);
    frame->MdiArea()->setActiveSubWindow(second);
    EXPECT_EQ(Cell(2, QuakeTableModel::Distance), "176 km ESE");
    EXPECT_EQ(frame->Docks().Legend().Settings()->hours, 6.0);

    // A change of the active window's settings shows at once: the legend on
    // screen is painted again.
    frame->Docks().LegendDock()->show();
    ASSERT_TRUE(WaitUntil([&] { return frame->Docks().Legend().isVisible(); }));
    QCoreApplication::processEvents();
    test::PaintCounter legendPaints(&frame->Docks().Legend());
    content.settings.hours = 12.0;
    second->GetView()->SetSettings(content.settings);
    EXPECT_EQ(frame->Docks().Legend().Settings()->hours, 12.0);
    ASSERT_TRUE(WaitUntil([&] { return legendPaints.count > 0; }));

    frame->MdiArea()->setActiveSubWindow(frame->MapWindows().at(0));
    EXPECT_EQ(Cell(0, QuakeTableModel::Distance), fromTokyo);
    EXPECT_EQ(frame->Docks().Legend().Settings()->hours, 48.0);

    // The legend is painted: the magnitude 10 ray is pure red.
    const auto redPixels = [&] {
        const QImage picture = frame->Docks().Legend().grab().toImage();
        int red = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                red += picture.pixel(x, y) == qRgb(255, 0, 0);
        return red;
    };
    EXPECT_GT(redPixels(), 30);

    const int paintsBeforeClosing = legendPaints.count;
    for (CChildFrame* window : frame->MapWindows())
        window->close();
    ASSERT_TRUE(WaitUntil([&] { return !frame->Docks().Legend().Settings().has_value(); }));
    ASSERT_TRUE(WaitUntil([&] { return legendPaints.count > paintsBeforeClosing; }));
    EXPECT_EQ(redPixels(), 0);
}

// Options > Show Times In: the list's times and header follow, and the
// choice is kept.
TEST_F(QuakeDocksTest, TimesInUtcOrLocalTime)
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "JST-9");
    tzset();
    StartWithList();
    QAbstractItemModel& model = frame->Docks().Model();
    const QString utc = Cell(0, QuakeTableModel::Time);
    EXPECT_EQ(model.headerData(QuakeTableModel::Time, Qt::Horizontal).toString(), "Time (UTC)");
    for (QAction* action : frame->findChildren<QAction*>())
        if (action->text() == "&Local Time")
            action->trigger();
    EXPECT_EQ(model.headerData(QuakeTableModel::Time, Qt::Horizontal).toString(), "Time (local)");
    EXPECT_EQ(QDateTime::fromString(Cell(0, QuakeTableModel::Time), "yyyy-MM-dd HH:mm:ss"),
              QDateTime::fromString(utc, "yyyy-MM-dd HH:mm:ss").addSecs(9 * 3600));
    EXPECT_TRUE(AppSettings().value(settings::kLocalTimes).toBool());
    zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
    tzset();
}

TEST_F(QuakeDocksTest, AnActiveWorldMapTakesPartLikeAMapWindow)
{
    StartWithList();
    View(0)->SelectQuake(1);
    frame->OnWindowNewWorldMap();
    QMdiSubWindow* window = frame->MdiArea()->activeSubWindow();
    auto* world = window != nullptr ? qobject_cast<WorldMapWindow*>(window->widget()) : nullptr;
    ASSERT_NE(world, nullptr);
    // The new window has nothing selected yet: neither has the list.
    EXPECT_EQ(Panel().SelectedQuake(), -1);

    Panel().Table()->selectRow(
        Panel().Filter().mapFromSource(frame->Docks().Model().index(2, 0)).row());
    EXPECT_EQ(world->SelectedQuake(), 2);
    EXPECT_EQ(View(0)->SelectedQuake(), 1) << "only the active window follows the list";
    world->SelectQuake(0);
    EXPECT_EQ(Panel().SelectedQuake(), 0);

    const QString fromTokyo = Cell(0, QuakeTableModel::Distance);
    world->SetCity(CityAt("Los Angeles", 34.05, -118.24));
    EXPECT_EQ(Cell(2, QuakeTableModel::Distance), "176 km ESE");

    // The legend explains the world map, and follows its parameters.
    const LegendWidget& legend = frame->Docks().Legend();
    EXPECT_TRUE(legend.ShowsWorld());
    DisplaySettings settings = world->Settings();
    settings.hours = 7.0;
    world->SetSettings(settings);
    EXPECT_EQ(legend.Settings()->hours, 7.0);

    // Back to the polar window: its own selection, city and legend again.
    frame->MdiArea()->setActiveSubWindow(frame->MapWindows().at(0));
    EXPECT_EQ(Panel().SelectedQuake(), 1);
    EXPECT_EQ(Cell(0, QuakeTableModel::Distance), fromTokyo);
    EXPECT_FALSE(legend.ShowsWorld());
    EXPECT_EQ(legend.Settings()->hours, View(0)->Settings().hours);

    // The world window again, then closed: the list goes back to the polar one.
    frame->MdiArea()->setActiveSubWindow(window);
    EXPECT_EQ(Panel().SelectedQuake(), 0);
    window->close();
    ASSERT_TRUE(WaitUntil([&] { return Panel().SelectedQuake() == 1; }));
    EXPECT_EQ(Cell(0, QuakeTableModel::Distance), fromTokyo);
}

// Double-click (or Enter) on a row: web pages open, other addresses from the
// feed do not.
TEST_F(QuakeDocksTest, ActivatingARowOpensOnlyAWebPage)
{
    StartWithList();
    OpenedPages browser;
    QuakeList& quakes = frame->m_quakes;
    std::vector<QuakeRecord> records;
    for (int i = 0; i < quakes.count(); ++i)
        records.push_back(quakes.at(i));
    records[0].eventPage = "https://earthquake.usgs.gov/earthquakes/eventpage/us7000abcd";
    records[1].eventPage = "file:///etc/passwd";
    quakes.Clear();
    for (const QuakeRecord& record : records)
        quakes.Append(record);
    frame->Docks().ListChanged();

    QTableView* table = Panel().Table();
    table->sortByColumn(QuakeTableModel::Time, Qt::DescendingOrder);
    for (int row : {0, 1, 2}) {
        const QRect cell = table->visualRect(Panel().Filter().index(row, 0));
        // A double-click as the window system delivers it: press, release, double.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    EXPECT_EQ(browser.pages,
              QList<QUrl>{QUrl("https://earthquake.usgs.gov/earthquakes/eventpage/us7000abcd")});
    EXPECT_EQ(QToolTip::text(), "The feed gives no web page for this quake.");
}

}  // namespace
}  // namespace tremolux

#include "quake_docks_qttest.moc"

namespace tremolux::test {
namespace {

// The first good load after a restart is summed up above the list against
// the last one the history kept; the very first run has nothing to sum up.
TEST_F(WatcherTest, ARestartSumsUpWhatCameMeanwhile)
{
    QTemporaryDir dir;
    historyFile = dir.filePath("history.sqlite");
    Start();
    ASSERT_TRUE(FirstLoad());
    EXPECT_TRUE(frame->Docks().Panel().AwaySummary()->isHidden());
    frame->Docks().Panel().ShowBox()->setCurrentIndex(1);
    app.reset();

    std::vector<Quake> later = kFirstFeed;
    later.insert(later.begin(), {6.1, 36.0, 140.0, 5});
    server.Serve(Feed(later));
    Start();
    ASSERT_TRUE(WaitUntil(
        [this] { return frame->m_quakes.count() == 4 && !frame->History().Busy(); }));
    QuakeListPanel* panel = &frame->Docks().Panel();
    ASSERT_FALSE(panel->AwaySummary()->isHidden());
    EXPECT_TRUE(panel->AwaySummary()->findChild<QLabel*>()->text().startsWith(
        "Since Sunday 06:00 UTC: 1 new quake; largest M6.1 Test region 0, "))
        << panel->AwaySummary()->findChild<QLabel*>()->text().toStdString();
    frame->Docks().ListDock()->show();  // the button is pressed in the list
    panel->AwayFilterButton()->click();
    EXPECT_EQ(panel->Filter().rowCount(), 1);
    // The Show choice is kept: the list shows the history again after the restart.
    EXPECT_EQ(panel->ShownDays(), 7);
    EXPECT_TRUE(frame->Docks().Model().ShowingHistory());
}

}  // namespace
}  // namespace tremolux::test
