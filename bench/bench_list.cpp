// The quake list dock at a month's worth of quakes (10,000): reading every
// cell, sorting by a column, a reload, a change of the minimum magnitude and
// one repaint of the table as the user sees it; at a page of 100,000 rows, the
// list made for the first load and the marks of a load's new events.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>

#include <random>

#include "QtBenchmarkMain.h"
#include "SyntheticQuakes.h"
#include "core/common/Clock.h"
#include "core/events/NewEvents.h"
#include "core/feed/QuakeList.h"
#include "gui/list/QuakeListPanel.h"
#include "gui/list/QuakeSortFilter.h"
#include "gui/list/QuakeTableModel.h"

using namespace tremolux;
using bench::kNow;
using bench::Tokyo;

namespace {

constexpr int kQuakes = 10000;

// A month of quakes rather than the painting benchmarks' week, with depths and
// places that differ, so that every column has something to sort.
QuakeList RandomQuakes(int count)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> latitude(-60.0, 70.0);
    std::uniform_real_distribution<double> longitude(-180.0, 180.0);
    std::uniform_real_distribution<double> hours(0.0, 720.0);
    std::uniform_real_distribution<double> depth(0.0, 700.0);
    std::exponential_distribution<double> magnitude(1.2);
    std::uniform_int_distribution<int> place(0, 999);
    QuakeList quakes;
    for (int i = 0; i < count; ++i) {
        QuakeRecord quake;
        quake.magnitude = std::min(0.5 + magnitude(random), 9.0);
        quake.latitude = latitude(random);
        quake.longitude = longitude(random);
        quake.depth = depth(random);
        quake.time = OleDate{kNow.value - hours(random) / 24.0, true};
        quake.region = std::to_string(place(random)) + " km SSW of Somewhere Island, Region";
        quakes.Append(quake);
    }
    return quakes;
}

struct Table {
    explicit Table(int count = kQuakes)
        : quakes(RandomQuakes(count)), clock(kNow), model(quakes, clock)
    {
        model.ListChanged();
        model.SetCity(Tokyo());
        filter.setSourceModel(&model);
    }
    QuakeList quakes;
    FixedClock clock;
    QuakeTableModel model;
    QuakeSortFilter filter;
};

void BM_ReadEveryCell(benchmark::State& state)
{
    Table table;
    for (auto _ : state) {
        for (int row = 0; row < kQuakes; ++row)
            for (int column = 0; column < QuakeTableModel::ColumnCount; ++column)
                benchmark::DoNotOptimize(table.model.index(row, column).data());
    }
    state.counters["cells"] = kQuakes * QuakeTableModel::ColumnCount;
}
BENCHMARK(BM_ReadEveryCell)->Unit(benchmark::kMillisecond);

// Each iteration sorts the other way round, so that every one sorts afresh.
void BM_SortByColumn(benchmark::State& state)
{
    Table table;
    const int column = static_cast<int>(state.range(0));
    bool ascending = true;
    for (auto _ : state) {
        table.filter.sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortByColumn)
    ->Arg(QuakeTableModel::Magnitude)
    ->Arg(QuakeTableModel::Age)
    ->Arg(QuakeTableModel::Region)
    ->Arg(QuakeTableModel::Distance)
    ->Unit(benchmark::kMillisecond);

// A load: the marks of new quakes, the reset and the sorted view rebuilt, at a
// month's quakes and at a page of 100,000 rows.
void BM_Reload(benchmark::State& state)
{
    Table table(static_cast<int>(state.range(0)));
    table.filter.sort(QuakeTableModel::Time, Qt::DescendingOrder);
    for (auto _ : state)
        table.model.ListChanged();
}
BENCHMARK(BM_Reload)->Arg(kQuakes)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_MinimumMagnitude(benchmark::State& state)
{
    Table table;
    table.filter.sort(QuakeTableModel::Time, Qt::DescendingOrder);
    bool raised = false;
    for (auto _ : state) {
        raised = !raised;
        table.filter.SetMinimumMagnitude(raised ? 3.0 : 0.0);
    }
}
BENCHMARK(BM_MinimumMagnitude)->Unit(benchmark::kMillisecond);

// What a scroll or an age update costs: the visible rows painted again.
void BM_RepaintTable(benchmark::State& state)
{
    Table table;
    table.filter.sort(QuakeTableModel::Distance, Qt::AscendingOrder);
    QTableView view;
    view.setModel(&table.filter);
    view.resize(1000, 600);
    view.scrollTo(table.filter.index(kQuakes / 2, 0));
    for (auto _ : state)
        benchmark::DoNotOptimize(view.viewport()->grab());
}
BENCHMARK(BM_RepaintTable)->Unit(benchmark::kMillisecond);

// The panel the dock makes once the first load's map is shown: its rows are
// filtered and sorted once.
void BM_FirstPanel(benchmark::State& state)
{
    Table table(100000);
    for (auto _ : state) {
        QuakeListPanel panel(table.model);
        benchmark::DoNotOptimize(panel.Filter().rowCount());
    }
}
BENCHMARK(BM_FirstPanel)->Unit(benchmark::kMillisecond);

// A load of rows keyed by their origins, compared with the load before.
void BM_NewEvents(benchmark::State& state)
{
    const QuakeList quakes = RandomQuakes(100000);
    NewEvents marks;
    marks.Update(quakes);
    for (auto _ : state)
        marks.Update(quakes);
}
BENCHMARK(BM_NewEvents)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return bench::RunQtBenchmarks<QApplication>(argc, argv);
}
