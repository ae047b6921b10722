#pragma once

#include <cstddef>
#include <future>
#include <vector>

#include "core/feed/QuakeList.h"

namespace tremolux {

// Which events of the list the latest load brought: those the load before it
// did not hold, by the one identity. The quake list's bold rows and the world
// map's rings both follow it. The first load has nothing to compare with and
// marks none; a load that leaves the list empty (a failure) is no baseline,
// so the load after it does not mark everything.
class NewEvents {
public:
    // Takes the list as the latest load left it.
    void Update(const QuakeList& quakes);
    // Another feed: its first load has nothing to compare with either.
    void Forget() { m_hasBaseline = false; }
    bool IsNew(int index) const
    {
        return index >= 0 && index < static_cast<int>(m_new.size()) && m_new[index] != 0;
    }
    int Count() const { return m_newCount; }

private:
    // Every id of the last load that held events, by its hash, sorted: a long
    // list's ids as a set of strings took the GUI thread tens of milliseconds
    // to gather and free at each load. Two ids of one hash (a chance in some
    // 10^9 for two loads of 100,000 events) leave one new row unmarked.
    std::vector<std::size_t> m_previous;
    // The same of a first load while they are being gathered.
    std::shared_future<std::vector<std::size_t>> m_baseline;
    std::vector<char> m_new;  // by list index
    int m_newCount = 0;
    bool m_hasBaseline = false;
};

}  // namespace tremolux
