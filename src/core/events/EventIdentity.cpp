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
constexpr std::string_view kInvalid = "invalid";

// An origin key's text as it is written, on the stack: a long list keys
// every row, and a string apiece was much of it. What goes beyond the
// longest key is dropped.
class OriginText {
public:
    void operator+=(char c)
    {
        if (m_size < m_chars.size())
            m_chars[m_size++] = c;
    }
    void append(std::size_t count, char c)
    {
        for (; count > 0; --count)
            *this += c;
    }
    void append(const char* begin, const char* end)
    {
        for (; begin != end; ++begin)
            *this += *begin;
    }
    std::string_view View() const { return {m_chars.data(), m_size}; }

private:
    std::array<char, kMaxOriginKey> m_chars;
    std::size_t m_size = 0;
};

void AppendNumber(OriginText& text, int value, int width)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, width - (end - digits))), '0');
    text.append(digits, end);
}

void AppendDegrees(OriginText& text, double degrees)
{
    char digits[400];  // room for any double in fixed notation
    text += '/';
    text.append(
        digits,
        std::to_chars(digits, digits + sizeof digits, degrees, std::chars_format::fixed, 3).ptr);
}

// Made by hand rather than by printf: a load keys every row, and formatting
// was most of it. The text is stored in the history, so it reads exactly as
// "%04d-%02d-%02dT%02d:%02d:%02d/%.3f/%.3f" would, cut to kMaxOriginKey, the
// length keys of absurd coordinates were cut to when first stored.
OriginText OriginKey(const QuakeRecord& quake)
{
    OriginText text;
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
        text.append(kInvalid.begin(), kInvalid.end());
    }
    AppendDegrees(text, quake.latitude);
    AppendDegrees(text, quake.longitude);
    return text;
}

}  // namespace

std::string EventKey(const QuakeRecord& quake)
{
    return quake.eventId.empty() ? std::string(OriginKey(quake).View()) : quake.eventId;
}

std::vector<std::string> EventIds(const QuakeRecord& quake)
{
    std::vector<std::string> ids;
    ForEachEventId(quake, [&ids](std::string_view id) { ids.emplace_back(id); });
    return ids;
}

void ForEachEventId(const QuakeRecord& quake, const std::function<void(std::string_view id)>& visit)
{
    const OriginText origin = quake.eventId.empty() ? OriginKey(quake) : OriginText();
    const std::string_view key = quake.eventId.empty() ? origin.View() : quake.eventId;
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
