#include "core/common/DateTokens.h"

#include "core/common/CNumbers.h"

namespace tremolux::date_tokens {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
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
    static constexpr const char* kMonths[] = {"january",   "february", "march",    "april",
                                              "may",       "june",     "july",     "august",
                                              "september", "october",  "november", "december"};
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

int ExpandYear(const Token& token)
{
    const int year = NumberValue(token);
    if (token.text.size() <= 2)
        return year < 30 ? 2000 + year : 1900 + year;
    return year;
}

}  // namespace

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

std::optional<TimeOfDay> TakeTime(std::vector<Token>& tokens)
{
    for (std::size_t start = 0; start < tokens.size(); ++start) {
        if (tokens[start].kind != Token::Number)
            continue;
        const bool colonForm = IsMark(tokens, start + 1, ':') && IsNumber(tokens, start + 2);
        const bool meridianOnly =
            !colonForm && start + 1 < tokens.size()
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
                if ((IsMark(tokens, end, '.') || IsMark(tokens, end, ','))
                    && IsNumber(tokens, end + 1)) {
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

std::optional<CalendarDay> NumericDate(const std::vector<Token>& tokens)
{
    if (tokens.size() != 5 || !IsNumber(tokens, 0, true) || !IsNumber(tokens, 2)
        || !IsNumber(tokens, 4))
        return std::nullopt;
    const char separator = tokens[1].text[0];
    if ((separator != '/' && separator != '-' && separator != '.') || !IsMark(tokens, 1, separator)
        || !IsMark(tokens, 3, separator))
        return std::nullopt;
    if (tokens[0].text.size() >= 3)
        return CalendarDay{NumberValue(tokens[0]), NumberValue(tokens[2]), NumberValue(tokens[4])};
    return CalendarDay{ExpandYear(tokens[4]), NumberValue(tokens[0]), NumberValue(tokens[2])};
}

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

}  // namespace tremolux::date_tokens
