#pragma once

#include <vector>

namespace tremolux {

// A quake as a world map window drew it: its index in the quake list and its
// disc on the screen. The window keeps the list of what it drew, in drawing
// order, so that the pointer finds what the user sees.
struct DrawnQuake {
    int index = -1;
    double x = 0.0;
    double y = 0.0;
    double radius = 0.0;
};

// How far outside a disc, in pixels, the pointer still finds it: the smallest
// discs are hard to hit exactly.
inline constexpr double kQuakeHitSlack = 3.0;

// The index of the quake under (x, y), or -1 for none, by the rule every map
// window shares (TopmostWithin): the topmost disc holding the point, failing
// that the topmost within slack pixels of its rim.
int QuakeAt(const std::vector<DrawnQuake>& drawn, double x, double y,
            double slack = kQuakeHitSlack);

}  // namespace tremolux
