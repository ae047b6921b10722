#pragma once

#include "core/world/WorldProjection.h"

namespace tremolux {

struct CityPosition;

// How the user has zoomed and dragged a world map. At zoom 1 and no offset
// the whole Earth fits the window.
struct WorldView {
    double zoom = 1.0;
    double offsetX = 0.0;  // pixels the Earth's centre is moved from the window's
    double offsetY = 0.0;
};

inline constexpr double kWorldMinZoom = 0.5;
inline constexpr double kWorldMaxZoom = 200.0;

// The projection a window of width x height shows under the view.
WorldProjection ViewProjection(const CityPosition& city, int width, int height,
                               const WorldView& view);

// Zooms by factor (clamped to the zoom range) keeping the point under
// (x, y) where it is. Neither this nor dragging moves the Earth wholly out of
// the window.
WorldView ZoomAbout(const WorldView& view, int width, int height, double x, double y,
                    double factor);
WorldView PanBy(const WorldView& view, int width, int height, double dx, double dy);

}  // namespace tremolux
