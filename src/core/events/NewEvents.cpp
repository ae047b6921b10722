#include "core/events/NewEvents.h"

#include <algorithm>
#include <functional>
#include <string_view>

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

    std::vector<std::size_t> current;
    current.reserve(static_cast<std::size_t>(count));
    const std::hash<std::string_view> hash;
    for (int i = 0; i < count; ++i) {
        bool known = false;
        ForEachEventId(quakes.at(i), [&](std::string_view id) {
            const std::size_t idHash = hash(id);
            known = known || std::binary_search(m_previous.begin(), m_previous.end(), idHash);
            current.push_back(idHash);
        });
        if (m_hasBaseline && !known) {
            m_new[static_cast<std::size_t>(i)] = 1;
            ++m_newCount;
        }
    }
    std::sort(current.begin(), current.end());
    m_previous = std::move(current);
    m_hasBaseline = true;
}

}  // namespace tremolux
