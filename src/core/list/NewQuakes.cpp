#include "core/list/NewQuakes.h"

#include <algorithm>
#include <cmath>

#include "core/feed/QuakeList.h"

namespace tremolux {

namespace {

// NaN never equals itself; as a key it stands for "no value" and matches
// another NaN, so a row with a missing field is not new on every load.
double Key(double value)
{
    return std::isnan(value) ? -HUGE_VAL : value;
}

}  // namespace

QuakeIdentity QuakeIdentity::Of(const QuakeRecord& quake)
{
    return {quake.time.valid ? Key(quake.time.value) : -HUGE_VAL, Key(quake.latitude),
            Key(quake.longitude), Key(quake.magnitude)};
}

int FindQuake(const QuakeList& quakes, const QuakeIdentity& identity)
{
    for (int i = 0; i < quakes.count(); ++i)
        if (QuakeIdentity::Of(quakes.at(i)) == identity)
            return i;
    return -1;
}

void NewQuakes::Update(const QuakeList& quakes)
{
    const int count = quakes.count();
    m_new.assign(static_cast<std::size_t>(count), 0);
    m_newCount = 0;
    if (count == 0)
        return;

    std::vector<QuakeIdentity> current;
    current.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        current.push_back(QuakeIdentity::Of(quakes.at(i)));

    if (m_hasBaseline) {
        for (int i = 0; i < count; ++i) {
            if (!std::binary_search(m_previous.begin(), m_previous.end(), current[i])) {
                m_new[i] = 1;
                ++m_newCount;
            }
        }
    }
    std::sort(current.begin(), current.end());
    m_previous = std::move(current);
    m_hasBaseline = true;
}

}  // namespace tremolux
