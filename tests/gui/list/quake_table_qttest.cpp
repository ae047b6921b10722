#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFont>
#include <QFrame>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "core/events/EventIdentity.h"
#include "gui/list/ListExport.h"
#include "gui/list/QuakeListPanel.h"
#include "gui/list/QuakeSortFilter.h"
#include "gui/list/QuakeTableModel.h"

namespace tremolux {
namespace {

const OleDate kNow = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);

QuakeRecord Quake(double magnitude, double depth, double minutesAgo, const char* region)
{
    QuakeRecord quake;
    quake.magnitude = magnitude;
    quake.depth = depth;
    quake.latitude = 35.0 + magnitude;
    quake.longitude = 139.0;
    quake.time = OleDate{kNow.value - minutesAgo / 1440.0};
    quake.region = region;
    return quake;
}

class QuakeTableTest : public ::testing::Test {
protected:
    QuakeTableTest() : clock(kNow), model(quakes, clock)
    {
        for (const QuakeRecord& quake :
             {Quake(9.5, 5.0, 10, "b"), Quake(10.0, 700.0, 20, "C"), Quake(2.1, 35.0, 30, "a"),
              Quake(std::nan(""), 12.0, 40, "d")})
            quakes.Append(quake);
        model.ListChanged();
        filter.setSourceModel(&model);
    }

    // The column's texts in the filter's order, sorted by column.
    std::vector<QString> Sorted(int column, Qt::SortOrder order = Qt::AscendingOrder,
                                int shown = QuakeTableModel::Magnitude)
    {
        filter.sort(column, order);
        std::vector<QString> texts;
        for (int row = 0; row < filter.rowCount(); ++row)
            texts.push_back(filter.index(row, shown).data().toString());
        return texts;
    }

    FixedClock clock;
    QuakeList quakes;
    QuakeTableModel model;
    QuakeSortFilter filter;
};

// As text "10.0" would come before "2.1", and "700.0 km" before "12.0 km".
TEST_F(QuakeTableTest, SortsByTheNumbersBehindTheTexts)
{
    using Texts = std::vector<QString>;
    EXPECT_EQ(Sorted(QuakeTableModel::Magnitude), (Texts{"2.1", "9.5", "10.0", ""}));
    EXPECT_EQ(Sorted(QuakeTableModel::Magnitude, Qt::DescendingOrder),
              (Texts{"", "10.0", "9.5", "2.1"}));
    EXPECT_EQ(Sorted(QuakeTableModel::Depth, Qt::AscendingOrder, QuakeTableModel::Depth),
              (Texts{"5.0 km", "12.0 km", "35.0 km", "700.0 km"}));
    EXPECT_EQ(Sorted(QuakeTableModel::Age, Qt::AscendingOrder, QuakeTableModel::Age),
              (Texts{"10 min ago", "20 min ago", "30 min ago", "40 min ago"}));
    EXPECT_EQ(Sorted(QuakeTableModel::Time), (Texts{"", "2.1", "10.0", "9.5"}));
    EXPECT_EQ(Sorted(QuakeTableModel::Region), (Texts{"2.1", "9.5", "10.0", ""}));
    // Distances from a city at the quakes' longitude grow with their latitude.
    CityPosition city;
    city.latDecimal = 35.0;
    city.lonDecimal = 139.0;
    model.SetCity(city);
    EXPECT_EQ(Sorted(QuakeTableModel::Distance), (Texts{"2.1", "9.5", "10.0", ""}));
    EXPECT_EQ(model.index(2, QuakeTableModel::Distance).data().toString(), "234 km N");
    city.lonDecimal = 141.0;  // the same latitude: still another place
    model.SetCity(city);
    EXPECT_EQ(model.index(2, QuakeTableModel::Distance).data().toString(), "295 km NW");

    // Numbers inside regions by their value; a quake without a time after
    // those with one.
    quakes.Clear();
    quakes.Append(Quake(1.0, 1.0, 1, "12 km N of Ito"));
    quakes.Append(Quake(2.0, 1.0, 2, "9 km N of Ito"));
    QuakeRecord timeless = Quake(3.0, 1.0, 3, "x");
    timeless.time.valid = false;
    quakes.Append(timeless);
    model.ListChanged();
    EXPECT_EQ(Sorted(QuakeTableModel::Region), (Texts{"2.0", "1.0", "3.0"}));
    EXPECT_EQ(Sorted(QuakeTableModel::Time), (Texts{"2.0", "1.0", "3.0"}));
}

TEST_F(QuakeTableTest, MinimumMagnitudeHidesSmallerQuakesAndThoseWithout)
{
    filter.SetMinimumMagnitude(9.5);
    EXPECT_EQ(Sorted(QuakeTableModel::Magnitude), (std::vector<QString>{"9.5", "10.0"}));
    filter.SetMinimumMagnitude(0.0);
    EXPECT_EQ(filter.rowCount(), 4);
}

// Grouped, a sequence's aftershocks leave the list and are counted beside the
// mainshock; a small quake far away stays.
TEST_F(QuakeTableTest, AftershocksGroupedUnderTheirMainshock)
{
    const auto at = [](QuakeRecord quake, double latitude) {
        quake.latitude = latitude;
        quake.longitude = 10.0;
        return quake;
    };
    for (const QuakeRecord& quake :
         {at(Quake(3.0, 10.0, 5, "after 2"), 10.1), at(Quake(3.0, 10.0, 30, "after 1"), 10.05),
          at(Quake(3.0, 10.0, 31, "far"), 50.0), at(Quake(6.0, 10.0, 60, "main"), 10.0)})
        quakes.Append(quake);
    model.ListChanged();
    ASSERT_EQ(filter.rowCount(), 8);
    model.SetGroupSequences(true);
    EXPECT_EQ(filter.rowCount(), 6);
    const std::vector<QString> regions =
        Sorted(QuakeTableModel::Region, Qt::AscendingOrder, QuakeTableModel::Region);
    EXPECT_NE(std::find(regions.begin(), regions.end(), "main (+2 aftershocks)"), regions.end());
    EXPECT_NE(std::find(regions.begin(), regions.end(), "far"), regions.end());
    model.SetGroupSequences(false);
    EXPECT_EQ(filter.rowCount(), 8);
}

TEST_F(QuakeTableTest, QuakesOfTheLatestLoadInBoldUntilTheNext)
{
    EXPECT_FALSE(model.index(0, 0).data(QuakeTableModel::NewRole).toBool());
    quakes.Clear();
    quakes.Append(Quake(4.0, 10.0, 1, "new"));
    quakes.Append(Quake(9.5, 5.0, 10, "b"));
    model.ListChanged();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_TRUE(model.index(0, QuakeTableModel::Region).data(QuakeTableModel::NewRole).toBool());
    EXPECT_TRUE(model.index(0, QuakeTableModel::Region).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(model.index(1, 0).data(QuakeTableModel::NewRole).toBool());
    EXPECT_FALSE(model.index(1, 0).data(Qt::FontRole).isValid());

    // The next load reads the same quakes into the list again.
    quakes.Clear();
    quakes.Append(Quake(4.0, 10.0, 1, "new"));
    quakes.Append(Quake(9.5, 5.0, 10, "b"));
    model.ListChanged();
    EXPECT_FALSE(model.index(0, 0).data(QuakeTableModel::NewRole).toBool());
}

// A failure box opened in the middle of a load runs the event loop with the
// list half rebuilt; the table must not read rows that are gone.
TEST_F(QuakeTableTest, ReadsNothingWhileTheListIsBeingRebuilt)
{
    QTableView view;
    view.setModel(&filter);
    view.resize(600, 300);
    filter.sort(QuakeTableModel::Magnitude);
    quakes.Clear();
    quakes.Append(Quake(1.0, 1.0, 1, "x"));
    EXPECT_NO_THROW(view.grab());
    EXPECT_FALSE(model.index(3, 0).data().isValid());
    EXPECT_FALSE(model.index(0, 0).data().isValid());

    model.ListChanged();
    EXPECT_EQ(filter.rowCount(), 1);
    EXPECT_EQ(filter.index(0, QuakeTableModel::Region).data().toString(), "x");
}

TEST_F(QuakeTableTest, PanelSelectsByQuakeIndexAcrossSortingAndFilter)
{
    QuakeListPanel panel(model);
    std::vector<int> chosen;
    QObject::connect(&panel, &QuakeListPanel::quakeChosen,
                     [&](int index) { chosen.push_back(index); });
    panel.Table()->sortByColumn(QuakeTableModel::Magnitude, Qt::AscendingOrder);

    // Showing a selection from the map announces nothing back.
    panel.ShowSelected(1);
    EXPECT_EQ(panel.SelectedQuake(), 1);
    EXPECT_EQ(panel.Table()->currentIndex().row(), 2);  // 2.1, 9.5, 10.0
    EXPECT_TRUE(chosen.empty());

    panel.Table()->selectRow(0);
    EXPECT_EQ(chosen, std::vector<int>{2});

    panel.MinimumMagnitudeBox()->setValue(5.0);
    EXPECT_EQ(panel.Filter().rowCount(), 2);
    EXPECT_EQ(chosen.back(), -1);  // the selected quake was filtered out
    panel.ShowSelected(2);
    EXPECT_EQ(panel.SelectedQuake(), -1);
}

// A closed dock's list neither filters nor sorts a load; it catches up, the
// map's selection included, when it shows, and exports what it would show.
TEST_F(QuakeTableTest, AHiddenListSortsWhenItShowsAgain)
{
    QWidget window;
    auto* panel = new QuakeListPanel(model, &window);
    panel->Table()->sortByColumn(QuakeTableModel::Magnitude, Qt::AscendingOrder);
    window.show();
    panel->hide();
    quakes.Append(Quake(5.0, 1.0, 5, "e"));
    model.ListChanged();
    EXPECT_EQ(panel->Filter().rowCount(), 0);
    panel->ShowSelected(4);
    EXPECT_EQ(panel->SelectedQuake(), 4);

    panel->show();
    std::vector<QString> shown;
    for (int row = 0; row < panel->Filter().rowCount(); ++row)
        shown.push_back(panel->Filter().index(row, QuakeTableModel::Region).data().toString());
    EXPECT_EQ(shown, (std::vector<QString>{"a", "e", "b", "C", "d"}));
    EXPECT_EQ(panel->SelectedQuake(), 4);
    EXPECT_EQ(panel->Table()->currentIndex().row(), 1);

    panel->hide();
    model.ListChanged();
    const std::vector<HistoryEntry> entries = panel->ShownEntries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[1].event.region, "e");
}

}  // namespace
}  // namespace tremolux

namespace tremolux {
namespace {

// What the event history said of the load: a revision shows both magnitudes
// and tells what changed; a retracted event gone from the list stays, struck
// through, until the next load.
TEST_F(QuakeTableTest, RevisedAndRetractedEventsOfTheLatestLoad)
{
    QuakeRecord before = quakes.at(2);
    before.magnitude = 1.8;
    const QuakeRecord gone = Quake(6.1, 20.0, 50, "gone");
    model.ListChanged({{ChangeKind::Revised, quakes.at(2), before, "magnitude 1.8 -> 2.1"},
                       {ChangeKind::Retracted, gone, std::nullopt, {}}});
    ASSERT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.index(2, QuakeTableModel::Magnitude).data().toString(), "1.8 → 2.1");
    const QString tip = model.index(2, 0).data(Qt::ToolTipRole).toString();
    EXPECT_TRUE(tip.startsWith("<p>Revised") && tip.contains("1.8") && tip.contains("&gt;"))
        << tip.toStdString();
    EXPECT_EQ(model.index(4, QuakeTableModel::Region).data().toString(), "gone");
    EXPECT_TRUE(model.index(4, 0).data(Qt::FontRole).value<QFont>().strikeOut());

    model.ListChanged();
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.index(2, QuakeTableModel::Magnitude).data().toString(), "2.1");
}

}  // namespace
}  // namespace tremolux

namespace tremolux {
namespace {

// A row's tooltip with the rich text's spaces as plain ones.
QString PlainTip(const QModelIndex& index)
{
    return index.data(Qt::ToolTipRole).toString().replace(QChar::Nbsp, ' ');
}

// The impact columns show only when some row fills them, and show unknown as empty.
TEST_F(QuakeTableTest, ImpactColumnsOnlyWhereTheFeedFillsThem)
{
    QuakeListPanel panel(model);
    EXPECT_TRUE(panel.Table()->isColumnHidden(QuakeTableModel::Felt));
    EXPECT_FALSE(panel.Table()->isColumnHidden(QuakeTableModel::Region));

    QuakeRecord felt = quakes.at(0);
    felt.feltReports = 0;
    felt.alert = "orange";
    quakes.Clear();
    quakes.Append(felt);
    quakes.Append(Quake(3.0, 1.0, 5, "quiet"));
    model.ListChanged();
    EXPECT_FALSE(panel.Table()->isColumnHidden(QuakeTableModel::Felt));
    EXPECT_FALSE(panel.Table()->isColumnHidden(QuakeTableModel::Alert));
    EXPECT_TRUE(panel.Table()->isColumnHidden(QuakeTableModel::Mmi));
    EXPECT_EQ(model.index(0, QuakeTableModel::Felt).data().toString(), "0");
    EXPECT_EQ(model.index(1, QuakeTableModel::Felt).data().toString(), "");
    EXPECT_TRUE(PlainTip(model.index(0, 0)).contains("PAGER alert: orange"));
}

// The history's rows in place of the feed's, the summary's filter, and the
// rows shown written out as they are shown.
TEST_F(QuakeTableTest, HistoryRowsAwayFilterAndExport)
{
    QuakeListPanel panel(model);
    panel.Table()->sortByColumn(QuakeTableModel::Magnitude, Qt::DescendingOrder);
    panel.ShowAwaySummary("Since Monday", {QString::fromStdString(EventKey(quakes.at(2)))});
    ASSERT_FALSE(panel.AwaySummary()->isHidden());
    panel.AwayFilterButton()->click();
    EXPECT_EQ(panel.Filter().rowCount(), 1);
    EXPECT_EQ(panel.Filter().index(0, QuakeTableModel::Region).data().toString(), "a");
    panel.AwayFilterButton()->click();
    EXPECT_EQ(panel.Filter().rowCount(), 4);

    HistoryEntry withdrawn{Quake(7.0, 10.0, 60 * 24 * 3, "withdrawn"), kNow, 2, true};
    HistoryEntry listed{quakes.at(0), kNow, 0, false};
    model.ShowHistory({listed, withdrawn});
    ASSERT_EQ(panel.Filter().rowCount(), 2);
    EXPECT_TRUE(model.index(1, 0).data(Qt::FontRole).value<QFont>().strikeOut());
    EXPECT_TRUE(PlainTip(model.index(1, 0)).contains("Revised 2 times"));
    panel.ShowSelected(0);  // the feed's first quake is the history's first row
    EXPECT_EQ(panel.SelectedQuake(), 0);
    panel.Table()->selectRow(1);  // the withdrawn M7.0, after the M9.5
    EXPECT_EQ(panel.SelectedQuake(), -1);

    QTemporaryDir dir;
    const QString path = dir.filePath("shown.csv");
    EXPECT_TRUE(ExportRows(panel.ShownEntries(), path, ExportFormatFor(path)));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].contains(",b,") && lines[2].contains(",withdrawn,"))
        << lines.join('\n').toStdString();
    const Result<> failed = ExportRows({}, dir.filePath("no such folder/x.csv"), ExportFormat::Csv);
    ASSERT_FALSE(failed);
    EXPECT_NE(failed.error().find("no such folder"), std::string::npos) << "it names the file";

    model.ShowFeed();
    EXPECT_EQ(panel.Filter().rowCount(), 4);
}

}  // namespace
}  // namespace tremolux
