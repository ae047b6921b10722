#include "core/events/NewEvents.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <thread>
#include <utility>

#include "core/events/EventIdentity.h"

namespace tremolux {

namespace {

std::vector<std::size_t> SortedIdHashes(const QuakeList& quakes)
{
    std::vector<std::size_t> hashes;
    hashes.reserve(static_cast<std::size_t>(quakes.count()));
    const std::hash<std::string_view> hash;
    for (int i = 0; i < quakes.count(); ++i)
        ForEachEventId(quakes.at(i), [&](std::string_view id) { hashes.push_back(hash(id)); });
    std::sort(hashes.begin(), hashes.end());
    return hashes;
}

}  // namespace

void NewEvents::Update(const QuakeList& quakes)
{
    const int count = quakes.count();
    m_new.assign(static_cast<std::size_t>(count), 0);
    m_newCount = 0;
    if (count == 0)
        return;

    // A first load marks nothing and its ids are wanted only by the next
    // load: a long one's are gathered on a thread of their own, from a copy
    // that shares the list's rows.
    if (!m_hasBaseline) {
        // The copy goes with the thread: it may be the last to hold the rows.
        std::packaged_task<std::vector<std::size_t>()> gather([copy = quakes]() mutable {
            const QuakeList rows = std::move(copy);
            return SortedIdHashes(rows);
        });
        m_baseline = gather.get_future().share();
        std::thread(std::move(gather)).detach();
        m_hasBaseline = true;
        return;
    }
    if (m_baseline.valid()) {
        m_previous = m_baseline.get();
        m_baseline = {};
    }

    // Each id's hash with its row, sorted, walked once beside the last load's:
    // a search in those for each id of a long list strayed over all of them.
    std::vector<std::pair<std::size_t, int>> current;
    current.reserve(static_cast<std::size_t>(count));
    const std::hash<std::string_view> hash;
    for (int i = 0; i < count; ++i)
        ForEachEventId(quakes.at(i), [&](std::string_view id) { current.emplace_back(hash(id), i); });
    std::sort(current.begin(), current.end());
    std::fill(m_new.begin(), m_new.end(), 1);
    auto previous = m_previous.begin();
    for (const auto& [idHash, row] : current) {
        while (previous != m_previous.end() && *previous < idHash)
            ++previous;
        if (previous != m_previous.end() && *previous == idHash)
            m_new[static_cast<std::size_t>(row)] = 0;
    }
    m_newCount = static_cast<int>(std::count(m_new.begin(), m_new.end(), 1));
    m_previous.clear();
    m_previous.reserve(current.size());
    for (const auto& entry : current)
        m_previous.push_back(entry.first);
}

}  // namespace tremolux
