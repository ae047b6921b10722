#include "core/world/LatestLoad.h"

#include <bit>

#include "core/feed/QuakeList.h"

namespace tremolux {

QuakeKey KeyOf(const QuakeRecord& quake)
{
    return {std::bit_cast<std::uint64_t>(quake.time.value),
            std::bit_cast<std::uint64_t>(quake.latitude),
            std::bit_cast<std::uint64_t>(quake.longitude),
            std::bit_cast<std::uint64_t>(quake.magnitude)};
}

int FindQuake(const QuakeList& quakes, const QuakeKey& key)
{
    for (int i = 0; i < quakes.count(); ++i) {
        if (KeyOf(quakes.at(i)) == key)
            return i;
    }
    return -1;
}

void LatestLoad::Update(const QuakeList& quakes)
{
    if (m_seen && quakes.Revision() == m_revision)
        return;
    std::set<QuakeKey> current;
    for (int i = 0; i < quakes.count(); ++i)
        current.insert(KeyOf(quakes.at(i)));

    std::set<QuakeKey> brought;
    if (!m_previous.empty()) {
        for (const QuakeKey& key : current) {
            if (!m_previous.contains(key))
                brought.insert(key);
        }
    }
    if (!brought.empty() || m_previous.empty())
        m_brought = std::move(brought);

    m_marked.assign(quakes.count(), false);
    if (!m_brought.empty()) {
        for (int i = 0; i < quakes.count(); ++i)
            m_marked[i] = m_brought.contains(KeyOf(quakes.at(i)));
    }
    m_previous = std::move(current);
    m_revision = quakes.Revision();
    m_seen = true;
}

}  // namespace tremolux
