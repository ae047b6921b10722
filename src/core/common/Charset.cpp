#include "core/common/Charset.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>

#include <iconv.h>
#include <simdjson.h>

#include "core/common/EncodingLabels.h"
#include "core/common/Utf8.h"

namespace tremolux {

namespace {

// Browsers look for the declaration in the first 1024 bytes only.
constexpr std::size_t kPrescanLength = 1024;

constexpr std::string_view kUtf8 = "UTF-8";
constexpr std::string_view kWindows1252 = "WINDOWS-1252";
constexpr std::string_view kUtf16Le = "UTF-16LE";
constexpr std::string_view kUtf16Be = "UTF-16BE";

struct ByteOrderMark {
    std::string_view bytes;
    std::string_view encoding;
};

constexpr std::array<ByteOrderMark, 3> kByteOrderMarks = {{
    {"\xEF\xBB\xBF", kUtf8},
    {"\xFF\xFE", kUtf16Le},
    {"\xFE\xFF", kUtf16Be},
}};

// Text in these is 7-bit or full of zero bytes, so it can pass for UTF-8:
// only decoding it tells.
bool CanPassForUtf8(std::string_view encoding)
{
    return encoding == kUtf16Le || encoding == kUtf16Be || encoding == "ISO-2022-JP"
           || encoding == kReplacementEncoding;
}

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

// Windows-1252's 0x80 ... 0x9F; its five unassigned bytes stay C1 controls.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
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

std::string RepairUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes.substr(i));
        if (length == 0) {
            out += kReplacementCharacter;
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

// Closes the converter however the decoding ends.
class Converter {
public:
    explicit Converter(std::string_view encoding)
        : m_converter(iconv_open("UTF-8", std::string(encoding).c_str()))
    {
    }
    ~Converter()
    {
        if (IsOpen())
            iconv_close(m_converter);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return m_converter != reinterpret_cast<iconv_t>(-1); }

    // errno of the conversion, 0 when all of the input was converted.
    int Convert(char** in, std::size_t* inLeft, std::string& out, std::size_t& written)
    {
        char* to = out.data() + written;
        std::size_t room = out.size() - written;
        const std::size_t result = iconv(m_converter, in, inLeft, &to, &room);
        written = static_cast<std::size_t>(to - out.data());
        return result == static_cast<std::size_t>(-1) ? errno : 0;
    }

private:
    iconv_t m_converter;
};

// Each bad sequence gives U+FFFD and decoding goes on after its first byte (or
// code unit); a sequence cut off at the end is dropped.
std::string DecodeWithIconv(std::string bytes, std::string_view encoding)
{
    Converter converter(encoding);
    if (!converter.IsOpen())
        return FromCp1252(bytes);  // the system lacks the encoding: the browsers' fallback
    const std::size_t unit = encoding == kUtf16Le || encoding == kUtf16Be ? 2 : 1;
    std::string out(bytes.size() * 2 + 16, '\0');
    std::size_t written = 0;
    char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    while (true) {
        const int error = converter.Convert(&in, &inLeft, out, written);
        if (error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (error != EILSEQ)
            break;
        if (out.size() - written < kReplacementCharacter.size())
            out.resize(out.size() * 2);
        out.replace(written, kReplacementCharacter.size(), kReplacementCharacter);
        written += kReplacementCharacter.size();
        const std::size_t skipped = std::min(unit, inLeft);
        in += skipped;
        inLeft -= skipped;
    }
    // Stateful decoders may still hold a character back.
    while (converter.Convert(nullptr, nullptr, out, written) == E2BIG)
        out.resize(out.size() * 2);
    out.resize(written);
    return out;
}

std::string Decode(std::string bytes, std::string_view encoding)
{
    if (encoding == kUtf8) {
        if (simdjson::validate_utf8(bytes))
            return bytes;
        return RepairUtf8(std::string_view(bytes).substr(0, WithoutCutTail(bytes)));
    }
    if (encoding == kWindows1252)
        return FromCp1252(bytes);
    if (encoding == kReplacementEncoding)
        return std::string(bytes.empty() ? std::string_view() : kReplacementCharacter);
    return DecodeWithIconv(std::move(bytes), encoding);
}

}  // namespace

std::string DeclaredCharset(std::string_view page)
{
    const std::string head = Lower(page.substr(0, std::min(page.size(), kPrescanLength)));
    std::string charset;
    if (head.starts_with("<?xml"))
        charset = ValueAfter(head.substr(0, head.find("?>")), "encoding=");
    for (std::size_t at = head.find("<meta"); charset.empty() && at != std::string::npos;
         at = head.find("<meta", at + 5)) {
        const std::string_view tag = std::string_view(head).substr(at, head.find('>', at) - at);
        charset = ValueAfter(tag, "charset=");
    }
    // A declaration that could be read byte by byte is not in UTF-16.
    const std::string_view encoding = EncodingOfLabel(charset);
    return encoding == kUtf16Le || encoding == kUtf16Be ? "utf-8" : charset;
}

bool StartsWithUtf16Bom(std::string_view bytes)
{
    for (const ByteOrderMark& mark : kByteOrderMarks)
        if (mark.encoding != kUtf8 && bytes.starts_with(mark.bytes))
            return true;
    return false;
}

std::string ToUtf8(std::string bytes, std::string_view charset)
{
    for (const ByteOrderMark& mark : kByteOrderMarks) {
        if (bytes.starts_with(mark.bytes)) {
            bytes.erase(0, mark.bytes.size());
            return Decode(std::move(bytes), mark.encoding);
        }
    }
    const std::string_view encoding = EncodingOfLabel(charset);
    if (CanPassForUtf8(encoding))
        return Decode(std::move(bytes), encoding);
    if (simdjson::validate_utf8(bytes))
        return bytes;
    if (!encoding.empty())
        return Decode(std::move(bytes), encoding);
    // Undeclared: UTF-8 cut off part-way through a character, or else Windows-1252.
    const std::size_t complete = WithoutCutTail(bytes);
    if (complete < bytes.size() && simdjson::validate_utf8(bytes.data(), complete)) {
        bytes.resize(complete);
        return bytes;
    }
    return FromCp1252(bytes);
}

}  // namespace tremolux
