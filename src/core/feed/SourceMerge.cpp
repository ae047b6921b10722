#include "core/feed/SourceMerge.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <map>

#include "core/geo/CityPosition.h"

namespace tremolux {

namespace {

constexpr double kSameEventSeconds = 60.0;
constexpr double kSameEventMetres = 100000.0;

struct Event {
    QuakeRecord record;
    std::vector<SourceReading> readings;
    std::vector<std::size_t> sources;  // indices of the sources that report it
};

double Seconds(const OleDate& time)
{
    return OleDayDifference(time, OleDate{}) * 86400.0;
}

bool Reports(const Event& event, std::size_t source)
{
    return std::find(event.sources.begin(), event.sources.end(), source) != event.sources.end();
}

// The event nearest in time that the quake may join, or null.
Event* Match(std::multimap<double, Event*>& byTime, const QuakeRecord& quake, std::size_t source)
{
    const double at = Seconds(quake.time);
    Event* best = nullptr;
    double bestGap = 0.0;
    for (auto it = byTime.lower_bound(at - kSameEventSeconds);
         it != byTime.end() && it->first <= at + kSameEventSeconds; ++it) {
        Event* event = it->second;
        const double gap = std::abs(it->first - at);
        if (Reports(*event, source) || (best != nullptr && gap >= bestGap))
            continue;
        if (GreatCircle(event->record.latitude, event->record.longitude, quake.latitude,
                        quake.longitude)
            <= kSameEventMetres) {
            best = event;
            bestGap = gap;
        }
    }
    return best;
}

}  // namespace

MergedQuakes MergeSources(const std::vector<SourceQuakes>& sources)
{
    std::vector<std::unique_ptr<Event>> events;
    std::multimap<double, Event*> byTime;  // the events with a valid time, by their seconds
    for (std::size_t s = 0; s < sources.size(); ++s) {
        const QuakeList& list = *sources[s].quakes;
        for (int i = 0; i < list.count(); ++i) {
            const QuakeRecord& quake = list.at(i);
            const SourceReading reading{sources[s].name, quake.magnitude, quake.magnitudeType};
            Event* event = quake.time.valid ? Match(byTime, quake, s) : nullptr;
            if (event == nullptr) {
                event = events.emplace_back(std::make_unique<Event>(Event{quake, {}, {}})).get();
                if (quake.time.valid)
                    byTime.emplace(Seconds(quake.time), event);
            }
            event->readings.push_back(reading);
            event->sources.push_back(s);
        }
    }
    // Newest first; quakes without a time after all others, in the order read.
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
        if (a->record.time.valid != b->record.time.valid)
            return a->record.time.valid;
        return a->record.time.valid && OleDayDifference(a->record.time, b->record.time) > 0.0;
    });
    MergedQuakes merged;
    merged.readings.reserve(events.size());
    for (auto& event : events) {
        merged.quakes.Append(event->record);
        merged.readings.push_back(std::move(event->readings));
    }
    return merged;
}

}  // namespace tremolux
