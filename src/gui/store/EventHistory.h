#pragma once

#include <QObject>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/events/EventChange.h"
#include "core/events/EventStore.h"
#include "core/feed/QuakeList.h"
#include "core/feed/StopFlag.h"

namespace tremolux {

// The watcher's events: the history file when it can be used, else the
// session's events in memory, so that new, revised and retracted events are
// told either way. A history that fails is turned off for the session, never
// in the way of watching.
//
// The store lives on a thread of its own: comparing and writing a large load
// takes seconds, which the windows must not wait for. A load is handed over
// and its outcome comes back later on the thread that handed it over; every
// other call waits for the thread, a load under way included.
class EventHistory {
public:
    // What the history made of a good load.
    struct LoadOutcome {
        std::vector<EventChange> changes;
        // The feed's last good load before this one, invalid when none was kept.
        OleDate lastLoad{0.0, false};
    };
    using Taken = std::function<void(LoadOutcome)>;

    // The session's events only.
    EventHistory();
    // A load being compared stops there, keeping nothing of itself; every
    // load committed before it stays.
    ~EventHistory();
    EventHistory(const EventHistory&) = delete;
    EventHistory& operator=(const EventHistory&) = delete;

    // Keeps the events in the file from now on, creating its folder and the
    // file when missing; false when it cannot (the reason is then OffReason).
    bool Open(const QString& path);

    // Hands a good load of the feed over (a copy the caller may share with
    // others, as the map windows' pictures do) and returns at once; a failed or
    // partial load must not be passed. Its changes are compared with the
    // events kept, then the events older than the limit that it no longer
    // lists are forgotten, and `taken` gets the outcome on this thread. A load
    // still waiting for its turn when the next is handed over is superseded:
    // it is never compared, and what it brought comes with the next one.
    void TakeLoad(const std::string& feed, std::shared_ptr<const QuakeList> load, OleDate now,
                  Taken taken);
    // Frees a load's changes on the history's thread: a large load's take
    // the GUI thread milliseconds to free.
    void Release(std::vector<EventChange> changes);
    // Whether a load handed over has not come back yet.
    bool Busy() const;
    // The events kept whose origin is since or later, newest first.
    std::vector<HistoryEntry> Since(OleDate since);
    void SetLimitDays(int days);

    // Why the history is off, empty while it is on or was never asked for.
    QString OffReason() const;

private:
    // On the history's thread.
    void Serve();
    void Post(std::function<void()> task);
    // Runs task on the history's thread and waits for it.
    template <typename Task>
    auto Call(Task task) -> decltype(task());
    LoadOutcome Compare(const std::string& feed, const QuakeList& quakes, OleDate now);
    void Purge(const QuakeList& quakes, OleDate now);
    void TurnOff(const QString& reason);

    QObject m_receiver;  // outcomes are queued to it
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    bool m_quit = false;
    int m_loadsOut = 0;         // handed over and not back yet
    unsigned m_latestLoad = 0;  // the number of the latest load handed over
    QString m_offReason;
    int m_limitDays = 365;
    StopFlag m_stop;
    std::unique_ptr<EventStore> m_store;  // touched on the history's thread only
    std::thread m_thread;
};

}  // namespace tremolux
