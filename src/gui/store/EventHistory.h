#pragma once

#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "core/events/EventChange.h"
#include "core/events/EventStore.h"

namespace tremolux {

class QuakeList;

// The watcher's events: the history file when it can be used, else the
// session's events in memory, so that new, revised and retracted events are
// told either way. A history that fails is turned off for the session, never
// in the way of watching.
class EventHistory {
public:
    // The session's events only.
    EventHistory();
    ~EventHistory();
    // Keeps the events in the file from now on, creating its folder and the
    // file when missing; false when it cannot (the reason is then OffReason).
    bool Open(const QString& path);

    // Compares a good load of the feed with the events kept and returns its
    // changes; a failed or partial load must not be passed. Then forgets the
    // events older than the limit that the load no longer lists.
    std::vector<EventChange> TakeLoad(const std::string& feed, const QuakeList& quakes,
                                      OleDate now);
    // The feed's last good load kept, invalid when none is.
    OleDate LastLoad(const std::string& feed);
    // The events kept whose origin is since or later, newest first.
    std::vector<HistoryEntry> Since(OleDate since);
    void SetLimitDays(int days) { m_limitDays = days; }

    // Why the history is off, empty while it is on or was never asked for.
    const QString& OffReason() const { return m_offReason; }

private:
    void Purge(const QuakeList& quakes, OleDate now);
    void TurnOff(const QString& reason);

    std::unique_ptr<EventStore> m_store;
    QString m_offReason;
    int m_limitDays = 365;
};

}  // namespace tremolux
