#include "core/world/QuakeHitTest.h"

#include <cmath>

namespace tremolux {

int QuakeAt(const std::vector<DrawnQuake>& drawn, double x, double y, double slack)
{
    int nearest = -1;
    double nearestGap = 0.0;
    for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) {
        const double gap = std::hypot(x - it->x, y - it->y) - it->radius;
        if (gap <= 0.0)
            return it->index;
        if (gap <= slack && (nearest < 0 || gap < nearestGap)) {
            nearest = it->index;
            nearestGap = gap;
        }
    }
    return nearest;
}

}  // namespace tremolux
