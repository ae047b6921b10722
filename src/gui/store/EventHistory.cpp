#include "gui/store/EventHistory.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>

#include <algorithm>
#include <future>
#include <utility>

#include "core/events/CompareLoad.h"
#include "core/events/MemoryEventStore.h"
#include "gui/store/SqlEventStore.h"

namespace tremolux {

EventHistory::EventHistory()
    : m_store(std::make_unique<MemoryEventStore>()), m_thread([this] { Serve(); })
{
}

EventHistory::~EventHistory()
{
    m_stop.Raise();
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void EventHistory::Serve()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || !m_tasks.empty(); });
            if (m_quit)
                break;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
    }
    // The store's connection ends on the thread that made it.
    m_store.reset();
}

void EventHistory::Post(std::function<void()> task)
{
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_one();
}

void EventHistory::Release(std::vector<EventChange> changes)
{
    if (!changes.empty())
        Post([doomed = std::move(changes)] {});
}

template <typename Task>
auto EventHistory::Call(Task task) -> decltype(task())
{
    std::packaged_task<decltype(task())()> packaged(std::move(task));
    auto result = packaged.get_future();
    Post([&packaged] { packaged(); });
    return result.get();
}

bool EventHistory::Open(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        Call([&] {
            TurnOff(
                QObject::tr("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder)));
        });
        return false;
    }
    return Call([&] {
        try {
            m_store = std::make_unique<SqlEventStore>(path, m_stop);
            std::lock_guard lock(m_mutex);
            m_offReason.clear();
            return true;
        } catch (const StoreError& error) {
            TurnOff(QString::fromStdString(error.what()));
            return false;
        }
    });
}

void EventHistory::TakeLoad(const std::string& feed, std::shared_ptr<const QuakeList> load,
                            OleDate now, Taken taken)
{
    unsigned number = 0;
    {
        std::lock_guard lock(m_mutex);
        number = ++m_latestLoad;
        ++m_loadsOut;
    }
    Post([this, number, feed, load = std::move(load), now, taken = std::move(taken)] {
        {
            std::lock_guard lock(m_mutex);
            if (number != m_latestLoad) {
                --m_loadsOut;
                return;
            }
        }
        LoadOutcome outcome;
        try {
            outcome = Compare(feed, *load, now);
        } catch (const Stopped&) {
            return;  // the history is closing
        }
        QMetaObject::invokeMethod(
            &m_receiver,
            [this, taken, outcome = std::move(outcome)]() mutable {
                {
                    std::lock_guard lock(m_mutex);
                    --m_loadsOut;
                }
                taken(std::move(outcome));
            },
            Qt::QueuedConnection);
    });
}

bool EventHistory::Busy() const
{
    std::lock_guard lock(m_mutex);
    return m_loadsOut > 0;
}

EventHistory::LoadOutcome EventHistory::Compare(const std::string& feed, const QuakeList& quakes,
                                                OleDate now)
{
    LoadOutcome outcome;
    try {
        outcome.lastLoad = m_store->LastLoad(feed);
        outcome.changes = CompareLoad(*m_store, feed, quakes, now, m_stop);
        Purge(quakes, now);
    } catch (const StoreError& error) {
        // The session goes on in memory, primed with this load so that the
        // next tells only its own news; what the file took before it failed
        // is still told.
        TurnOff(QString::fromStdString(error.what()));
        CompareLoad(*m_store, feed, quakes, now, m_stop);
    }
    return outcome;
}

// A quake the feed still lists stays, however old: forgotten, it would come
// back as new with the next load.
void EventHistory::Purge(const QuakeList& quakes, OleDate now)
{
    int limitDays = 0;
    {
        std::lock_guard lock(m_mutex);
        limitDays = m_limitDays;
    }
    double before = now.value - limitDays;
    for (int i = 0; i < quakes.count(); ++i)
        if (quakes.at(i).time.valid)
            before = std::min(before, quakes.at(i).time.value);
    m_store->PurgeBefore(OleDate{before, true});
}

std::vector<HistoryEntry> EventHistory::Since(OleDate since)
{
    return Call([&] {
        try {
            return m_store->History(since, OleDate{0.0, false});
        } catch (const StoreError& error) {
            TurnOff(QString::fromStdString(error.what()));
            return std::vector<HistoryEntry>{};
        }
    });
}

void EventHistory::SetLimitDays(int days)
{
    std::lock_guard lock(m_mutex);
    m_limitDays = days;
}

QString EventHistory::OffReason() const
{
    std::lock_guard lock(m_mutex);
    return m_offReason;
}

// The session goes on with its events in memory.
void EventHistory::TurnOff(const QString& reason)
{
    m_store = std::make_unique<MemoryEventStore>();
    std::lock_guard lock(m_mutex);
    m_offReason = reason;
}

}  // namespace tremolux
