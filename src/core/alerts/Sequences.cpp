#include "core/alerts/Sequences.h"

#include <cmath>

#include "core/geo/CityPosition.h"

namespace tremolux {

double RuptureLengthKm(double magnitude)
{
    return std::pow(10.0, -2.44 + 0.59 * magnitude);
}

int AftershockDays(double mainshockMagnitude)
{
    if (mainshockMagnitude >= 8.0)
        return 120;
    if (mainshockMagnitude >= 7.0)
        return 60;
    if (mainshockMagnitude >= 6.0)
        return 30;
    return 10;
}

Mainshocks::Mainshocks(const std::vector<QuakeRecord>& known)
{
    for (std::size_t i = 0; i < known.size(); ++i) {
        const QuakeRecord& quake = known[i];
        if (quake.magnitude >= kLeastMagnitude && quake.time.valid) {
            m_mainshocks.push_back(quake);
            m_positions.push_back(static_cast<int>(i));
        }
    }
}

bool Mainshocks::IsAftershock(const QuakeRecord& quake) const
{
    return MainshockOf(quake) >= 0;
}

int Mainshocks::MainshockOf(const QuakeRecord& quake) const
{
    if (!quake.time.valid)
        return -1;
    int found = -1;
    double foundMagnitude = 0.0;
    for (std::size_t i = 0; i < m_mainshocks.size(); ++i) {
        const QuakeRecord& main = m_mainshocks[i];
        if (!(quake.magnitude < main.magnitude - kMagnitudeGap))
            continue;
        const double days = quake.time.value - main.time.value;
        if (!(days > 0.0 && days <= AftershockDays(main.magnitude)))
            continue;
        const double km =
            GreatCircle(main.latitude, main.longitude, quake.latitude, quake.longitude) / 1000.0;
        if (km <= 2.0 * RuptureLengthKm(main.magnitude)
            && (found < 0 || main.magnitude > foundMagnitude)) {
            found = m_positions[i];
            foundMagnitude = main.magnitude;
        }
    }
    return found;
}

std::vector<int> AftershockParents(const std::vector<QuakeRecord>& quakes)
{
    const Mainshocks mainshocks(quakes);
    std::vector<int> parents(quakes.size());
    for (std::size_t i = 0; i < quakes.size(); ++i)
        parents[i] = mainshocks.MainshockOf(quakes[i]);
    return parents;
}

}  // namespace tremolux
