#include "gui/view/LineEnds.h"

#include <cstdint>
#include <utility>

namespace tremolux {

std::size_t LineEnds::find(CanvasPoint point) const
{
    const std::uint64_t key =
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(point.x)) << 32)
        | static_cast<std::uint32_t>(point.y);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> 32) & mask;
    while (m_slots[at].used && m_slots[at].point != point)
        at = (at + 1) & mask;
    return at;
}

int& LineEnds::At(CanvasPoint point)
{
    std::size_t at = find(point);
    if (!m_slots[at].used) {
        if (2 * (m_used + 1) > m_slots.size()) {
            grow();
            at = find(point);
        }
        m_slots[at].used = true;
        m_slots[at].point = point;
        ++m_used;
    }
    return m_slots[at].value;
}

void LineEnds::grow()
{
    std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(m_slots.size() * 2));
    for (const Slot& slot : old) {
        if (slot.used)
            m_slots[find(slot.point)] = slot;
    }
}

}  // namespace tremolux
