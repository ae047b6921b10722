#include "core/events/AwaySummary.h"

#include <cmath>
#include <cstdio>

#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/list/QuakeText.h"

namespace tremolux {

namespace {

constexpr const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

// "Monday 23:10 UTC" within the week before now, else "2025-11-30 23:10 UTC".
std::string WhenText(OleDate when, OleDate now)
{
    CalendarTime t;
    if (!OleDateToCalendar(when, t))
        return "an unknown time";
    char text[48];
    if (OleDayDifference(now, when) < 6.5)
        std::snprintf(text, sizeof text, "%s %02d:%02d UTC", kDayNames[t.dayOfWeek], t.hour,
                      t.minute);
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d UTC", t.year, t.month, t.day,
                      t.hour, t.minute);
    return text;
}

std::string Count(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string AwaySummaryText(const AwayLoad& load, const std::string& cityName,
                            const CityPosition& city)
{
    std::size_t added = 0;
    std::size_t revised = 0;
    std::size_t retracted = 0;
    const QuakeRecord* largest = nullptr;
    for (const EventChange& change : *load.changes) {
        if (change.kind == ChangeKind::Retracted) {
            ++retracted;
            continue;
        }
        ++(change.kind == ChangeKind::New ? added : revised);
        const double magnitude = change.event.magnitude;
        if (!std::isnan(magnitude) && (!largest || magnitude > largest->magnitude))
            largest = &change.event;
    }

    std::vector<std::string> counts;
    if (added > 0)
        counts.push_back(Count(added, "new quake", "new quakes"));
    if (revised > 0)
        counts.push_back(std::to_string(revised) + " revised");
    if (retracted > 0)
        counts.push_back(std::to_string(retracted) + " retracted");
    std::string text = "Since " + WhenText(load.lastLoad, load.now) + ": ";
    for (std::size_t i = 0; i < counts.size(); ++i)
        text += (i > 0 ? ", " : "") + counts[i];
    if (counts.empty())
        text += "nothing new";
    if (largest) {
        text += "; largest M" + MagnitudeText(largest->magnitude);
        if (!largest->region.empty())
            text += " " + largest->region;
        const std::string where = DistanceFromText(PlaceFrom(city, *largest), cityName);
        if (!where.empty())
            text += ", " + where;
    }
    text += ".";
    OleDate oldest{0.0, false};
    for (int i = 0; i < load.quakes->count(); ++i) {
        const OleDate time = load.quakes->at(i).time;
        if (time.valid && (!oldest.valid || time.value < oldest.value))
            oldest = time;
    }
    if (oldest.valid && load.lastLoad.valid && oldest.value > load.lastLoad.value)
        text += " The feed reaches back only to " + WhenText(oldest, load.now)
                + ": quakes before that may have been missed.";
    return text;
}

}  // namespace tremolux
