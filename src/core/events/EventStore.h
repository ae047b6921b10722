#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/common/OleDate.h"
#include "core/events/EventExport.h"
#include "core/feed/QuakeRecord.h"

namespace tremolux {

// A store that cannot be read or written; what() says why, for the user.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the store holds of an event that one of a load's ids names.
struct StoredMatch {
    std::string id;            // the id that matched
    std::int64_t key = 0;      // the store's own name for the event
    std::uint64_t digest = 0;  // of its latest values and feed, to see at once that nothing changed
    bool retracted = false;
};

// An event the load brought: its values and what it is known by.
struct StoredEvent {
    QuakeRecord record;
    std::vector<std::string> ids;  // every id of the event, its key first
    std::uint64_t digest = 0;
    bool retracted = false;
};

// A stored event whose values the load changed.
struct StoredUpdate {
    std::int64_t key = 0;
    StoredEvent latest;
    std::string revision;  // what changed, empty when no change counts as a revision
};

// Everything one good load writes, all of it or nothing.
struct LoadWrite {
    std::string feed;
    OleDate loadedAt;
    std::vector<StoredEvent> added;
    std::vector<StoredUpdate> updated;
    std::vector<std::int64_t> retracted;  // missing from the feed's window
};

// Where every event seen is kept with its revisions. The comparison of a load
// (CompareLoad) begins, reads through it and then writes the load's outcome,
// which ends the load; or abandons it, keeping nothing of it. Every call
// throws StoreError when the store fails.
class EventStore {
public:
    virtual ~EventStore() = default;
    // From here to Write or Abandon no other writer changes the store.
    virtual void Begin() = 0;
    virtual void Abandon() = 0;
    // The stored events that any of the ids names, one entry per id found.
    virtual std::vector<StoredMatch> FindByIds(const std::vector<std::string>& ids) = 0;
    // The latest values of a stored event.
    virtual QuakeRecord Latest(std::int64_t key) = 0;
    // The events of the feed not retracted whose origin is later than since.
    virtual std::vector<std::int64_t> ListedAfter(const std::string& feed, OleDate since) = 0;
    virtual void Write(const LoadWrite& write) = 0;

    // Outside a load:
    // The time of the feed's last good load; invalid when it never had one.
    virtual OleDate LastLoad(const std::string& feed) = 0;
    // The stored events whose origin lies within [since, until] (an invalid
    // bound is open), newest first.
    virtual std::vector<HistoryEntry> History(OleDate since, OleDate until) = 0;
    // Forgets the events whose origin is older than before, with their
    // revisions and ids.
    virtual void PurgeBefore(OleDate before) = 0;
};

}  // namespace tremolux
