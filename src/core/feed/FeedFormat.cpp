#include "core/feed/FeedFormat.h"

#include <string>

#include "core/common/Charset.h"
#include "core/feed/CsvDocument.h"
#include "core/feed/FdsnTextDocument.h"
#include "core/feed/JsonStart.h"

namespace tremolux {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// HTML's ASCII white space: unlike C's, it leaves a vertical tab in front as
// content.
bool IsHtmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

FeedFormat GuessFromUtf8(std::string_view text)
{
    const std::string_view content = text.substr(FeedContentStart(text));
    if (StartsAsJson(content))
        return FeedFormat::GeoJson;
    const std::string_view firstLine = content.substr(0, content.find('\n'));
    if (IsCsvHeader(firstLine))
        return FeedFormat::Csv;
    if (IsFdsnTextHeader(firstLine))
        return FeedFormat::FdsnText;
    return FeedFormat::Html;
}

}  // namespace

std::size_t FeedContentStart(std::string_view utf8)
{
    std::size_t start = utf8.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    while (start < utf8.size() && IsHtmlSpace(utf8[start]))
        ++start;
    return start;
}

FeedFormat GuessFeedFormat(std::string_view bytes)
{
    const std::string_view start = bytes.substr(0, kFeedFormatWindow);
    if (StartsWithUtf16Bom(start))
        return GuessFromUtf8(ToUtf8(std::string(start), ""));
    return GuessFromUtf8(start);
}

}  // namespace tremolux
