// Any bytes as an HTML page, walked into the quake list.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FeedWalk.h"
#include "core/feed/HtmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto document =
        tremolux::OpenHtmlDocument(std::string(reinterpret_cast<const char*>(data), size));
    tremolux::fuzz::WalkDocument(*document);
    return 0;
}
