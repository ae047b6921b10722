#include <gtest/gtest.h>

#include "core/common/OleDate.h"

using namespace tremolux;

namespace {

constexpr double kSecond = 1.0 / 86400.0;

OleDate Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return OleDateFromCalendar(y, mo, d, h, mi, s);
}

void ExpectDate(std::string_view text, OleDate expected)
{
    const OleDate parsed = ParseOleDate(text);
    EXPECT_TRUE(parsed.valid) << text;
    EXPECT_NEAR(parsed.value, expected.value, 1e-9) << text;
}

void ExpectInvalid(std::string_view text, double value)
{
    const OleDate parsed = ParseOleDate(text);
    EXPECT_FALSE(parsed.valid) << text;
    EXPECT_EQ(parsed.value, value) << text;
}

}  // namespace

TEST(OleDate, FromCalendarKnownDays)
{
    EXPECT_EQ(Date(1899, 12, 30).value, 0.0);
    EXPECT_EQ(Date(1970, 1, 1).value, 25569.0);
    EXPECT_EQ(Date(2000, 1, 1).value, 36526.0);
    EXPECT_EQ(Date(100, 1, 1).value, -657434.0);
    EXPECT_EQ(Date(9999, 12, 31).value, 2958465.0);
    EXPECT_NEAR(Date(2000, 1, 1, 18).value, 36526.75, 1e-12);
    // Before the epoch the fraction runs forward from the day.
    EXPECT_NEAR(Date(1899, 12, 29, 6).value, -1.25, 1e-12);
    EXPECT_NEAR(Date(1800, 1, 1, 12).value, -36522.5, 1e-12);
}

TEST(OleDate, FromCalendarRejectsImpossibleFieldsAndRange)
{
    for (const OleDate d :
         {Date(99, 12, 31, 23, 59, 59), Date(10000, 1, 1), Date(2026, 13, 1), Date(2026, 0, 1),
          Date(2026, 2, 29), Date(1900, 2, 29), Date(2026, 4, 31), Date(2026, 1, 1, 24),
          Date(2026, 1, 1, 0, 60), Date(2026, 1, 1, 0, 0, 60), Date(2026, 1, 0)}) {
        EXPECT_FALSE(d.valid);
        EXPECT_EQ(d.value, -1.0);
    }
    EXPECT_TRUE(Date(2000, 2, 29).valid);
    EXPECT_TRUE(Date(2024, 2, 29).valid);
}

TEST(OleDate, DayDifferenceCountsNegativeDatesContinuously)
{
    EXPECT_DOUBLE_EQ(OleDayDifference({36526.5}, {36526.25}), 0.25);
    // -1.25 is 1899-12-29 06:00, three quarters of a day before the epoch.
    EXPECT_DOUBLE_EQ(OleDayDifference({0.0}, {-1.25}), 0.75);
    EXPECT_DOUBLE_EQ(OleDayDifference({-1.25}, {-2.75}), 0.5);
    EXPECT_DOUBLE_EQ(OleDayDifference({-2.75}, {-1.25}), -0.5);
    // Status is not consulted.
    EXPECT_DOUBLE_EQ(OleDayDifference({10.0}, {-1.0, false}), 11.0);
}

TEST(OleDate, ToCalendarRoundsToTheSecondAndGivesTheWeekday)
{
    CalendarTime t;
    ASSERT_TRUE(OleDateToCalendar(Date(2026, 12, 7, 5, 43, 57), t));
    EXPECT_EQ(t.year, 2026);
    EXPECT_EQ(t.month, 12);
    EXPECT_EQ(t.day, 7);
    EXPECT_EQ(t.hour, 5);
    EXPECT_EQ(t.minute, 43);
    EXPECT_EQ(t.second, 57);
    EXPECT_EQ(t.dayOfWeek, 1);  // Monday

    // 23:59:59.6 rounds into the next day.
    ASSERT_TRUE(OleDateToCalendar({Date(2025, 12, 31, 23, 59, 59).value + 0.6 * kSecond}, t));
    EXPECT_EQ(t.year, 2026);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.second, 0);

    ASSERT_TRUE(OleDateToCalendar({-1.25}, t));
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.hour, 6);
    EXPECT_EQ(t.dayOfWeek, 5);  // Friday

    ASSERT_TRUE(OleDateToCalendar({-657434.5}, t));  // 0100-01-01 12:00
    EXPECT_EQ(t.year, 100);
    EXPECT_EQ(t.hour, 12);

    EXPECT_FALSE(OleDateToCalendar({0.0, false}, t));
    EXPECT_FALSE(OleDateToCalendar({2958466.0}, t));
    EXPECT_FALSE(OleDateToCalendar({-657435.0}, t));
    // Half a second before the year 10000 rounds out of the range, not into year 10000.
    EXPECT_FALSE(OleDateToCalendar({2958466.0 - 0.4 * kSecond}, t));
    ASSERT_TRUE(OleDateToCalendar({2958466.0 - 0.6 * kSecond}, t));
    EXPECT_EQ(t.year, 9999);
}

TEST(OleDate, FormatsLikeTheCLocaleC)
{
    EXPECT_EQ(FormatOleDate(Date(2026, 12, 7, 5, 43, 57)), "Mon Dec  7 05:43:57 2026");
    EXPECT_EQ(FormatOleDate(Date(2024, 2, 29, 23, 0, 1)), "Thu Feb 29 23:00:01 2024");
    EXPECT_EQ(FormatOleDate(Date(100, 1, 1)), "Fri Jan  1 00:00:00 100");
    EXPECT_EQ(FormatOleDate(Date(9999, 12, 31, 9, 9, 9)), "Fri Dec 31 09:09:09 9999");
    EXPECT_EQ(FormatOleDate({0.0, false}), "Invalid DateTime");
    EXPECT_EQ(FormatOleDate({1e9}), "Invalid DateTime");
}

TEST(OleDate, RoundTripsCalendarFieldsAcrossTheRange)
{
    for (int year : {100, 1582, 1899, 1900, 1970, 2000, 2038, 9999}) {
        for (int month : {1, 2, 12}) {
            const OleDate d = Date(year, month, 28, 13, 7, 9);
            CalendarTime t;
            ASSERT_TRUE(OleDateToCalendar(d, t)) << year;
            EXPECT_EQ(t.year, year);
            EXPECT_EQ(t.month, month);
            EXPECT_EQ(t.day, 28);
            EXPECT_EQ(t.hour, 13);
            EXPECT_EQ(t.minute, 7);
            EXPECT_EQ(t.second, 9);
        }
    }
}

TEST(OleDate, ParsesNumericForms)
{
    const OleDate expected = Date(2026, 12, 7, 5, 43, 57);
    ExpectDate("2026/12/07 05:43:57", expected);
    ExpectDate("2026-12-07 05:43:57", expected);
    ExpectDate("12/7/2026 5:43:57", expected);
    ExpectDate("12/7/2026 5:43:57 AM", expected);
    ExpectDate("  \t2026/12/07 05:43:57\r\n", expected);
    ExpectDate("12/7/2026 5:43:57 PM", Date(2026, 12, 7, 17, 43, 57));
    ExpectDate("12/7/2026 12:00 AM", Date(2026, 12, 7, 0, 0));
    ExpectDate("12/7/2026 12:00pm", Date(2026, 12, 7, 12, 0));
    ExpectDate("12/7/2026 5 PM", Date(2026, 12, 7, 17, 0));
    ExpectDate("2026/12/07 05:43", Date(2026, 12, 7, 5, 43));
    ExpectDate("2026-12-07", Date(2026, 12, 7));
    ExpectDate("12.7.2026", Date(2026, 12, 7));
    ExpectDate("05:43:57 12/7/2026", expected);
}

TEST(OleDate, ParsesTwoDigitYearsWithTheWindow)
{
    ExpectDate("12/7/26", Date(2026, 12, 7));
    ExpectDate("1/1/00", Date(2000, 1, 1));
    ExpectDate("1/1/29", Date(2029, 1, 1));
    ExpectDate("1/1/30", Date(1930, 1, 1));
    ExpectDate("1/1/99", Date(1999, 1, 1));
}

TEST(OleDate, ParsesTimeOnlyOnTheEpochDay)
{
    const OleDate t = ParseOleDate("18:00");
    EXPECT_TRUE(t.valid);
    EXPECT_DOUBLE_EQ(t.value, 0.75);
    ExpectDate("6:00:30 PM", {0.75 + 30 * kSecond});
    ExpectDate("00:00:00", {0.0});
    ExpectDate("23:59:59.7", {0.0});
}

TEST(OleDate, ParsesMonthNamesAndItsOwnFormat)
{
    ExpectDate("Dec 7, 2026", Date(2026, 12, 7));
    ExpectDate("December 7 2026", Date(2026, 12, 7));
    ExpectDate("7 Dec 2026 05:43", Date(2026, 12, 7, 5, 43));
    ExpectDate("7-dec-26", Date(2026, 12, 7));
    ExpectDate("Sept 1, 1999", Date(1999, 9, 1));
    const OleDate d = Date(2026, 12, 7, 5, 43, 57);
    ExpectDate(FormatOleDate(d), d);
}

TEST(OleDate, ParsesIso8601)
{
    const OleDate expected = Date(2026, 12, 7, 5, 43, 57);
    ExpectDate("2026-12-07T05:43:57", expected);
    ExpectDate("2026-12-07T05:43:57Z", expected);
    ExpectDate("2026-12-07T05:43:57.123Z", expected);
    ExpectDate("2026-12-07T05:43:56.500Z", expected);
    ExpectDate("2026-12-07T07:43:57+02:00", expected);
    ExpectDate("2026-12-07T00:43:57-0500", expected);
    ExpectDate("2026-12-31T23:59:59.9Z", Date(2027, 1, 1));
}

TEST(OleDate, TextThatIsNotADateIsInvalidZero)
{
    for (const char* text : {"", "   ", "hello", "5.2", "12", "2026", "12/7", "Dec",
                             "2026/12/07 garbage", "next tuesday", "1/2/3/4", "2026/12-07"})
        ExpectInvalid(text, 0.0);
}

TEST(OleDate, ImpossibleOrOutOfRangeDatesAreInvalidMinusOne)
{
    for (const char* text : {"2026/13/01", "2026/02/30", "2026/12/07 25:00", "2026/12/07 05:60",
                             "13/1/2026", "0099/12/31", "10000/01/01", "9999-12-31T23:59:59.6Z",
                             "12/7/2026 13:00 PM", "Feb 30, 2026"})
        ExpectInvalid(text, -1.0);
}
