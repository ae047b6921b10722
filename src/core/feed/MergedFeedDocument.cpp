#include "core/feed/MergedFeedDocument.h"

#include "core/feed/CellTableDocument.h"
#include "core/feed/LoadedDocument.h"
#include "core/feed/QuakeRow.h"
#include "core/feed/SourceMerge.h"

namespace tremolux {

namespace {

// Readings all of one name (a feed and the catch-up query of the same
// agency) tell nothing.
bool SeveralSources(const std::vector<SourceReading>& readings)
{
    for (const SourceReading& reading : readings)
        if (reading.source != readings.front().source)
            return true;
    return false;
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
        std::vector<SourceReading>& readings = merged.readings[static_cast<std::size_t>(i)];
        if (SeveralSources(readings))
            quake.readings = std::move(readings);
        AddQuakeRow(*table, quake);
    }
    return table;
}

}  // namespace tremolux
