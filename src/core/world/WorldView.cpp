#include "core/world/WorldView.h"

#include <algorithm>

#include "core/geo/CityPosition.h"

namespace tremolux {

namespace {

// The Earth at zoom 1 fills the share of the shorter side the polar map's
// outer circle does.
constexpr double kEarthShare = 0.45;

double FitRadius(int width, int height)
{
    return kEarthShare * std::min(width, height);
}

// Some of the Earth stays in the window however far it is dragged, which also
// keeps every coordinate well inside an int.
WorldView KeptInWindow(WorldView view, int width, int height)
{
    const double radius = FitRadius(width, height) * view.zoom;
    const double reachX = radius + width * 0.5;
    const double reachY = radius + height * 0.5;
    view.offsetX = std::clamp(view.offsetX, -reachX, reachX);
    view.offsetY = std::clamp(view.offsetY, -reachY, reachY);
    return view;
}

}  // namespace

WorldProjection ViewProjection(const CityPosition& city, int width, int height,
                               const WorldView& view)
{
    return WorldProjection(city.latDecimal, city.lonDecimal, width * 0.5 + view.offsetX,
                           height * 0.5 + view.offsetY, FitRadius(width, height) * view.zoom);
}

WorldView ZoomAbout(const WorldView& view, int width, int height, double x, double y, double factor)
{
    const double zoom = std::clamp(view.zoom * factor, kWorldMinZoom, kWorldMaxZoom);
    const double applied = zoom / view.zoom;
    const double centreX = width * 0.5 + view.offsetX;
    const double centreY = height * 0.5 + view.offsetY;
    const WorldView zoomed{zoom, x + (centreX - x) * applied - width * 0.5,
                           y + (centreY - y) * applied - height * 0.5};
    return KeptInWindow(zoomed, width, height);
}

WorldView PanBy(const WorldView& view, int width, int height, double dx, double dy)
{
    return KeptInWindow({view.zoom, view.offsetX + dx, view.offsetY + dy}, width, height);
}

}  // namespace tremolux
