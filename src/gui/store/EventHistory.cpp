#include "gui/store/EventHistory.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>

#include "core/events/CompareLoad.h"
#include "core/events/MemoryEventStore.h"
#include "gui/store/SqlEventStore.h"

namespace tremolux {

EventHistory::EventHistory() : m_store(std::make_unique<MemoryEventStore>()) {}

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
    try {
        return CompareLoad(*m_store, feed, quakes, now);
    } catch (const StoreError& error) {
        // The load becomes the first the session's memory holds: it tells no
        // news rather than all of it.
        TurnOff(QString::fromStdString(error.what()));
        CompareLoad(*m_store, feed, quakes, now);
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
