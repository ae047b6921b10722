#include <gtest/gtest.h>

#include "core/view/CoverMask.h"

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
    EXPECT_FALSE(mask.Covers({49, 10, 150, 24}));  // one column more on the left
    EXPECT_FALSE(mask.Covers({50, 10, 151, 24}));  // ... on the right
    EXPECT_FALSE(mask.Covers({50, 9, 150, 24}));   // one row more above
    EXPECT_FALSE(mask.Covers({50, 10, 150, 25}));  // ... below

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

}  // namespace
}  // namespace tremolux
