#include "core/world/DrawnQuake.h"

#include <algorithm>
#include <cmath>

#include "core/view/QuakeHitTest.h"

namespace tremolux {

int QuakeAt(const std::vector<DrawnQuake>& drawn, double x, double y, double slack)
{
    const auto rimDistance = [&](int i) {
        const DrawnQuake& disc = drawn[static_cast<std::size_t>(i)];
        return std::max(0.0, std::hypot(x - disc.x, y - disc.y) - disc.radius);
    };
    const int found = TopmostWithin(static_cast<int>(drawn.size()), rimDistance, slack);
    return found < 0 ? -1 : drawn[static_cast<std::size_t>(found)].index;
}

}  // namespace tremolux
