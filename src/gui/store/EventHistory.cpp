#include "gui/store/EventHistory.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>

#include <algorithm>

#include "core/events/CompareLoad.h"
#include "core/events/MemoryEventStore.h"
#include "core/feed/QuakeList.h"
#include "gui/store/SqlEventStore.h"

namespace tremolux {

EventHistory::EventHistory() : m_store(std::make_unique<MemoryEventStore>())
{
}

EventHistory::~EventHistory() = default;

bool EventHistory::Open(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        TurnOff(QObject::tr("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    try {
        m_store = std::make_unique<SqlEventStore>(path);
        m_offReason.clear();
        return true;
    } catch (const StoreError& error) {
        TurnOff(QString::fromStdString(error.what()));
        return false;
    }
}

std::vector<EventChange> EventHistory::TakeLoad(const std::string& feed, const QuakeList& quakes,
                                                OleDate now)
{
    std::vector<EventChange> changes;
    try {
        changes = CompareLoad(*m_store, feed, quakes, now);
        Purge(quakes, now);
    } catch (const StoreError& error) {
        // The session goes on in memory, primed with this load so that the
        // next tells only its own news; what the file took before it failed
        // is still told.
        TurnOff(QString::fromStdString(error.what()));
        CompareLoad(*m_store, feed, quakes, now);
    }
    return changes;
}

// A quake the feed still lists stays, however old: forgotten, it would come
// back as new with the next load.
void EventHistory::Purge(const QuakeList& quakes, OleDate now)
{
    double before = now.value - m_limitDays;
    for (int i = 0; i < quakes.count(); ++i)
        if (quakes.at(i).time.valid)
            before = std::min(before, quakes.at(i).time.value);
    m_store->PurgeBefore(OleDate{before, true});
}

OleDate EventHistory::LastLoad(const std::string& feed)
{
    try {
        return m_store->LastLoad(feed);
    } catch (const StoreError& error) {
        TurnOff(QString::fromStdString(error.what()));
        return OleDate{0.0, false};
    }
}

std::vector<HistoryEntry> EventHistory::Since(OleDate since)
{
    try {
        return m_store->History(since, OleDate{0.0, false});
    } catch (const StoreError& error) {
        TurnOff(QString::fromStdString(error.what()));
        return {};
    }
}

// The session goes on with its events in memory.
void EventHistory::TurnOff(const QString& reason)
{
    m_store = std::make_unique<MemoryEventStore>();
    m_offReason = reason;
}

}  // namespace tremolux
