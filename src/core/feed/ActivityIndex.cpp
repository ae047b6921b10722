#include <algorithm>
#include <climits>
#include <cmath>

#include "core/common/Clock.h"
#include "core/common/OleDate.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"

namespace tremolux {

namespace {

constexpr double kMinutesPerDay = 1440.0;
constexpr double kMinimumDistance = 1000.0;  // metres

// Truncation toward zero into the 32-bit range; NaN counts as 0.
double TruncateToInt32(double value)
{
    if (std::isnan(value))
        return 0.0;
    return std::trunc(
        std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

// distanceOf(i) is the distance of the list's quake i from the city, in metres.
template <typename DistanceOf>
int ActivityIndex(const std::vector<QuakeRecord>& records, const Clock& clock,
                  DistanceOf distanceOf)
{
    const OleDate now = clock.Now();
    double sum = 0.0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const QuakeRecord& quake = records[i];
        // A quake on the city itself would divide by zero; it counts as 1 km away.
        const double distance = std::max(distanceOf(i), kMinimumDistance);
        const double age = OleDayDifference(now, quake.time);
        // Ages under a minute, and quakes dated after now (clock skew), count as
        // their whole minutes either way but never less than one.
        const double minutes =
            std::max(std::fabs(TruncateToInt32(WholeUnitsOfAge(age, kMinutesPerDay))), 1.0);
        const double term = quake.magnitude / ((minutes * distance) * 0.001);
        // One record with a position or magnitude beyond numbers would make the
        // whole sum undefined; it is left out and the others stand.
        if (std::isfinite(term))
            sum = sum + term;
    }
    return static_cast<int>(TruncateToInt32(sum * 10000.0));
}

}  // namespace

int QuakeList::GetActivityIndex(const CityPosition& city, const Clock& clock) const
{
    return ActivityIndex(Rows(), clock, [&](std::size_t i) {
        const QuakeRecord& quake = Rows()[i];
        return GreatCircle(city.latDecimal, city.lonDecimal, quake.latitude, quake.longitude);
    });
}

int QuakeList::GetActivityIndex(const std::vector<double>& distances, const Clock& clock) const
{
    return ActivityIndex(Rows(), clock, [&](std::size_t i) { return distances.at(i); });
}

}  // namespace tremolux
