// Painting a week feed's worth of quakes (2,000) and a month's (10,000), every
// one drawn: the nearest radius covers the globe and the hours window a week.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <memory>
#include <ostream>
#include <streambuf>

#include "QtBenchmarkMain.h"
#include "SyntheticQuakes.h"
#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/DrawQuakes.h"
#include "core/view/QuakeHitTest.h"
#include "core/view/QuakeLayout.h"
#include "core/view/TraceCanvas.h"
#include "gui/view/QPainterCanvas.h"

using namespace tremolux;
using namespace tremolux::bench;

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 800;

DisplaySettings EverythingDrawn()
{
    DisplaySettings settings;
    settings.hours = 168.0;
    settings.nearestRadius = 15000000.0;
    return settings;
}

class DiscardingBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

void BM_PaintQPainter(benchmark::State& state)
{
    const QuakeList quakes = RandomQuakes(static_cast<int>(state.range(0)));
    const FixedClock clock(kNow);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const QFont font = MapLabelFont();
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterCanvas canvas(painter, font);
        DrawQuakes(canvas, kWidth, kHeight, EverythingDrawn(), Tokyo(), quakes, clock);
    }
    state.counters["quakes"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_PaintQPainter)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

// As a map window paints again, the list and city unchanged: the layout with
// measured labels, kept for the mouse, and what the last one saw from the city.
void BM_PaintMapWindow(benchmark::State& state)
{
    const QuakeList quakes = RandomQuakes(static_cast<int>(state.range(0)));
    const FixedClock clock(kNow);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const QFont font = MapLabelFont();
    std::shared_ptr<CityQuakes> seen;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        const QuakeLayout layout = LayOutQuakes(kWidth, kHeight, EverythingDrawn(), Tokyo(), quakes,
                                                kNow, MapLabelMeasure(font, &image), seen);
        seen = layout.seen;
        QPainterCanvas canvas(painter, font);
        DrawQuakes(canvas, kWidth, kHeight, layout, Tokyo(), quakes, clock);
    }
    state.counters["quakes"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_PaintMapWindow)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One tooltip's or click's search, at spots spread over the window.
void BM_HitTest(benchmark::State& state)
{
    const QuakeList quakes = RandomQuakes(static_cast<int>(state.range(0)));
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const QuakeLayout layout = LayOutQuakes(kWidth, kHeight, EverythingDrawn(), Tokyo(), quakes,
                                            kNow, MapLabelMeasure(MapLabelFont(), &image));
    int spot = 0;
    for (auto _ : state) {
        spot = (spot + 7919) % (kWidth * kHeight);
        benchmark::DoNotOptimize(HitTest(layout, spot % kWidth, spot / kWidth, 4));
    }
    state.counters["quakes"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_HitTest)->Arg(2000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_PaintTrace(benchmark::State& state)
{
    const QuakeList quakes = RandomQuakes(static_cast<int>(state.range(0)));
    const FixedClock clock(kNow);
    DiscardingBuffer buffer;
    std::ostream out(&buffer);
    for (auto _ : state) {
        TraceCanvas canvas(out);
        DrawQuakes(canvas, kWidth, kHeight, EverythingDrawn(), Tokyo(), quakes, clock);
    }
    state.counters["quakes"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_PaintTrace)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return bench::RunQtBenchmarks<QGuiApplication>(argc, argv);
}
