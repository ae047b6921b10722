// Any bytes as an FDSN event text answer, walked into the quake list. An
// answer cut short after its header keeps the rows before the cut; the last
// row it reads may be the one the cut went through.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FeedWalk.h"
#include "core/feed/FdsnTextDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tremolux::fuzz;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto document = tremolux::OpenFdsnTextDocument(text);
    CheckSevenCellRows(*document);
    WalkDocument(*document);

    // Bytes that are not UTF-8 are decoded as a whole, so a part can read otherwise.
    const std::size_t headerEnd = text.find('\n');
    if (!IsUtf8(text) || !document->ViewableAsTables() || headerEnd == std::string::npos)
        return 0;
    const FeedRows whole = ReadFeedRows(*document);
    for (const std::size_t cut : CutPoints(size)) {
        if (cut <= headerEnd)
            continue;
        const auto part = tremolux::OpenFdsnTextDocument(text.substr(0, cut));
        FUZZ_CHECK(part->ViewableAsTables());
        const FeedRows kept = ReadFeedRows(*part);
        if (kept.rows.empty())
            continue;
        const std::size_t complete = kept.rows.size() - 1;
        FUZZ_CHECK(complete <= whole.rows.size());
        FUZZ_CHECK(std::equal(kept.rows.begin(), kept.rows.begin() + complete, whole.rows.begin()));
    }
    return 0;
}
