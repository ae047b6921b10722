#include "core/feed/OpenFeedDocument.h"

#include <string_view>

#include "core/common/Charset.h"
#include "core/feed/CsvDocument.h"
#include "core/feed/FdsnTextDocument.h"
#include "core/feed/FeedFormat.h"
#include "core/feed/GeoJsonDocument.h"
#include "core/feed/HtmlDocument.h"

namespace tremolux {

std::unique_ptr<FeedDocument> OpenFeedDocument(std::string bytes, const StopFlag& stop)
{
    const FeedFormat format = GuessFeedFormat(bytes);
    // Every reader takes UTF-8. The UTF-8 mark in front keeps the page from
    // being decoded again from whatever charset it declares, as the UTF-16
    // mark would have.
    if (StartsWithUtf16Bom(bytes))
        bytes = "\xEF\xBB\xBF" + ToUtf8(std::move(bytes), "");
    if (format == FeedFormat::Html)
        return OpenHtmlDocument(std::move(bytes), stop);
    bytes.erase(0, FeedContentStart(bytes));
    switch (format) {
    case FeedFormat::GeoJson:
        return OpenGeoJsonDocument(std::move(bytes), stop);
    case FeedFormat::Csv:
        return OpenCsvDocument(std::move(bytes), stop);
    default:
        return OpenFdsnTextDocument(std::move(bytes), stop);
    }
}

}  // namespace tremolux
