#include "core/feed/MergedFeedDocument.h"

#include "core/feed/CellTableDocument.h"
#include "core/feed/LoadedDocument.h"
#include "core/feed/SourceMerge.h"

namespace tremolux {

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
    const MergedQuakes merged = MergeSources(walked);
    auto table = std::make_unique<CellTableDocument>();
    for (int i = 0; i < merged.quakes.count(); ++i) {
        const QuakeRecord& quake = merged.quakes.at(i);
        table->AddRow();
        table->AddCell(quake.eventPage);
        table->AddNumberCell(quake.magnitude);
        table->AddDateCell({}, quake.time);
        table->AddNumberCell(quake.latitude);
        table->AddNumberCell(quake.longitude);
        table->AddNumberCell(quake.depth);
        table->AddCell(quake.region);
        CellTableDocument::EventFields event;
        event.id = quake.eventId;
        event.ids = quake.ids;
        event.status = quake.status;
        event.magnitudeType = quake.magnitudeType;
        event.network = quake.network;
        event.alert = quake.alert;
        event.numbers = {quake.updated, quake.feltReports, quake.cdi, quake.mmi, quake.tsunami, quake.significance};
        table->SetRowEvent(event);
    }
    return table;
}

}  // namespace tremolux
