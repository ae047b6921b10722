#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/view/CoverMask.h"
#include "core/view/LineBand.h"

namespace tremolux {
namespace {

// Whether the centre of pixel (x, y) lies in the rectangle of the line from
// a to b, half its width plus margin either side and margin beyond each end.
bool CentreInside(CanvasPoint a, CanvasPoint b, double width, double margin, int x, int y)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    const double px = x + 0.5 - a.x;
    const double py = y + 0.5 - a.y;
    const double along = (px * dx + py * dy) / length;
    const double across = std::abs(py * dx - px * dy) / length;
    return across <= 0.5 * width + margin && along >= -margin && along <= length + margin;
}

// A band added to an empty mask covers the pixels whose centres lie in its
// rectangle, and nothing else, for rays of every direction, steep and flat,
// short ones ending in the picture and long ones running far out of it (which
// the band cuts at the picture's edge); grown, it is no longer covered.
TEST(LineBand, AddsThePixelsWhoseCentresLieInTheRectangle)
{
    const CanvasRect picture{-7, 3, 153, 123};
    std::mt19937 random(25);
    std::uniform_int_distribution<int> x(-20, 170), y(-10, 140), width(2, 9), far(-40000, 40000);
    std::uniform_real_distribution<double> margin(-0.5, 0.5);
    int pixels = 0;
    for (int i = 0; i < 400; ++i) {
        const CanvasPoint a{x(random), y(random)};
        const CanvasPoint b = i % 2   ? CanvasPoint{x(random), y(random)}
                              : i % 4 ? CanvasPoint{a.x + far(random), a.y + far(random) / 300}
                                      : CanvasPoint{a.x + far(random), a.y + far(random)};
        if (a == b)
            continue;
        const int w = width(random);
        const double m = margin(random);
        CoverMask mask(picture);
        mask.Add(LineBand(a, b, w, m, picture));
        for (int py = picture.top; py < picture.bottom; ++py) {
            for (int px = picture.left; px < picture.right; ++px) {
                const bool inside = CentreInside(a, b, w, m, px, py);
                pixels += inside;
                ASSERT_EQ(mask.Covers(CanvasRect{px, py, px + 1, py + 1}), inside)
                    << "(" << a.x << "," << a.y << ")-(" << b.x << "," << b.y << ") width " << w
                    << " margin " << m << " at " << px << "," << py;
            }
        }
        EXPECT_TRUE(mask.Covers(LineBand(a, b, w, m, picture)));
        EXPECT_TRUE(mask.Covers(LineBand(a, b, w, m - 0.5, picture)));
        const LineBand grown(a, b, w, m + 1.5, picture);
        bool grownShows = false;
        grown.EachRow(picture.top, picture.bottom, [&](int, int left, int right) {
            grownShows |= left < picture.right && right > picture.left;
            return true;
        });
        EXPECT_EQ(mask.Covers(grown), !grownShows);
    }
    EXPECT_GT(pixels, 50000);  // the lines do cross the picture
}

}  // namespace
}  // namespace tremolux
