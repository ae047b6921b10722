#pragma once

namespace tremolux {

struct QuakeLayout;

// The one rule by which every kind of map window finds the quake under the
// pointer. Of count items drawn in order, each later one over the earlier,
// and distance(i) the pixels from the point to item i's painted pixels (0 on
// them): the topmost item under the point, failing that the topmost within
// tolerance pixels. Its place in the drawing order, or -1 for none.
template <class Distance>
int TopmostWithin(int count, const Distance& distance, double tolerance)
{
    int within = -1;
    for (int i = count - 1; i >= 0; --i) {
        const double pixels = distance(i);
        if (pixels <= 0.0)
            return i;
        if (within < 0 && pixels <= tolerance)
            within = i;
    }
    return within;
}

// The list index of the topmost quake drawn under the pixel (x, y), or
// failing that of the topmost within tolerance pixels of it; -1 for none.
// The activity-index box hides the quakes beneath it.
int HitTest(const QuakeLayout& layout, int x, int y, int tolerance);

}  // namespace tremolux
