// Any bytes as a CSV feed, walked into the quake list.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FeedWalk.h"
#include "feed/CsvDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto document = tremolux::OpenCsvDocument(std::string(reinterpret_cast<const char*>(data), size));
    tremolux::fuzz::CheckSevenCellRows(*document);
    tremolux::fuzz::WalkDocument(*document);
    return 0;
}
