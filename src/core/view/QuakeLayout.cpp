#include "core/view/QuakeLayout.h"

#include <cmath>
#include <numbers>

#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/MagnitudeColor.h"
#include "core/view/MapScale.h"

namespace tremolux {

namespace {

// Rays run from the city through the quake to 100 times its radius, out of
// the window: only the direction and the width are seen.
constexpr double kRayLengthFactor = 100.0;
// The activity-index box in the top-left corner.
constexpr CanvasRect kIndexBox{10, 10, 55, 35};

int Trunc(double value)
{
    return static_cast<int>(value);
}

// False when the quake is not drawn at all.
bool LayOutQuake(const QuakeLayout& layout, const DisplaySettings& settings,
                 const QuakeRecord& quake, int index, OleDate now, QuakeShape& shape)
{
    const double m = quake.magnitude;
    const double span = OleDayDifference(now, quake.time);
    if (!(m >= 1.0 && m <= 10.0) || WholeUnitsOfAge(span, 24.0) > settings.hours)
        return false;

    const double ageSeconds = WholeUnitsOfAge(span, 86400.0);
    const double r = AgeRadius(layout.mapRadius, ageSeconds, settings.hours);
    const int ri = Trunc(r);
    const int d = Trunc(2.0 * r);

    const double distance = layout.seen->Distances()[static_cast<std::size_t>(index)];
    double theta = 360.0 - layout.seen->CcwBearing(index);
    // A quake at the city itself has no direction: draw it to the north.
    if (distance == 0.0 || !std::isfinite(theta))
        theta = 0.0;
    if (distance > settings.nearestRadius)
        return false;
    const double sweep = PieSweep(distance, settings.pieRadius);

    const int cx = layout.centre.x;
    const int cy = layout.centre.y;
    const double t = theta * std::numbers::pi / 180.0;
    shape.color = MagnitudeColor(m);
    shape.penWidth = RayWidth(m);
    if (sweep != 0.0) {
        const double k = sweep * std::numbers::pi / 360.0;
        shape.pieStart = {cx + Trunc(r * std::sin(t + k)), cy - Trunc(r * std::cos(t + k))};
        shape.pieEnd = {cx + Trunc(r * std::sin(t - k)), cy - Trunc(r * std::cos(t - k))};
        shape.pieRect = {cx - ri, cy - ri, cx - ri + d, cy - ri + d};
        // Coinciding points would make a full disc of a sector thinner than a pixel.
        shape.hasPie = shape.pieStart != shape.pieEnd || sweep >= 180.0;
    }
    shape.position = {cx + Trunc(r * std::sin(t)), cy - Trunc(r * std::cos(t))};
    shape.rayEnd = {cx + Trunc(kRayLengthFactor * (r * std::sin(t))),
                    cy - Trunc(kRayLengthFactor * (r * std::cos(t)))};
    if (settings.drawTexts)
        shape.label = &layout.seen->Label(index, quake);
    return true;
}

}  // namespace

QuakeLayout LayOutQuakes(int width, int height, const DisplaySettings& settings,
                         const CityPosition& city, const QuakeList& quakes, OleDate now,
                         const LabelMeasure& measure, std::shared_ptr<CityQuakes> previous)
{
    QuakeLayout layout;
    layout.centre = {Trunc(width * 0.5), Trunc(height * 0.5)};
    layout.mapRadius = MapRadius(width, height);
    layout.indexBox = kIndexBox;
    layout.seen = CityQuakesFor(quakes, city, std::move(previous));
    for (int i = 0; i < quakes.count(); ++i) {
        QuakeShape shape;
        if (!LayOutQuake(layout, settings, quakes.at(i), i, now, shape))
            continue;
        shape.quake = i;
        if (shape.label != nullptr && measure.extent) {
            shape.labelExtent = layout.seen->LabelExtent(i, measure);
            const CanvasPoint at = shape.position;
            shape.labelBox = {at.x, at.y, at.x + shape.labelExtent.width,
                              at.y + shape.labelExtent.height};
        }
        layout.shapes.push_back(shape);
    }
    return layout;
}

}  // namespace tremolux
