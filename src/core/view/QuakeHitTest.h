#pragma once

namespace tremolux {

struct QuakeLayout;

// The list index of the topmost quake drawn under the pixel (x, y), or
// failing that of the topmost within tolerance pixels of it; -1 for none.
// The activity-index box hides the quakes beneath it.
int HitTest(const QuakeLayout& layout, int x, int y, int tolerance);

}  // namespace tremolux
