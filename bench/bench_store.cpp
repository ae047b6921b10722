// The event store at a month feed's size (10,000 events): the first load into
// an empty store, and a reload into a store that already holds every event,
// nothing changed (the watcher's every five minutes).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "StoreEvents.h"
#include "core/events/CompareLoad.h"
#include "gui/store/SqlEventStore.h"

using namespace tremolux;

namespace {

constexpr int kEvents = 10000;
constexpr double kInterval = 30.0 / kEvents;  // a month of them
const OleDate kLoadedAt{47000.0, true};

void BM_StoreFirstLoad(benchmark::State& state)
{
    const QuakeList feed = bench::StoreFeed(kEvents - 1, kEvents, kInterval);
    QTemporaryDir dir;
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SqlEventStore store(dir.filePath(QString("first%1.sqlite").arg(run++)));
        state.ResumeTiming();
        benchmark::DoNotOptimize(CompareLoad(store, "feed", feed, kLoadedAt));
    }
}

void BM_StoreReloadUnchanged(benchmark::State& state)
{
    const QuakeList feed = bench::StoreFeed(kEvents - 1, kEvents, kInterval);
    QTemporaryDir dir;
    SqlEventStore store(dir.filePath("reload.sqlite"));
    CompareLoad(store, "feed", feed, kLoadedAt);
    for (auto _ : state) {
        const std::vector<EventChange> changes = CompareLoad(store, "feed", feed, kLoadedAt);
        if (!changes.empty())
            state.SkipWithError("a reload of the same feed changed something");
    }
}

}  // namespace

BENCHMARK(BM_StoreFirstLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StoreReloadUnchanged)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
