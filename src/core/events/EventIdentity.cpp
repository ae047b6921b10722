#include "core/events/EventIdentity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <charconv>
#include <string_view>

#include "core/common/OleDate.h"
#include "core/feed/QuakeList.h"

namespace tremolux {

namespace {

// More ids than any event has had; a longer list is a broken or hostile feed.
constexpr std::size_t kMaxIds = 64;
constexpr std::size_t kMaxOriginKey = 95;

void AppendNumber(std::string& text, int value, int width)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, width - (end - digits))), '0');
    text.append(digits, end);
}

void AppendDegrees(std::string& text, double degrees)
{
    char digits[400];  // room for any double in fixed notation
    text += '/';
    text.append(
        digits,
        std::to_chars(digits, digits + sizeof digits, degrees, std::chars_format::fixed, 3).ptr);
}

// Made by hand rather than by printf: a load keys every row, and formatting
// was most of it. The text is stored in the history, so it reads exactly as
// "%04d-%02d-%02dT%02d:%02d:%02d/%.3f/%.3f" would.
std::string OriginKey(const QuakeRecord& quake)
{
    std::string text;
    text.reserve(48);
    CalendarTime t;
    if (OleDateToCalendar(quake.time, t)) {
        AppendNumber(text, t.year, 4);
        text += '-';
        AppendNumber(text, t.month, 2);
        text += '-';
        AppendNumber(text, t.day, 2);
        text += 'T';
        AppendNumber(text, t.hour, 2);
        text += ':';
        AppendNumber(text, t.minute, 2);
        text += ':';
        AppendNumber(text, t.second, 2);
    } else {
        text += "invalid";
    }
    AppendDegrees(text, quake.latitude);
    AppendDegrees(text, quake.longitude);
    // Keys of absurd coordinates were cut to this length when first stored.
    if (text.size() > kMaxOriginKey)
        text.resize(kMaxOriginKey);
    return text;
}

}  // namespace

std::string EventKey(const QuakeRecord& quake)
{
    return quake.eventId.empty() ? OriginKey(quake) : quake.eventId;
}

std::vector<std::string> EventIds(const QuakeRecord& quake)
{
    std::vector<std::string> ids;
    ForEachEventId(quake, [&ids](std::string_view id) { ids.emplace_back(id); });
    return ids;
}

void ForEachEventId(const QuakeRecord& quake, const std::function<void(std::string_view id)>& visit)
{
    const std::string key = EventKey(quake);
    std::array<std::string_view, kMaxIds> ids;
    ids[0] = key;
    std::size_t count = 1;
    visit(key);
    std::string_view list = quake.ids;
    while (!list.empty() && count < kMaxIds) {
        const std::size_t comma = std::min(list.find(','), list.size());
        const std::string_view id = list.substr(0, comma);
        list.remove_prefix(std::min(comma + 1, list.size()));
        if (!id.empty() && std::find(ids.begin(), ids.begin() + count, id) == ids.begin() + count) {
            ids[count++] = id;
            visit(id);
        }
    }
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
