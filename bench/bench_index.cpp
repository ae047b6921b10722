#include <benchmark/benchmark.h>

#include <random>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"

using namespace tremolux;

namespace {

// A week of quakes spread over the globe, as the all-week feed holds them.
QuakeList WeekOfQuakes(int count, OleDate now)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> latitude(-80.0, 80.0);
    std::uniform_real_distribution<double> longitude(-180.0, 180.0);
    std::uniform_real_distribution<double> magnitude(1.1, 7.5);
    std::uniform_real_distribution<double> age(0.0, 7.0);
    QuakeList quakes;
    for (int i = 0; i < count; ++i) {
        QuakeRecord q;
        q.magnitude = magnitude(random);
        q.latitude = latitude(random);
        q.longitude = longitude(random);
        q.time = {now.value - age(random), true};
        quakes.Append(q);
    }
    return quakes;
}

void ActivityIndex(benchmark::State& state)
{
    const FixedClock clock(OleDateFromCalendar(2026, 12, 7, 5, 43, 57));
    const QuakeList quakes = WeekOfQuakes(static_cast<int>(state.range(0)), clock.Now());
    CityPosition tokyo;
    tokyo.latDecimal = 35.68948888888889;
    tokyo.lonDecimal = 139.69170555555556;
    for (auto _ : state)
        benchmark::DoNotOptimize(quakes.GetActivityIndex(tokyo, clock));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(ActivityIndex)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
