#pragma once

#include <compare>
#include <cstdint>
#include <set>
#include <tuple>
#include <vector>

namespace tremolux {

class QuakeList;
struct QuakeRecord;

// What tells one quake from another across loads: the list is rebuilt by
// every load, so an index means nothing to the next one. The values' bits,
// so that any value a feed gives, NaN too, orders and compares soundly.
struct QuakeKey {
    std::uint64_t time = 0;
    std::uint64_t latitude = 0;
    std::uint64_t longitude = 0;
    std::uint64_t magnitude = 0;

    friend auto operator<=>(const QuakeKey&, const QuakeKey&) = default;
};

QuakeKey KeyOf(const QuakeRecord& quake);

// The index of the quake with the key in the list, or -1.
int FindQuake(const QuakeList& quakes, const QuakeKey& key);

// Which quakes of the list the latest load brought: those the list held
// before it did not. A load that brings nothing new leaves the marks on the
// quakes the one before brought, so that they do not vanish at the next
// refresh; the first list seen (or the first after an empty one) marks
// nothing, since everything in it would be new.
class LatestLoad {
public:
    // Takes the list as it is now; a list of the revision already seen
    // changes nothing.
    void Update(const QuakeList& quakes);
    // Whether the quake at index of the list last taken came with the latest load.
    bool IsMarked(int index) const
    {
        return index >= 0 && index < static_cast<int>(m_marked.size()) && m_marked[index];
    }

private:
    bool m_seen = false;
    unsigned long long m_revision = 0;
    std::set<QuakeKey> m_previous;
    std::set<QuakeKey> m_brought;
    std::vector<bool> m_marked;
};

}  // namespace tremolux
