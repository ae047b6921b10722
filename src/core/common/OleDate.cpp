#include "core/common/OleDate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/common/CNumbers.h"
#include "core/common/CivilDate.h"
#include "core/common/DateTokens.h"

namespace tremolux {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kHalfSecond = 5.787037037037037e-6;  // days
// 0100-01-01 00:00:00 and the day after 9999-12-31.
constexpr double kFirstDay = -657434.0;
constexpr double kDayAfterLast = 2958466.0;
// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kEpochFromUnix = -25569;

const OleDate kNotADate{0.0, false};
const OleDate kOutOfRange{-1.0, false};

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// An OLE value as a continuous day count: below 0 the fraction runs forward
// from the day, so -1.25 (1899-12-29 06:00) is -0.75 days from the epoch.
double Continuous(double value)
{
    return value < 0.0 ? 2.0 * std::ceil(value) - value : value;
}

// The inverse of Continuous.
double FromContinuous(double days)
{
    if (days >= 0.0)
        return days;
    const double day = std::floor(days);
    return day - (days - day);
}

// A date from whole seconds since 1899-12-30 00:00, checked against the range.
OleDate FromSeconds(std::int64_t seconds)
{
    const double days = static_cast<double>(seconds) / kSecondsPerDay;
    if (days < kFirstDay || days >= kDayAfterLast)
        return kOutOfRange;
    return {FromContinuous(days), true};
}

std::int64_t ToSeconds(int year, int month, int day, int hour, int minute, int second)
{
    const std::int64_t days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day))
        - kEpochFromUnix;
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

bool FieldsValid(int year, int month, int day, int hour, int minute, int second)
{
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1
           && day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0
           && minute <= 59 && second >= 0 && second <= 59;
}

}  // namespace

OleDate OleDateFromCalendar(int year, int month, int day, int hour, int minute, int second)
{
    if (!FieldsValid(year, month, day, hour, minute, second))
        return kOutOfRange;
    return FromSeconds(ToSeconds(year, month, day, hour, minute, second));
}

double OleDayDifference(OleDate later, OleDate earlier)
{
    return Continuous(later.value) - Continuous(earlier.value);
}

double WholeUnitsOfAge(double ageDays, double unitsPerDay)
{
    const double nudge = ageDays >= 0.0 ? kHalfSecond : -kHalfSecond;
    return std::trunc((ageDays + nudge) * unitsPerDay);
}

bool OleDateToCalendar(OleDate date, CalendarTime& out)
{
    const double days = Continuous(date.value);
    if (!date.valid || !(days >= kFirstDay && days < kDayAfterLast))
        return false;
    const std::int64_t seconds = std::llround(days * kSecondsPerDay);
    std::int64_t day = seconds / 86400;
    std::int64_t secondOfDay = seconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --day;
    }
    CivilFromDays(day + kEpochFromUnix, out.year, out.month, out.day);
    if (out.year > 9999)
        return false;
    out.hour = static_cast<int>(secondOfDay / 3600);
    out.minute = static_cast<int>(secondOfDay / 60 % 60);
    out.second = static_cast<int>(secondOfDay % 60);
    // 1899-12-30 was a Saturday.
    out.dayOfWeek = static_cast<int>(((day + 6) % 7 + 7) % 7);
    return true;
}

std::string FormatOleDate(OleDate date)
{
    static constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    CalendarTime t;
    if (!OleDateToCalendar(date, t))
        return "Invalid DateTime";
    // "%s %s %2d %02d:%02d:%02d %d" written digit by digit: a map's labels
    // format thousands of dates at once.
    char text[32];
    char* out = std::copy_n(kDayNames[t.dayOfWeek], 3, text);
    *out++ = ' ';
    out = std::copy_n(kMonthNames[t.month - 1], 3, out);
    *out++ = ' ';
    *out++ = t.day < 10 ? ' ' : static_cast<char>('0' + t.day / 10);
    *out++ = static_cast<char>('0' + t.day % 10);
    const int fields[] = {t.hour, t.minute, t.second};
    for (const int& field : fields) {
        *out++ = &field == fields ? ' ' : ':';
        *out++ = static_cast<char>('0' + field / 10);
        *out++ = static_cast<char>('0' + field % 10);
    }
    *out++ = ' ';
    out = std::to_chars(out, std::end(text), t.year).ptr;
    return std::string(text, out);
}

OleDate ParseOleDate(std::string_view text)
{
    using namespace date_tokens;
    std::vector<Token> tokens = Tokenize(text);
    const std::optional<TimeOfDay> time = TakeTime(tokens);

    std::optional<CalendarDay> date = NumericDate(tokens);
    if (!date)
        date = NamedMonthDate(tokens);
    const bool timeOnly = !date && time && CarriesNoDate(tokens);
    if (!date && !timeOnly)
        return kNotADate;

    const TimeOfDay clock = time.value_or(TimeOfDay{});
    if (!clock.fieldsValid)
        return kOutOfRange;
    const std::int64_t adjust = (clock.roundUp ? 1 : 0) - clock.offsetSeconds;
    if (timeOnly) {
        std::int64_t seconds = clock.hour * 3600 + clock.minute * 60 + clock.second + adjust;
        seconds = (seconds % 86400 + 86400) % 86400;
        return {static_cast<double>(seconds) / kSecondsPerDay, true};
    }
    if (!FieldsValid(date->year, date->month, date->day, clock.hour, clock.minute, clock.second))
        return kOutOfRange;
    return FromSeconds(
        ToSeconds(date->year, date->month, date->day, clock.hour, clock.minute, clock.second)
        + adjust);
}

}  // namespace tremolux
