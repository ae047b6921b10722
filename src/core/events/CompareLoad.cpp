#include "core/events/CompareLoad.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <unordered_map>
#include <string_view>
#include <unordered_set>

#include "core/events/EventIdentity.h"
#include "core/events/EventStore.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"

namespace tremolux {

namespace {

// FNV-1a: the same digest on every machine and in every run, so that a
// stored digest still means something to the next program run.
class Digest {
public:
    void Add(std::string_view text)
    {
        Add(text.size());
        for (const char c : text)
            Byte(static_cast<unsigned char>(c));
    }
    void Add(double value) { Add(std::bit_cast<std::uint64_t>(value)); }
    void Add(std::uint64_t value)
    {
        for (int i = 0; i < 8; ++i)
            Byte(static_cast<unsigned char>(value >> (8 * i)));
    }
    template <typename T>
    void Add(const std::optional<T>& value)
    {
        Add(std::uint64_t{value.has_value()});
        if (value)
            Add(static_cast<double>(*value));
    }
    std::uint64_t Value() const { return m_hash; }

private:
    void Byte(unsigned char byte)
    {
        m_hash ^= byte;
        m_hash *= 0x100000001b3ULL;
    }
    std::uint64_t m_hash = 0xcbf29ce484222325ULL;
};

std::uint64_t EventDigest(const QuakeRecord& q, const std::string& feed)
{
    Digest d;
    for (const double value :
         {q.magnitude, q.longitude, q.latitude, q.depth, q.time.value, q.updated.value})
        d.Add(value);
    d.Add(std::uint64_t{q.time.valid} | std::uint64_t{q.updated.valid} << 1);
    for (const std::string* text : {&q.region, &q.eventPage, &q.eventId, &q.ids, &q.status,
                                    &q.magnitudeType, &q.network, &q.alert, &feed})
        d.Add(*text);
    d.Add(q.feltReports);
    d.Add(q.cdi);
    d.Add(q.mmi);
    d.Add(q.tsunami);
    d.Add(q.significance);
    return d.Value();
}

bool IsDeleted(const QuakeRecord& quake)
{
    return quake.status == "deleted";
}

std::string Number(double value, const char* format)
{
    if (std::isnan(value))
        return "unknown";
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Word(const std::string& text)
{
    return text.empty() ? "unknown" : text;
}

std::string Flag(const std::optional<bool>& flag)
{
    return flag ? (*flag ? "yes" : "no") : "unknown";
}

// Tenths as the feed's one decimal shows them; unknown equals only unknown.
bool SameTenth(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::llround(a * 10.0) == std::llround(b * 10.0);
}

bool WithinKm(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::fabs(a - b) < 1.0;
}

// What of a revision is worth telling, as "field from -> to" parts.
std::string Revision(const QuakeRecord& before, const QuakeRecord& after)
{
    std::vector<std::string> parts;
    if (EventKey(before) != EventKey(after))
        parts.push_back("id " + EventKey(before) + " -> " + EventKey(after));
    if (!SameTenth(before.magnitude, after.magnitude))
        parts.push_back("magnitude " + Number(before.magnitude, "%.1f") + " -> "
                        + Number(after.magnitude, "%.1f"));
    const double moved =
        GreatCircle(before.latitude, before.longitude, after.latitude, after.longitude) / 1000.0;
    if (!(moved < 1.0))
        parts.push_back("position moved " + Number(moved, "%.0f") + " km");
    if (!WithinKm(before.depth, after.depth))
        parts.push_back("depth " + Number(before.depth, "%.0f") + " -> "
                        + Number(after.depth, "%.0f") + " km");
    // A feed that does not carry a field (CSV has no alert) says nothing of it.
    if (!after.status.empty() && before.status != after.status)
        parts.push_back("status " + Word(before.status) + " -> " + Word(after.status));
    if (!after.alert.empty() && before.alert != after.alert)
        parts.push_back("alert " + Word(before.alert) + " -> " + Word(after.alert));
    if (after.tsunami && before.tsunami != after.tsunami)
        parts.push_back("tsunami " + Flag(before.tsunami) + " -> " + Flag(after.tsunami));
    std::string what;
    for (const std::string& part : parts)
        what += (what.empty() ? "" : ", ") + part;
    return what;
}

std::vector<EventChange> Compare(EventStore& store, const std::string& feed,
                                 const QuakeList& quakes, OleDate now, const StopFlag& stop)
{
    LoadWrite write;
    write.feed = feed;
    write.loadedAt = now;

    // One event per id: a row naming an id an earlier row named is skipped.
    // The rows are copied only when the store is to take them: a reload
    // mostly brings nothing new.
    struct Row {
        const QuakeRecord* quake;
        std::vector<std::string> ids;
        std::uint64_t digest;
        bool retracted;
    };
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(quakes.count()));
    std::unordered_set<std::string_view> seen;  // into the ids the rows hold
    std::vector<std::string> allIds;
    double oldest = HUGE_VAL;
    for (int i = 0; i < quakes.count(); ++i) {
        stop.ThrowIfRaised();
        const QuakeRecord& quake = quakes.at(i);
        std::vector<std::string> ids = EventIds(quake);
        if (std::any_of(ids.begin(), ids.end(),
                        [&](const std::string& id) { return seen.contains(id); }))
            continue;
        allIds.insert(allIds.end(), ids.begin(), ids.end());
        if (quake.time.valid)
            oldest = std::min(oldest, quake.time.value);
        rows.push_back({&quake, std::move(ids), EventDigest(quake, feed), IsDeleted(quake)});
        seen.insert(rows.back().ids.begin(), rows.back().ids.end());
    }

    std::unordered_map<std::string, StoredMatch> matches;
    for (StoredMatch& match : store.FindByIds(allIds))
        matches.emplace(match.id, std::move(match));

    std::vector<EventChange> changes;
    std::unordered_set<std::int64_t> present;
    for (Row& row : rows) {
        stop.ThrowIfRaised();
        const StoredMatch* match = nullptr;
        for (const std::string& id : row.ids) {
            const auto found = matches.find(id);
            if (found == matches.end())
                continue;
            if (!match)
                match = &found->second;
            present.insert(found->second.key);
        }
        if (match && match->digest == row.digest && match->retracted == row.retracted)
            continue;
        StoredEvent event{*row.quake, std::move(row.ids), row.digest, row.retracted};
        if (!match) {
            if (!event.retracted)
                changes.push_back({ChangeKind::New, event.record, std::nullopt, {}});
            write.added.push_back(std::move(event));
            continue;
        }
        QuakeRecord before = store.Latest(match->key);
        std::string what = Revision(before, event.record);
        if (event.retracted && !match->retracted) {
            changes.push_back({ChangeKind::Retracted, event.record, before, {}});
        } else if (match->retracted && !event.retracted) {
            if (what.empty())
                what = "back in the feed";
            changes.push_back({ChangeKind::Revised, event.record, before, what});
        } else if (!what.empty()) {
            changes.push_back({ChangeKind::Revised, event.record, before, what});
        }
        write.updated.push_back({match->key, std::move(event), std::move(what)});
    }

    // Gone from the feed although the load reaches back past it: withdrawn,
    // not aged out of the feed's window.
    std::vector<EventChange> retracted;
    if (oldest != HUGE_VAL) {
        for (const std::int64_t key : store.ListedAfter(feed, OleDate{oldest, true})) {
            if (present.contains(key))
                continue;
            retracted.push_back({ChangeKind::Retracted, store.Latest(key), std::nullopt, {}});
            write.retracted.push_back(key);
        }
    }
    std::stable_sort(retracted.begin(), retracted.end(),
                     [](const EventChange& a, const EventChange& b) {
                         return a.event.time.value > b.event.time.value;
                     });
    changes.insert(changes.end(), retracted.begin(), retracted.end());

    stop.ThrowIfRaised();
    store.Write(write);
    return changes;
}

}  // namespace

std::vector<EventChange> CompareLoad(EventStore& store, const std::string& feed,
                                     const QuakeList& quakes, OleDate now, const StopFlag& stop)
{
    store.Begin();
    try {
        return Compare(store, feed, quakes, now, stop);
    } catch (...) {
        store.Abandon();
        throw;
    }
}

}  // namespace tremolux
