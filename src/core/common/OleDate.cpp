#include "core/common/OleDate.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "core/common/CNumbers.h"
#include "core/common/CivilDate.h"

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
    const std::int64_t days = DaysFromCivil(year, static_cast<unsigned>(month),
                                            static_cast<unsigned>(day)) - kEpochFromUnix;
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

bool FieldsValid(int year, int month, int day, int hour, int minute, int second)
{
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1
           && day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0
           && minute <= 59 && second >= 0 && second <= 59;
}

// ---- Text parsing ----------------------------------------------------------

struct Token {
    enum Kind { Number, Word, Mark } kind;
    std::string text;  // words in lower case
    bool spaceBefore = false;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::vector<Token> Tokenize(std::string_view text)
{
    std::vector<Token> tokens;
    bool space = false;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (IsCSpace(c)) {
            space = true;
            ++i;
            continue;
        }
        Token token{Token::Mark, std::string(1, c), space};
        std::size_t end = i + 1;
        if (IsDigit(c)) {
            token.kind = Token::Number;
            while (end < text.size() && IsDigit(text[end]))
                ++end;
            token.text = std::string(text.substr(i, end - i));
        } else if (IsAlpha(c)) {
            token.kind = Token::Word;
            while (end < text.size() && IsAlpha(text[end]))
                ++end;
            token.text.clear();
            for (std::size_t k = i; k < end; ++k)
                token.text += static_cast<char>(text[k] | 0x20);
        }
        tokens.push_back(std::move(token));
        space = false;
        i = end;
    }
    return tokens;
}

// Numbers longer than any date field are clamped so that they stay impossible
// values instead of overflowing.
int NumberValue(const Token& token)
{
    if (token.text.size() > 6)
        return 999999;
    return std::stoi(token.text);
}

int MonthFromName(const std::string& word)
{
    static constexpr const char* kMonths[] = {"january", "february", "march",     "april",
                                              "may",     "june",     "july",      "august",
                                              "september", "october", "november", "december"};
    if (word.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m) {
        const std::string_view name = kMonths[m];
        if (word.size() <= name.size() && name.substr(0, word.size()) == word)
            return m + 1;
    }
    return 0;
}

bool IsWeekdayName(const std::string& word)
{
    static constexpr const char* kDays[] = {"sunday",   "monday", "tuesday", "wednesday",
                                            "thursday", "friday", "saturday"};
    if (word.size() < 3)
        return false;
    for (const char* day : kDays) {
        const std::string_view name = day;
        if (word.size() <= name.size() && name.substr(0, word.size()) == word)
            return true;
    }
    return false;
}

bool IsMark(const std::vector<Token>& tokens, std::size_t i, char mark)
{
    return i < tokens.size() && tokens[i].kind == Token::Mark && tokens[i].text[0] == mark
           && !tokens[i].spaceBefore;
}

bool IsNumber(const std::vector<Token>& tokens, std::size_t i, bool allowSpace = false)
{
    return i < tokens.size() && tokens[i].kind == Token::Number
           && (allowSpace || !tokens[i].spaceBefore);
}

bool IsWord(const std::vector<Token>& tokens, std::size_t i, std::string_view word)
{
    return i < tokens.size() && tokens[i].kind == Token::Word && tokens[i].text == word;
}

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool roundUp = false;       // fractional seconds of half a second or more
    int offsetSeconds = 0;      // east of UTC, subtracted to give UTC
    bool fieldsValid = true;
};

// Finds "H:MM[:SS[.fff]] [AM|PM] [Z|+HH:MM]" or "H AM|PM" and removes it from
// the tokens. An ISO "T" right before the time is removed with it.
std::optional<TimeOfDay> TakeTime(std::vector<Token>& tokens)
{
    for (std::size_t start = 0; start < tokens.size(); ++start) {
        if (tokens[start].kind != Token::Number)
            continue;
        const bool colonForm = IsMark(tokens, start + 1, ':') && IsNumber(tokens, start + 2);
        const bool meridianOnly = !colonForm && start + 1 < tokens.size()
                                  && (IsWord(tokens, start + 1, "am") || IsWord(tokens, start + 1, "pm"));
        if (!colonForm && !meridianOnly)
            continue;

        TimeOfDay time;
        time.hour = NumberValue(tokens[start]);
        std::size_t end = start + 1;
        if (colonForm) {
            time.minute = NumberValue(tokens[start + 2]);
            time.fieldsValid = tokens[start + 2].text.size() == 2;
            end = start + 3;
            if (IsMark(tokens, end, ':') && IsNumber(tokens, end + 1)) {
                time.second = NumberValue(tokens[end + 1]);
                time.fieldsValid = time.fieldsValid && tokens[end + 1].text.size() == 2;
                end += 2;
                if ((IsMark(tokens, end, '.') || IsMark(tokens, end, ',')) && IsNumber(tokens, end + 1)) {
                    time.roundUp = tokens[end + 1].text[0] >= '5';
                    end += 2;
                }
            }
        }
        if (IsWord(tokens, end, "am") || IsWord(tokens, end, "pm")) {
            const bool pm = tokens[end].text == "pm";
            if (time.hour < 0 || time.hour > 12)
                time.fieldsValid = false;
            else
                time.hour = time.hour % 12 + (pm ? 12 : 0);
            ++end;
        }
        if (IsWord(tokens, end, "z")) {
            ++end;
        } else if ((IsMark(tokens, end, '+') || IsMark(tokens, end, '-'))
                   && IsNumber(tokens, end + 1)) {
            const int sign = tokens[end].text[0] == '-' ? -1 : 1;
            const Token& first = tokens[end + 1];
            int hours = 0;
            int minutes = 0;
            std::size_t after = end + 2;
            if (first.text.size() == 4) {
                hours = NumberValue(first) / 100;
                minutes = NumberValue(first) % 100;
            } else if (first.text.size() <= 2) {
                hours = NumberValue(first);
                if (IsMark(tokens, after, ':') && IsNumber(tokens, after + 1)) {
                    minutes = NumberValue(tokens[after + 1]);
                    after += 2;
                }
            } else {
                time.fieldsValid = false;
            }
            if (hours > 23 || minutes > 59)
                time.fieldsValid = false;
            time.offsetSeconds = sign * (hours * 3600 + minutes * 60);
            end = after;
        }
        if (start > 0 && IsWord(tokens, start - 1, "t") && !tokens[start].spaceBefore)
            --start;
        tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(start),
                     tokens.begin() + static_cast<std::ptrdiff_t>(end));
        if (time.hour > 23 || time.minute > 59 || time.second > 59)
            time.fieldsValid = false;
        return time;
    }
    return std::nullopt;
}

struct CalendarDay {
    int year = 0;
    int month = 0;
    int day = 0;
};

int ExpandYear(const Token& token)
{
    const int year = NumberValue(token);
    if (token.text.size() <= 2)
        return year < 30 ? 2000 + year : 1900 + year;
    return year;
}

// Numeric dates: Y/M/D with a year of three or more digits, otherwise M/D/Y.
// The two separators must match.
std::optional<CalendarDay> NumericDate(const std::vector<Token>& tokens)
{
    if (tokens.size() != 5 || !IsNumber(tokens, 0, true) || !IsNumber(tokens, 2)
        || !IsNumber(tokens, 4))
        return std::nullopt;
    const char separator = tokens[1].text[0];
    if ((separator != '/' && separator != '-' && separator != '.')
        || !IsMark(tokens, 1, separator) || !IsMark(tokens, 3, separator))
        return std::nullopt;
    if (tokens[0].text.size() >= 3)
        return CalendarDay{NumberValue(tokens[0]), NumberValue(tokens[2]), NumberValue(tokens[4])};
    return CalendarDay{ExpandYear(tokens[4]), NumberValue(tokens[0]), NumberValue(tokens[2])};
}

// Dates with a month name: "Dec 7, 2026", "7 Dec 2026", "2026 Dec 7",
// "7-Dec-26", with an optional weekday name anywhere.
std::optional<CalendarDay> NamedMonthDate(const std::vector<Token>& tokens)
{
    int month = 0;
    std::vector<const Token*> numbers;
    for (const Token& token : tokens) {
        switch (token.kind) {
        case Token::Number:
            numbers.push_back(&token);
            break;
        case Token::Word:
            if (const int m = MonthFromName(token.text); m != 0 && month == 0)
                month = m;
            else if (!IsWeekdayName(token.text))
                return std::nullopt;
            break;
        case Token::Mark:
            if (token.text != "," && token.text != "-" && token.text != "/" && token.text != ".")
                return std::nullopt;
            break;
        }
    }
    if (month == 0 || numbers.size() != 2)
        return std::nullopt;
    if (numbers[0]->text.size() >= 3)
        return CalendarDay{NumberValue(*numbers[0]), month, NumberValue(*numbers[1])};
    return CalendarDay{ExpandYear(*numbers[1]), month, NumberValue(*numbers[0])};
}

// Weekday names alone (as in the "%c" text) and stray commas carry no date.
bool CarriesNoDate(const std::vector<Token>& tokens)
{
    for (const Token& token : tokens) {
        if (token.kind == Token::Number)
            return false;
        if (token.kind == Token::Word && !IsWeekdayName(token.text))
            return false;
        if (token.kind == Token::Mark && token.text != ",")
            return false;
    }
    return true;
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
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %2d %02d:%02d:%02d %d", kDayNames[t.dayOfWeek],
                  kMonthNames[t.month - 1], t.day, t.hour, t.minute, t.second, t.year);
    return text;
}

OleDate ParseOleDate(std::string_view text)
{
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
    return FromSeconds(ToSeconds(date->year, date->month, date->day, clock.hour, clock.minute,
                                 clock.second) + adjust);
}

}  // namespace tremolux
