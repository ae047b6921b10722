#include "feed/OpenFeedDocument.h"

#include <string_view>

#include "feed/CsvDocument.h"
#include "feed/GeoJsonDocument.h"
#include "feed/HtmlDocument.h"

namespace tremolux {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

}  // namespace

std::unique_ptr<FeedDocument> OpenFeedDocument(std::string bytes)
{
    const std::string_view text(bytes);
    std::size_t start = text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    while (start < text.size() && IsSpace(text[start]))
        ++start;
    if (start < text.size() && (text[start] == '{' || text[start] == '[')) {
        bytes.erase(0, start);
        return OpenGeoJsonDocument(std::move(bytes));
    }
    if (IsCsvHeader(text.substr(start, text.find('\n', start) - start))) {
        bytes.erase(0, start);
        return OpenCsvDocument(std::move(bytes));
    }
    return OpenHtmlDocument(std::move(bytes));
}

}  // namespace tremolux
