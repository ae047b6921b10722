#include "core/world/DrawWorld.h"

#include <cmath>
#include <numbers>
#include <string>

#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/Canvas.h"
#include "core/view/MagnitudeColor.h"
#include "core/events/NewEvents.h"
#include "core/world/WorldPaths.h"
#include "core/world/WorldProjection.h"
#include "core/world/WorldStyle.h"

namespace tremolux {

namespace {

using namespace world_style;

constexpr double kGraticuleStep = 30.0;
// Labelled rings lie at least this many pixels apart.
constexpr double kLeastLabelSpacing = 40.0;

CanvasRect WindowRect(int width, int height)
{
    return {0, 0, width, height};
}

void DrawLand(Canvas& canvas, const WorldProjection& projection, const Land& land,
              const CanvasRect& window)
{
    const Brush oldBrush = canvas.SelectBrush(Brush{kLandColor});
    const Pen oldPen = canvas.SelectPen(Pen{1, kCoastColor});
    for (const LandPolygon& polygon : land) {
        const std::vector<CanvasPath> rings = ProjectPolygon(projection, polygon, window);
        if (!rings.empty())
            canvas.Polygon(rings);
    }
    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
}

void DrawLine(Canvas& canvas, const WorldProjection& projection, const std::vector<GeoPoint>& line)
{
    for (const CanvasPath& path : ProjectLine(projection, line))
        canvas.Polyline(path);
}

// Meridians pole to pole and parallels all round, a point every degree.
void DrawGraticule(Canvas& canvas, const WorldProjection& projection)
{
    const Pen oldPen = canvas.SelectPen(Pen{1, kGraticuleColor});
    for (double lon = -180.0; lon < 180.0; lon += kGraticuleStep) {
        std::vector<GeoPoint> meridian;
        for (int lat = -90; lat <= 90; ++lat)
            meridian.push_back({static_cast<double>(lat), lon});
        DrawLine(canvas, projection, meridian);
    }
    for (double lat = -90.0 + kGraticuleStep; lat < 90.0; lat += kGraticuleStep) {
        std::vector<GeoPoint> parallel;
        for (int lon = -180; lon <= 180; ++lon)
            parallel.push_back({lat, static_cast<double>(lon)});
        DrawLine(canvas, projection, parallel);
    }
    canvas.SelectPen(oldPen);
}

// Every 1,000 km; labels on fewer rings when they would crowd.
void DrawDistanceRings(Canvas& canvas, const WorldProjection& projection)
{
    const double spacing = kRingStepMetres * projection.pixelsPerMetre();
    int labelEvery = 1;
    for (const int every : {1, 2, 5, 10}) {
        labelEvery = every;
        if (spacing * every >= kLeastLabelSpacing)
            break;
    }
    const double halfCircumference = std::numbers::pi * EARTH_RADIUS_M;
    const Pen oldPen = canvas.SelectPen(Pen{1, kDistanceRingColor});
    const Rgb oldText = canvas.SetTextColor(kDistanceLabelColor);
    const Rgb oldBackground = canvas.SetTextBackground(kSeaColor);
    for (int k = 1; k * kRingStepMetres < halfCircumference; ++k) {
        const double radius = k * spacing;
        canvas.Polyline(ScreenCircle(projection, radius));
        if (k % labelEvery == 0) {
            const ScreenPoint top = projection.AtDistance(k * kRingStepMetres, 0.0);
            canvas.TextOut(static_cast<int>(std::lround(top.x)) + 3,
                           static_cast<int>(std::lround(top.y)) + 2,
                           std::to_string(k * 1000) + " km");
        }
    }
    canvas.SetTextBackground(oldBackground);
    canvas.SetTextColor(oldText);
    canvas.SelectPen(oldPen);
}

void DrawRing(Canvas& canvas, const WorldProjection& projection, double metres, Rgb color)
{
    if (!(metres > 0.0))
        return;
    const Pen oldPen = canvas.SelectPen(Pen{kRadiusRingWidth, color});
    canvas.Polyline(ScreenCircle(projection, metres * projection.pixelsPerMetre()));
    canvas.SelectPen(oldPen);
}

int Rounded(double value)
{
    return static_cast<int>(std::lround(value));
}

}  // namespace

bool ShownOnWorldMap(const QuakeRecord& quake, OleDate now, double hours)
{
    if (!(quake.magnitude >= 1.0 && quake.magnitude <= 10.0))
        return false;
    return !(WholeUnitsOfAge(OleDayDifference(now, quake.time), 24.0) > hours);
}

double QuakeDiscRadius(double magnitude)
{
    return 1.0 + 0.25 * magnitude * magnitude;
}

void DrawWorldBase(Canvas& canvas, int width, int height, const WorldProjection& projection,
                   const Land& land, const DisplaySettings& settings)
{
    canvas.FillSolidRect(0, 0, width, height, kWindowColor);
    const Brush oldBrush = canvas.SelectBrush(Brush{kSeaColor});
    const Pen oldPen = canvas.SelectPen(Pen{1, kSeaColor});
    canvas.Polygon({ScreenCircle(projection, projection.earthRadius())});
    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);

    DrawLand(canvas, projection, land, WindowRect(width, height));
    DrawGraticule(canvas, projection);
    DrawDistanceRings(canvas, projection);
    DrawRing(canvas, projection, settings.nearestRadius, kNearestColor);
    DrawRing(canvas, projection, settings.pieRadius, kPieColor);

    const Pen rimPen = canvas.SelectPen(Pen{2, kRimColor});
    canvas.Polyline(ScreenCircle(projection, projection.earthRadius()));
    canvas.SelectPen(rimPen);
}

std::vector<ScreenPoint> UnitPlaces(const WorldProjection& projection, const QuakeList& quakes)
{
    std::vector<ScreenPoint> places;
    places.reserve(static_cast<std::size_t>(quakes.count()));
    for (int i = 0; i < quakes.count(); ++i)
        places.push_back(projection.UnitPoint(quakes.at(i).latitude, quakes.at(i).longitude));
    return places;
}

std::vector<DrawnQuake> PlaceWorldQuakes(const WorldProjection& projection,
                                         const std::vector<ScreenPoint>& places,
                                         const DisplaySettings& settings, const QuakeList& quakes,
                                         OleDate now, int width, int height)
{
    std::vector<DrawnQuake> placed;
    // The list holds the newest first; drawing it backwards puts it on top.
    for (int i = quakes.count() - 1; i >= 0; --i) {
        const QuakeRecord& quake = quakes.at(i);
        if (!ShownOnWorldMap(quake, now, settings.hours))
            continue;
        const ScreenPoint at = projection.FromUnit(places[static_cast<std::size_t>(i)]);
        const double r = QuakeDiscRadius(quake.magnitude);
        if (at.x + r < 0.0 || at.y + r < 0.0 || at.x - r > width || at.y - r > height)
            continue;
        placed.push_back({i, at.x, at.y, r});
    }
    return placed;
}

void DrawPlacedQuakes(Canvas& canvas, const WorldProjection& projection,
                      const std::vector<DrawnQuake>& placed, const QuakeList& quakes,
                      const NewEvents& marks, int selected)
{
    const int cx = Rounded(projection.centreX());
    const int cy = Rounded(projection.centreY());
    const Brush oldBrush = canvas.SelectBrush(Brush{kCityColor});
    const Pen oldPen = canvas.SelectPen(Pen{1, kQuakeOutlineColor});
    canvas.Ellipse(cx - kCityDiscRadius, cy - kCityDiscRadius, cx + kCityDiscRadius + 1,
                   cy + kCityDiscRadius + 1);

    const DrawnQuake* chosen = nullptr;
    for (const DrawnQuake& disc : placed) {
        const bool marked = marks.IsNew(disc.index);
        canvas.SelectPen(marked ? Pen{kLatestLoadWidth, kLatestLoadColor}
                                : Pen{1, kQuakeOutlineColor});
        canvas.SelectBrush(Brush{MagnitudeColor(quakes.at(disc.index).magnitude)});
        const double r = marked ? disc.radius + kLatestLoadGap : disc.radius;
        canvas.Ellipse(Rounded(disc.x - r), Rounded(disc.y - r), Rounded(disc.x + r) + 1,
                       Rounded(disc.y + r) + 1);
        if (disc.index == selected)
            chosen = &disc;
    }
    if (chosen != nullptr) {
        const double r = chosen->radius + kSelectionGap;
        canvas.SelectPen(Pen{kSelectionWidth, kSelectionColor});
        canvas.Polyline(CirclePath(chosen->x, chosen->y, r));
    }
    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
}

void DrawWorld(Canvas& canvas, int width, int height, const WorldProjection& projection,
               const Land& land, const DisplaySettings& settings, const QuakeList& quakes,
               const Clock& clock)
{
    DrawWorldBase(canvas, width, height, projection, land, settings);
    const std::vector<DrawnQuake> placed = PlaceWorldQuakes(
        projection, UnitPlaces(projection, quakes), settings, quakes, clock.Now(), width, height);
    DrawPlacedQuakes(canvas, projection, placed, quakes, NewEvents{}, -1);
    canvas.Flush();
}

}  // namespace tremolux
