// Painting the world map with a month's worth of quakes (10,000) at 1000 x 800:
// the whole picture as tremolux-cli world draws it, the land layer alone (what
// a window paints again once its view has rested), the quakes alone over a
// land layer painted once (a repaint after a load), and a paint while zooming
// (the earlier land layer scaled, the quakes over it).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <string>

#include "QtBenchmarkMain.h"
#include "SyntheticQuakes.h"
#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/world/DrawWorld.h"
#include "core/world/LandFile.h"
#include "core/events/NewEvents.h"
#include "core/world/WorldView.h"
#include "gui/view/QPainterCanvas.h"

using namespace tremolux;
using namespace tremolux::bench;

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 800;

struct Scene {
    Land land;
    QuakeList quakes = RandomQuakes(10000);
    FixedClock clock{kNow};
    DisplaySettings settings;
    WorldProjection projection{0.0, 0.0, 0.0, 0.0, 1.0};

    Scene()
    {
        Result<Land> read = ReadLandFile(std::string(TREMOLUX_SOURCE_DIR) + "/data/land-50m.bin");
        if (!read)
            throw std::runtime_error(read.error());
        land = std::move(*read);
        settings.hours = 168.0;
        projection = ViewProjection(Tokyo(), kWidth, kHeight, WorldView{});
    }
};

// The land layer painted once, as a window keeps it between paints.
QImage LandLayer(const Scene& scene, const QFont& font)
{
    QImage base(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter painter(&base);
        QPainterCanvas canvas(painter, font);
        DrawWorldBase(canvas, kWidth, kHeight, scene.projection, scene.land, scene.settings);
    }
    return base;
}

void BM_WorldWholePicture(benchmark::State& state)
{
    const Scene scene;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const QFont font = MapLabelFont();
    for (auto _ : state) {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, font);
        DrawWorld(canvas, kWidth, kHeight, scene.projection, scene.land, scene.settings,
                  scene.quakes, scene.clock);
    }
}
BENCHMARK(BM_WorldWholePicture)->Unit(benchmark::kMillisecond);

// What a drag or a zoom step costs before the quakes: the land layer anew.
void BM_WorldLandLayer(benchmark::State& state)
{
    const Scene scene;
    const QFont font = MapLabelFont();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, font);
        DrawWorldBase(canvas, kWidth, kHeight, scene.projection, scene.land, scene.settings);
        canvas.Flush();
    }
}
BENCHMARK(BM_WorldLandLayer)->Unit(benchmark::kMillisecond);

void BM_WorldQuakesOverCachedLand(benchmark::State& state)
{
    const Scene scene;
    const QFont font = MapLabelFont();
    const QImage base = LandLayer(scene, font);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const NewEvents latest;
    for (auto _ : state) {
        QPainter painter(&image);
        painter.drawImage(0, 0, base);
        QPainterCanvas canvas(painter, font);
        // After a load the places are new.
        const std::vector<DrawnQuake> placed =
            PlaceWorldQuakes(scene.projection, UnitPlaces(scene.projection, scene.quakes),
                             scene.settings, scene.quakes, scene.clock.Now(), kWidth, kHeight);
        DrawPlacedQuakes(canvas, scene.projection, placed, scene.quakes, latest, -1);
        canvas.Flush();
    }
}
BENCHMARK(BM_WorldQuakesOverCachedLand)->Unit(benchmark::kMillisecond);

// A paint while the user zooms: the land layer painted before, scaled, and
// the quakes over it.
void BM_WorldPaintWhileZooming(benchmark::State& state)
{
    const Scene scene;
    const QFont font = MapLabelFont();
    const QImage base = LandLayer(scene, font);
    const WorldView zoomed = ZoomAbout(WorldView{}, kWidth, kHeight, 600, 300, 1.25);
    const WorldProjection projection = ViewProjection(Tokyo(), kWidth, kHeight, zoomed);
    const double scale = projection.earthRadius() / scene.projection.earthRadius();
    // The places stay while only the view changes.
    const std::vector<ScreenPoint> places = UnitPlaces(projection, scene.quakes);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const NewEvents latest;
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::gray);
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(projection.centreX(), projection.centreY());
        painter.scale(scale, scale);
        painter.translate(-scene.projection.centreX(), -scene.projection.centreY());
        painter.drawImage(0, 0, base);
        painter.restore();
        QPainterCanvas canvas(painter, font);
        const std::vector<DrawnQuake> placed = PlaceWorldQuakes(
            projection, places, scene.settings, scene.quakes, scene.clock.Now(), kWidth, kHeight);
        DrawPlacedQuakes(canvas, projection, placed, scene.quakes, latest, -1);
        canvas.Flush();
    }
}
BENCHMARK(BM_WorldPaintWhileZooming)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return bench::RunQtBenchmarks<QGuiApplication>(argc, argv);
}
