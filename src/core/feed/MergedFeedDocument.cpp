#include "core/feed/MergedFeedDocument.h"

#include "core/feed/CellTableDocument.h"
#include "core/feed/LoadedDocument.h"
#include "core/feed/QuakeRow.h"
#include "core/feed/SourceMerge.h"

namespace tremolux {

namespace {

// Only the named sources' readings are told, and only when there are several.
std::vector<SourceReading> NamedReadings(std::vector<SourceReading> readings)
{
    std::erase_if(readings, [](const SourceReading& reading) { return reading.source.empty(); });
    if (readings.size() < 2)
        readings.clear();
    return readings;
}

}  // namespace

std::unique_ptr<FeedDocument> MergedFeedDocument(const std::vector<SourceDocument>& sources)
{
    std::vector<QuakeList> lists(sources.size());
    std::vector<SourceQuakes> walked;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (sources[i].document == nullptr)
            continue;
        if (lists[i].ParsePage(LoadedDocument(*sources[i].document), [](const std::string&) {}))
            walked.push_back({sources[i].name, &lists[i]});
    }
    MergedQuakes merged = MergeSources(walked);
    auto table = std::make_unique<CellTableDocument>();
    for (int i = 0; i < merged.quakes.count(); ++i) {
        QuakeRecord quake = merged.quakes.at(i);
        quake.readings = NamedReadings(std::move(merged.readings[static_cast<std::size_t>(i)]));
        AddQuakeRow(*table, quake);
    }
    return table;
}

}  // namespace tremolux
