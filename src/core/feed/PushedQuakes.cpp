#include "core/feed/PushedQuakes.h"

#include "core/feed/QuakeRow.h"

namespace tremolux {

void PushedQuakes::Take(PushMessage message)
{
    QuakeRecord& quake = message.quake;
    const auto known = m_quakes.find(quake.eventId);
    if (known != m_quakes.end()) {
        m_byTime.erase({known->second.time.value, known->first});
        m_byTime.insert({quake.time.value, known->first});
        known->second = std::move(quake);
        return;
    }
    m_byTime.insert({quake.time.value, quake.eventId});
    std::string id = quake.eventId;
    m_quakes.emplace(std::move(id), std::move(quake));
    if (m_quakes.size() <= m_capacity)
        return;
    m_quakes.erase(m_byTime.begin()->second);
    m_byTime.erase(m_byTime.begin());
}

std::unique_ptr<FeedDocument> PushedQuakes::Document() const
{
    auto table = std::make_unique<CellTableDocument>();
    for (auto entry = m_byTime.rbegin(); entry != m_byTime.rend(); ++entry)
        AddQuakeRow(*table, m_quakes.at(entry->second));
    return table;
}

}  // namespace tremolux
