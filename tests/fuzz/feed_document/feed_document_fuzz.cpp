// Any bytes as the loader hands them on: the format told from the content,
// then walked into the quake list. Its seeds and dictionary are those of the
// three document harnesses together.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FeedWalk.h"
#include "core/feed/OpenFeedDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto document =
        tremolux::OpenFeedDocument(std::string(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK(document);
    tremolux::fuzz::WalkDocument(*document);
    return 0;
}
