#include <climits>

#include <gtest/gtest.h>

#include "core/common/CNumbers.h"

using tremolux::CAtof;
using tremolux::CAtoi;

TEST(CAtof, ReadsTheLongestDecimalPrefix)
{
    EXPECT_DOUBLE_EQ(CAtof(" -12.5"), -12.5);
    EXPECT_DOUBLE_EQ(CAtof("12.5S"), 12.5);
    EXPECT_DOUBLE_EQ(CAtof("52,5"), 52.0);
    EXPECT_DOUBLE_EQ(CAtof("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(CAtof("5."), 5.0);
    EXPECT_DOUBLE_EQ(CAtof("1e3 km"), 1000.0);
    EXPECT_DOUBLE_EQ(CAtof("1e"), 1.0);
    EXPECT_DOUBLE_EQ(CAtof("2E-1x"), 0.2);
}

TEST(CAtof, TextWithoutADecimalNumberIsZero)
{
    for (const char* text : {"", "   ", "MAG", "-", ".", "nan", "inf", "-infinity", "\xc2\xa0 5"})
        EXPECT_EQ(CAtof(text), 0.0) << text;
    EXPECT_EQ(CAtof("0x1p3"), 0.0);
}

TEST(CAtoi, FollowsAtoiRulesAndSaturates)
{
    EXPECT_EQ(CAtoi(""), 0);
    EXPECT_EQ(CAtoi("  12abc"), 12);
    EXPECT_EQ(CAtoi("+7"), 7);
    EXPECT_EQ(CAtoi("-5"), -5);
    EXPECT_EQ(CAtoi("x12"), 0);
    EXPECT_EQ(CAtoi("2147483647"), INT_MAX);
    EXPECT_EQ(CAtoi("2147483648"), INT_MAX);
    EXPECT_EQ(CAtoi("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(CAtoi("-2147483648"), INT_MIN);
    EXPECT_EQ(CAtoi("-99999999999999999999999"), INT_MIN);
}
