#pragma once

#include <vector>

namespace tremolux {

// A quake as a window drew it: its index in the quake list and its disc on
// the screen. A window keeps the list of what it drew, in drawing order, so
// that the pointer finds what the user sees.
struct DrawnQuake {
    int index = -1;
    double x = 0.0;
    double y = 0.0;
    double radius = 0.0;
};

// How far outside a disc, in pixels, the pointer still finds it: the smallest
// discs are hard to hit exactly.
inline constexpr double kQuakeHitSlack = 3.0;

// The index of the quake under (x, y), or -1 for none: of the discs holding
// the point the one drawn last (it lies on top); failing that, the disc whose
// rim is nearest, within slack pixels.
int QuakeAt(const std::vector<DrawnQuake>& drawn, double x, double y,
            double slack = kQuakeHitSlack);

}  // namespace tremolux
