#pragma once

#include <vector>

#include "core/common/OleDate.h"

namespace tremolux {

class QuakeList;
struct QuakeRecord;

// What makes two rows of two loads the same quake. A revised magnitude
// makes it another one: the reader sees a new figure.
struct QuakeIdentity {
    double time = 0.0;
    double latitude = 0.0;
    double longitude = 0.0;
    double magnitude = 0.0;

    static QuakeIdentity Of(const QuakeRecord& quake);
    friend auto operator<=>(const QuakeIdentity&, const QuakeIdentity&) = default;
};

// The index of the quake with this identity in the list, -1 when none.
int FindQuake(const QuakeList& quakes, const QuakeIdentity& identity);

// Which quakes of the list the latest load added. The first load has nothing
// to compare with and marks none; a load that leaves the list empty (a
// failure) is no baseline, so the load after it does not mark everything.
class NewQuakes {
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
    std::vector<QuakeIdentity> m_previous;  // sorted
    std::vector<char> m_new;                // by list index
    int m_newCount = 0;
    bool m_hasBaseline = false;
};

}  // namespace tremolux
