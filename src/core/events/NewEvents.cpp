#include "core/events/NewEvents.h"

#include "core/events/EventIdentity.h"
#include "core/feed/QuakeList.h"

namespace tremolux {

void NewEvents::Update(const QuakeList& quakes)
{
    const int count = quakes.count();
    m_new.assign(static_cast<std::size_t>(count), 0);
    m_newCount = 0;
    if (count == 0)
        return;

    std::unordered_set<std::string> current;
    current.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        bool known = false;
        for (std::string& id : EventIds(quakes.at(i))) {
            known = known || m_previous.contains(id);
            current.insert(std::move(id));
        }
        if (m_hasBaseline && !known) {
            m_new[static_cast<std::size_t>(i)] = 1;
            ++m_newCount;
        }
    }
    m_previous = std::move(current);
    m_hasBaseline = true;
}

}  // namespace tremolux
