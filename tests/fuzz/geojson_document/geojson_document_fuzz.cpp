// Any bytes as a GeoJSON feed, walked into the quake list. A complete, well
// formed feed cut short keeps the rows before the cut and says that it broke off.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include <simdjson.h>

#include "FeedWalk.h"
#include "core/feed/GeoJsonDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tremolux::fuzz;
    const std::string json(reinterpret_cast<const char*>(data), size);
    const auto document = tremolux::OpenGeoJsonDocument(json);
    CheckSevenCellRows(*document);
    WalkDocument(*document);

    // The reader validates only what it reads, so what it makes of malformed
    // JSON is no measure for its parts; bytes that are not UTF-8 are decoded
    // as a whole, so a part could read otherwise. A full parse rules out both.
    simdjson::dom::parser validator;
    if (validator.parse(json).error() || !document->ViewableAsTables())
        return 0;
    const FeedRows whole = ReadFeedRows(*document);
    if (whole.brokenOff)
        return 0;
    for (const std::size_t cut : CutPoints(size)) {
        const auto part = tremolux::OpenGeoJsonDocument(json.substr(0, cut));
        if (!part->ViewableAsTables())
            continue;
        const FeedRows kept = ReadFeedRows(*part);
        FUZZ_CHECK(kept.rows.size() <= whole.rows.size());
        FUZZ_CHECK(std::equal(kept.rows.begin(), kept.rows.end(), whole.rows.begin()));
        FUZZ_CHECK(kept.brokenOff || kept.rows.size() == whole.rows.size());
    }
    return 0;
}
