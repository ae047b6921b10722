#pragma once

#include <string>
#include <string_view>

namespace tremolux {

// An OLE Automation date: days since 1899-12-30 00:00, the fraction being the
// time of day, with a valid/invalid status. Dates before the epoch count their
// fraction forward from their day (-1.25 is 1899-12-29 06:00).
struct OleDate {
    double value = 0.0;
    bool valid = true;
};

struct CalendarTime {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 6;  // 0 = Sunday
};

// The date for the calendar fields; invalid -1.0 outside 0100-01-01 ... 9999-12-31
// or when a field is out of range.
OleDate OleDateFromCalendar(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0);

// later - earlier in days, both first turned into continuous day counts.
double OleDayDifference(OleDate later, OleDate earlier);

// An age in days as whole units (unitsPerDay of them to a day), truncated
// toward zero after a nudge of half a second away from zero, so that an age
// a rounding error short of a whole second still counts it.
double WholeUnitsOfAge(double ageDays, double unitsPerDay);

// Calendar fields of a date, rounded to the nearest second. False when the
// date is invalid or outside the supported range.
bool OleDateToCalendar(OleDate date, CalendarTime& out);

// The "%c" text of the C locale ("Mon Dec  7 05:43:57 2026"), or
// "Invalid DateTime" for an invalid date.
std::string FormatOleDate(OleDate date);

// Reads a date-and-time text with English (US) conventions. A text that is
// not a date gives invalid 0.0; a date outside the supported range invalid -1.0.
OleDate ParseOleDate(std::string_view text);

}  // namespace tremolux
