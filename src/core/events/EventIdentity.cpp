#include "core/events/EventIdentity.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "core/common/OleDate.h"
#include "core/feed/QuakeList.h"

namespace tremolux {

namespace {

// More ids than any event has had; a longer list is a broken or hostile feed.
constexpr std::size_t kMaxIds = 64;

std::string OriginKey(const QuakeRecord& quake)
{
    char text[96];
    CalendarTime t;
    int length = 0;
    if (OleDateToCalendar(quake.time, t))
        length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month,
                               t.day, t.hour, t.minute, t.second);
    else
        length = std::snprintf(text, sizeof text, "invalid");
    std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), "/%.3f/%.3f",
                  quake.latitude, quake.longitude);
    return text;
}

}  // namespace

std::string EventKey(const QuakeRecord& quake)
{
    return quake.eventId.empty() ? OriginKey(quake) : quake.eventId;
}

std::vector<std::string> EventIds(const QuakeRecord& quake)
{
    std::vector<std::string> ids{EventKey(quake)};
    std::string_view list = quake.ids;
    while (!list.empty() && ids.size() < kMaxIds) {
        const std::size_t comma = std::min(list.find(','), list.size());
        const std::string_view id = list.substr(0, comma);
        list.remove_prefix(std::min(comma + 1, list.size()));
        if (!id.empty() && std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.emplace_back(id);
    }
    return ids;
}

bool SameEvent(const QuakeRecord& a, const QuakeRecord& b)
{
    const std::string key = EventKey(a);
    if (key == EventKey(b))
        return true;
    const std::vector<std::string> aIds = EventIds(a);
    const std::vector<std::string> bIds = EventIds(b);
    return std::find(bIds.begin(), bIds.end(), key) != bIds.end()
           || std::find(aIds.begin(), aIds.end(), bIds.front()) != aIds.end();
}

int FindEvent(const QuakeList& quakes, const QuakeRecord& event)
{
    for (int i = 0; i < quakes.count(); ++i)
        if (SameEvent(quakes.at(i), event))
            return i;
    return -1;
}

}  // namespace tremolux
