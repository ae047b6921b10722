#include "core/events/MemoryEventStore.h"

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

void MemoryEventStore::Keep(std::int64_t key, const StoredEvent& event, const std::string& feed)
{
    m_events[key] = {event.record, feed, event.digest, event.retracted};
    for (const std::string& id : event.ids)
        m_ids.try_emplace(id, key);
}

void MemoryEventStore::Write(const LoadWrite& write)
{
    for (const StoredEvent& event : write.added)
        Keep(m_nextKey++, event, write.feed);
    for (const StoredUpdate& update : write.updated)
        Keep(update.key, update.latest, write.feed);
    for (const std::int64_t key : write.retracted)
        m_events.at(key).retracted = true;
}

}  // namespace tremolux
