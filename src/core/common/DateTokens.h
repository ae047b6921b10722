#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The pieces of a date text: the parser behind ParseOleDate cuts the text into
// tokens, takes the time of day out, then reads what is left as a date.
namespace tremolux::date_tokens {

struct Token {
    enum Kind { Number, Word, Mark } kind;
    std::string text;  // words in lower case
    bool spaceBefore = false;
};

std::vector<Token> Tokenize(std::string_view text);

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool roundUp = false;   // fractional seconds of half a second or more
    int offsetSeconds = 0;  // east of UTC, subtracted to give UTC
    bool fieldsValid = true;
};

// Finds "H:MM[:SS[.fff]] [AM|PM] [Z|+HH:MM]" or "H AM|PM" and removes it from
// the tokens. An ISO "T" right before the time is removed with it.
std::optional<TimeOfDay> TakeTime(std::vector<Token>& tokens);

struct CalendarDay {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Numeric dates: Y/M/D with a year of three or more digits, otherwise M/D/Y.
// The two separators must match.
std::optional<CalendarDay> NumericDate(const std::vector<Token>& tokens);

// Dates with a month name: "Dec 7, 2026", "7 Dec 2026", "2026 Dec 7",
// "7-Dec-26", with an optional weekday name anywhere.
std::optional<CalendarDay> NamedMonthDate(const std::vector<Token>& tokens);

// Weekday names alone (as in the "%c" text) and stray commas carry no date.
bool CarriesNoDate(const std::vector<Token>& tokens);

}  // namespace tremolux::date_tokens
