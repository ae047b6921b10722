#pragma once

#include <map>
#include <string>
#include <unordered_map>

#include "core/events/EventStore.h"

namespace tremolux {

// The events of this session only: what the watcher compares its loads with
// when history is off.
class MemoryEventStore final : public EventStore {
public:
    void Begin() override {}
    void Abandon() override {}
    std::vector<StoredMatch> FindByIds(const std::vector<std::string>& ids) override;
    QuakeRecord Latest(std::int64_t key) override;
    std::vector<std::int64_t> ListedAfter(const std::string& feed, OleDate since) override;
    void Write(const LoadWrite& write) override;
    OleDate LastLoad(const std::string& feed) override;
    std::vector<HistoryEntry> History(OleDate since, OleDate until) override;
    void PurgeBefore(OleDate before) override;

private:
    struct Entry {
        QuakeRecord latest;
        std::string feed;
        std::uint64_t digest = 0;
        bool retracted = false;
        OleDate firstSeen;
        int revisions = 0;
    };
    Entry& Keep(std::int64_t key, const StoredEvent& event, const std::string& feed);

    std::map<std::int64_t, Entry> m_events;
    std::unordered_map<std::string, std::int64_t> m_ids;
    std::unordered_map<std::string, OleDate> m_lastLoads;
    std::int64_t m_nextKey = 1;
};

}  // namespace tremolux
