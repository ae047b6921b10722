#include <gtest/gtest.h>

#include "core/view/CoverMask.h"

#include <cmath>
#include <random>

namespace tremolux {
namespace {

TEST(CoverMask, CoveredOnlyWhenEveryPixelInsideThePictureIs)
{
    CoverMask mask({0, 0, 200, 100});
    EXPECT_FALSE(mask.Covers({10, 10, 20, 20}));
    EXPECT_TRUE(mask.Covers({300, 10, 320, 20}));  // wholly outside: never shows
    EXPECT_TRUE(mask.Covers({10, 10, 10, 20}));    // empty

    // Two boxes that meet across a word boundary (bit 64) cover their union.
    mask.Add({50, 10, 64, 24});
    mask.Add({64, 10, 150, 24});
    EXPECT_TRUE(mask.Covers({50, 10, 150, 24}));
    EXPECT_TRUE(mask.Covers({63, 12, 65, 13}));
    EXPECT_FALSE(mask.Covers({49, 10, 150, 24}));   // one column more on the left
    EXPECT_FALSE(mask.Covers({50, 10, 151, 24}));   // ... on the right
    EXPECT_FALSE(mask.Covers({50, 9, 150, 24}));    // one row more above
    EXPECT_FALSE(mask.Covers({50, 10, 150, 25}));   // ... below

    // A box running off the right edge counts only its part inside.
    mask.Add({150, 30, 400, 40});
    EXPECT_TRUE(mask.Covers({150, 30, 260, 40}));
    EXPECT_FALSE(mask.Covers({149, 30, 260, 40}));
}

TEST(CoverMask, PictureNotAtTheOrigin)
{
    CoverMask mask({-10, 5, 60, 50});
    mask.Add({-20, 0, 0, 100});
    EXPECT_TRUE(mask.Covers({-30, 0, 0, 60}));
    EXPECT_FALSE(mask.Covers({-30, 0, 1, 60}));
}

// A band takes exactly the pixels whose centres lie in it, whatever its
// direction, width and lengthening; one pixel left bare uncovers it.
TEST(CoverMask, BandHoldsThePixelsWhoseCentresLieInIt)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<double> coordinate(-40.0, 140.0), width(0.0, 6.0),
        extend(-3.0, 3.0);
    const CanvasRect picture{0, 0, 100, 80};
    for (int round = 0; round < 300; ++round) {
        CoverBand band{coordinate(random), coordinate(random), coordinate(random),
                       coordinate(random), width(random), extend(random)};
        if (round % 10 == 0)
            band.y2 = band.y1;  // level
        if (round % 10 == 1)
            band.x2 = band.x1;  // upright
        CoverMask mask(picture);
        mask.AddBand(band);
        const double length = std::hypot(band.x2 - band.x1, band.y2 - band.y1);
        const double ux = (band.x2 - band.x1) / length;
        const double uy = (band.y2 - band.y1) / length;
        int inside = 0;
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 100; ++x) {
                const double px = x + 0.5 - band.x1;
                const double py = y + 0.5 - band.y1;
                const double across = std::abs(-uy * px + ux * py);
                const double along = ux * px + uy * py;
                const double slack = 1e-9;
                if (std::abs(across - band.halfWidth) < slack
                    || std::abs(along + band.extend) < slack
                    || std::abs(along - length - band.extend) < slack)
                    continue;  // on the edge: either way
                const bool in = across < band.halfWidth && along > -band.extend
                                && along < length + band.extend;
                inside += in;
                ASSERT_EQ(mask.Covers({x, y, x + 1, y + 1}), in) << round << ": " << x << "," << y;
            }
        }
        EXPECT_TRUE(mask.CoversBand(band)) << round;
        if (inside > 0) {
            band.halfWidth += 1.5;
            EXPECT_FALSE(mask.CoversBand(band)) << round;
        }
    }
    // No length, or a negative width: nothing to cover.
    CoverMask mask(picture);
    mask.AddBand({5.0, 5.0, 5.0, 5.0, 3.0, 3.0});
    mask.AddBand({5.0, 5.0, 50.0, 5.0, -0.5, 3.0});
    EXPECT_TRUE(mask.Covers({0, 0, 0, 0}));
    EXPECT_FALSE(mask.Covers({4, 4, 6, 6}));
    EXPECT_TRUE(mask.CoversBand({5.0, 5.0, 5.0, 5.0, 3.0, 3.0}));
}

}  // namespace
}  // namespace tremolux
