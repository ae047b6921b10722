#include "core/feed/JsonStart.h"

#include <string>

namespace tremolux {

namespace {

constexpr std::size_t kWindow = 4096;

// What the grammar allows at the current point.
enum class Expect { Value, ValueOrClose, Key, KeyOrClose, Colon, CommaOrClose, Nothing };

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::size_t SkipBlanks(std::string_view text, std::size_t at)
{
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

// Each Skip steps `at` over one token and says whether it is valid; a token
// that the end of the text cuts off is valid.
bool SkipString(std::string_view text, std::size_t& at)
{
    for (++at; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c == '"') {
            ++at;
            return true;
        }
        if (c < 0x20)
            return false;
        if (c == '\\') {
            if (++at == text.size())
                return true;
            if (std::string_view("\"\\/bfnrtu").find(text[at]) == std::string_view::npos)
                return false;
        }
    }
    return true;
}

bool IsNumberCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

// Numbers are taken loosely: a run of the characters they are made of.
bool SkipScalar(std::string_view text, std::size_t& at)
{
    const char c = text[at];
    if (c == '"')
        return SkipString(text, at);
    if (c == '-' || (c >= '0' && c <= '9')) {
        while (at < text.size() && IsNumberCharacter(text[at]))
            ++at;
        return true;
    }
    for (const std::string_view word : {"true", "false", "null"}) {
        if (c != word[0])
            continue;
        const std::string_view rest = text.substr(at, word.size());
        at += rest.size();
        return word.starts_with(rest);
    }
    return false;
}

}  // namespace

bool StartsAsJson(std::string_view text)
{
    text = text.substr(0, kWindow);
    std::size_t at = SkipBlanks(text, 0);
    if (at == text.size() || (text[at] != '{' && text[at] != '['))
        return false;
    std::string open;  // the brackets open at this point
    Expect expect = Expect::Value;
    const auto close = [&] {
        ++at;
        open.pop_back();
        expect = open.empty() ? Expect::Nothing : Expect::CommaOrClose;
    };
    while ((at = SkipBlanks(text, at)) < text.size()) {
        const char c = text[at];
        switch (expect) {
        case Expect::Nothing:
            return false;
        case Expect::Colon:
            if (c != ':')
                return false;
            ++at;
            expect = Expect::Value;
            break;
        case Expect::CommaOrClose:
            if (c == ',') {
                ++at;
                expect = open.back() == '{' ? Expect::Key : Expect::Value;
            } else if (c == (open.back() == '{' ? '}' : ']')) {
                close();
            } else {
                return false;
            }
            break;
        case Expect::KeyOrClose:
        case Expect::Key:
            if (c == '}' && expect == Expect::KeyOrClose) {
                close();
                break;
            }
            if (c != '"' || !SkipString(text, at))
                return false;
            expect = Expect::Colon;
            break;
        case Expect::ValueOrClose:
        case Expect::Value:
            if (c == ']' && expect == Expect::ValueOrClose) {
                close();
            } else if (c == '{' || c == '[') {
                ++at;
                open += c;
                expect = c == '{' ? Expect::KeyOrClose : Expect::ValueOrClose;
            } else if (SkipScalar(text, at)) {
                expect = open.empty() ? Expect::Nothing : Expect::CommaOrClose;
            } else {
                return false;
            }
            break;
        }
    }
    return true;
}

}  // namespace tremolux
