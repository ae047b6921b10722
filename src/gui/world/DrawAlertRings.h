#pragma once

#include <vector>

#include "core/alerts/AlertRings.h"

class QPainter;

namespace tremolux {

class WorldProjection;

// The alert rules' rings over the painted world map, each named beside its
// northernmost point.
void DrawAlertRings(QPainter& painter, const WorldProjection& projection,
                    const std::vector<AlertRing>& rings);

}  // namespace tremolux
