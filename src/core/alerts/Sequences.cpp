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
    for (const QuakeRecord& quake : known) {
        if (quake.magnitude >= kLeastMagnitude && quake.time.valid)
            m_mainshocks.push_back(quake);
    }
}

bool Mainshocks::IsAftershock(const QuakeRecord& quake) const
{
    if (!quake.time.valid)
        return false;
    for (const QuakeRecord& main : m_mainshocks) {
        if (!(quake.magnitude < main.magnitude - kMagnitudeGap))
            continue;
        const double days = quake.time.value - main.time.value;
        if (!(days > 0.0 && days <= AftershockDays(main.magnitude)))
            continue;
        const double km =
            GreatCircle(main.latitude, main.longitude, quake.latitude, quake.longitude) / 1000.0;
        if (km <= 2.0 * RuptureLengthKm(main.magnitude))
            return true;
    }
    return false;
}

}  // namespace tremolux
