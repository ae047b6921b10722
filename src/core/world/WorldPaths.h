#pragma once

#include <vector>

#include "core/view/Canvas.h"
#include "core/world/LandFile.h"
#include "core/world/WorldProjection.h"

namespace tremolux {

// A line through places on the Earth as screen paths. Edges that the
// projection stretches are bent as it bends them; the line is cut where it
// jumps across the antipode's circle.
std::vector<CanvasPath> ProjectLine(const WorldProjection& projection,
                                    const std::vector<GeoPoint>& line);

// A land polygon as rings to fill even-odd. Land that holds the antipode
// reaches the outer circle all round, so the circle becomes one more ring.
// Nothing when the polygon lies wholly outside the clip rectangle.
std::vector<CanvasPath> ProjectPolygon(const WorldProjection& projection,
                                       const LandPolygon& polygon, const CanvasRect& clip);

// A circle of the given radius in pixels about the projection's centre,
// closed: its last point repeats the first.
CanvasPath ScreenCircle(const WorldProjection& projection, double radius);
// The same about (x, y).
CanvasPath CirclePath(double x, double y, double radius);

}  // namespace tremolux
