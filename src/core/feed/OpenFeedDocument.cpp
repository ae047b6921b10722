#include "core/feed/OpenFeedDocument.h"

#include <string_view>

#include "core/common/Charset.h"
#include "core/feed/CsvDocument.h"
#include "core/feed/GeoJsonDocument.h"
#include "core/feed/HtmlDocument.h"
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

}  // namespace

std::unique_ptr<FeedDocument> OpenFeedDocument(std::string bytes)
{
    // Every reader takes UTF-8. The UTF-8 mark in front keeps the page from
    // being decoded again from whatever charset it declares, as the UTF-16
    // mark would have.
    if (StartsWithUtf16Bom(bytes))
        bytes = std::string(kUtf8Bom) + ToUtf8(std::move(bytes), "");
    const std::string_view text(bytes);
    std::size_t start = text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    while (start < text.size() && IsHtmlSpace(text[start]))
        ++start;
    const std::string_view content = text.substr(start);
    if (StartsAsJson(content)) {
        bytes.erase(0, start);
        return OpenGeoJsonDocument(std::move(bytes));
    }
    if (IsCsvHeader(content.substr(0, content.find('\n')))) {
        bytes.erase(0, start);
        return OpenCsvDocument(std::move(bytes));
    }
    return OpenHtmlDocument(std::move(bytes));
}

}  // namespace tremolux
