#include "feed/Charset.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

#include <simdjson.h>

namespace tremolux {

namespace {

// Browsers look for the declaration in the first 1024 bytes only.
constexpr std::size_t kPrescanLength = 1024;

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The value that follows `name` in a tag, with or without quotes.
std::string ValueAfter(std::string_view tag, std::string_view name)
{
    const std::size_t at = tag.find(name);
    if (at == std::string_view::npos)
        return {};
    std::size_t i = at + name.size();
    while (i < tag.size() && (tag[i] == ' ' || tag[i] == '"' || tag[i] == '\''))
        ++i;
    const std::size_t end = tag.find_first_of(" \"';>?/", i);
    return std::string(tag.substr(i, end == std::string_view::npos ? end : end - i));
}

bool IsUtf8Label(std::string_view charset)
{
    return charset == "utf-8" || charset == "utf8" || charset == "unicode-1-1-utf-8";
}

// Windows-1252's 0x80 ... 0x9F; its five unassigned bytes stay C1 controls.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string FromCp1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out += c;
        else if (byte < 0xA0)
            AppendUtf8(out, kCp1252High[byte - 0x80]);
        else
            AppendUtf8(out, byte);
    }
    return out;
}

// The length of the well-formed sequence at the start of `text`, or 0
// (overlongs, surrogates and values past U+10FFFF are not well formed).
std::size_t Utf8SequenceLength(std::string_view text)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = at(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || at(1) < low || at(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (at(i) < 0x80 || at(i) > 0xBF)
            return 0;
    return length;
}

std::string RepairUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes.substr(i));
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(bytes.substr(i, length));
            i += length;
        }
    }
    return out;
}

// The length without a multi-byte sequence cut off at the end.
std::size_t WithoutCutTail(std::string_view bytes)
{
    for (std::size_t back = 1; back <= std::min<std::size_t>(3, bytes.size()); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) != 0x80) {
            if (byte < 0xC2 || byte > 0xF4)
                return bytes.size();
            const std::size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            return needed > back ? bytes.size() - back : bytes.size();
        }
    }
    return bytes.size();
}

}  // namespace

std::string DeclaredCharset(std::string_view page)
{
    const std::string head = Lower(page.substr(0, std::min(page.size(), kPrescanLength)));
    if (head.starts_with("<?xml")) {
        const std::string encoding = ValueAfter(head.substr(0, head.find("?>")), "encoding=");
        if (!encoding.empty())
            return encoding;
    }
    for (std::size_t at = head.find("<meta"); at != std::string::npos;
         at = head.find("<meta", at + 5)) {
        const std::string_view tag = std::string_view(head).substr(at, head.find('>', at) - at);
        std::string charset = ValueAfter(tag, "charset=");
        if (!charset.empty())
            return charset;
    }
    return {};
}

std::string ToUtf8(std::string bytes, std::string_view charset)
{
    if (simdjson::validate_utf8(bytes))
        return bytes;
    const std::size_t complete = WithoutCutTail(bytes);
    if (complete < bytes.size() && simdjson::validate_utf8(bytes.data(), complete)) {
        bytes.resize(complete);
        return bytes;
    }
    if (IsUtf8Label(Lower(charset)))
        return RepairUtf8(bytes);
    return FromCp1252(bytes);
}

}  // namespace tremolux
