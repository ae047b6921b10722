#include "core/events/MemoryEventStore.h"

#include <algorithm>

namespace tremolux {

std::vector<StoredMatch> MemoryEventStore::FindByIds(const std::vector<std::string>& ids)
{
    std::vector<StoredMatch> matches;
    for (const std::string& id : ids) {
        const auto found = m_ids.find(id);
        if (found == m_ids.end())
            continue;
        const Entry& entry = m_events.at(found->second);
        matches.push_back({id, found->second, entry.digest, entry.retracted});
    }
    return matches;
}

QuakeRecord MemoryEventStore::Latest(std::int64_t key)
{
    const auto found = m_events.find(key);
    if (found == m_events.end())
        throw StoreError("no stored event " + std::to_string(key));
    return found->second.latest;
}

std::vector<std::int64_t> MemoryEventStore::ListedAfter(const std::string& feed, OleDate since)
{
    std::vector<std::int64_t> keys;
    for (const auto& [key, entry] : m_events)
        if (!entry.retracted && entry.feed == feed && entry.latest.time.valid
            && entry.latest.time.value > since.value)
            keys.push_back(key);
    return keys;
}

MemoryEventStore::Entry& MemoryEventStore::Keep(std::int64_t key, const StoredEvent& event,
                                                const std::string& feed)
{
    Entry& entry = m_events[key];
    entry.latest = event.record;
    entry.feed = feed;
    entry.digest = event.digest;
    entry.retracted = event.retracted;
    for (const std::string& id : event.ids)
        m_ids.try_emplace(id, key);
    return entry;
}

void MemoryEventStore::Write(const LoadWrite& write)
{
    for (const StoredEvent& event : write.added)
        Keep(m_nextKey++, event, write.feed).firstSeen = write.loadedAt;
    for (const StoredUpdate& update : write.updated)
        Keep(update.key, update.latest, write.feed).revisions += update.revision.empty() ? 0 : 1;
    for (const std::int64_t key : write.retracted)
        m_events.at(key).retracted = true;
    m_lastLoads[write.feed] = write.loadedAt;
}

OleDate MemoryEventStore::LastLoad(const std::string& feed)
{
    const auto found = m_lastLoads.find(feed);
    return found == m_lastLoads.end() ? OleDate{0.0, false} : found->second;
}

std::vector<HistoryEntry> MemoryEventStore::History(OleDate since, OleDate until)
{
    std::vector<HistoryEntry> entries;
    for (const auto& [key, entry] : m_events) {
        const OleDate time = entry.latest.time;
        if ((since.valid && !(time.valid && time.value >= since.value))
            || (until.valid && !(time.valid && time.value <= until.value)))
            continue;
        entries.push_back({entry.latest, entry.firstSeen, entry.revisions, entry.retracted});
    }
    // Newest first, the later stored first among equals, as the file does it.
    std::reverse(entries.begin(), entries.end());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const HistoryEntry& a, const HistoryEntry& b) {
                         return a.event.time.value > b.event.time.value;
                     });
    return entries;
}

void MemoryEventStore::PurgeBefore(OleDate before)
{
    std::erase_if(m_events, [&](const auto& item) {
        const OleDate time = item.second.latest.time;
        return time.valid && time.value < before.value;
    });
    std::erase_if(m_ids, [&](const auto& item) { return !m_events.contains(item.second); });
}

}  // namespace tremolux
