// Any bytes as a CSV feed, walked into the quake list. A feed cut short after
// its header keeps the rows before the cut; the last row it reads may be the
// one the cut went through.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FeedWalk.h"
#include "core/feed/CsvDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tremolux::fuzz;
    const std::string csv(reinterpret_cast<const char*>(data), size);
    const auto document = tremolux::OpenCsvDocument(csv);
    CheckSevenCellRows(*document);
    WalkDocument(*document);

    // Bytes that are not UTF-8 are decoded as a whole, so a part can read
    // otherwise; a quoted header may span lines.
    const std::size_t headerEnd = csv.find_first_of("\r\n\"");
    if (!IsUtf8(csv) || !document->ViewableAsTables() || headerEnd == std::string::npos
        || csv[headerEnd] == '"')
        return 0;
    const FeedRows whole = ReadFeedRows(*document);
    for (const std::size_t cut : CutPoints(size)) {
        if (cut <= headerEnd)
            continue;
        const auto part = tremolux::OpenCsvDocument(csv.substr(0, cut));
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
