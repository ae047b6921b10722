#include "core/alerts/AlertRings.h"

#include <cmath>
#include <numbers>

#include "core/geo/CityPosition.h"

namespace tremolux {

std::vector<AlertRing> AlertRings(const AlertSettings& settings,
                                  const std::vector<AlertPlace>& windowCities)
{
    std::vector<AlertRing> rings;
    for (const AlertRule& rule : settings.rules) {
        if (!rule.enabled || !rule.withinKm || rule.place == AlertRule::Place::Anywhere)
            continue;
        const std::string label =
            rule.name + ": " + std::to_string(std::lround(*rule.withinKm)) + " km";
        if (rule.place == AlertRule::Place::City) {
            rings.push_back({label, rule.city.latDecimal, rule.city.lonDecimal, *rule.withinKm});
            continue;
        }
        for (const AlertPlace& city : windowCities)
            rings.push_back(
                {label, city.position.latDecimal, city.position.lonDecimal, *rule.withinKm});
    }
    return rings;
}

// The destination on a sphere of the program's radius, so rings agree with
// the distances the rules measure.
std::vector<std::pair<double, double>> RingPlaces(const AlertRing& ring, int count)
{
    constexpr double kRadians = std::numbers::pi / 180.0;
    const double angle = ring.km * 1000.0 / EARTH_RADIUS_M;
    const double lat1 = ring.latitude * kRadians;
    const double lon1 = ring.longitude * kRadians;
    std::vector<std::pair<double, double>> places;
    for (int i = 0; i < count; ++i) {
        const double bearing = 2.0 * std::numbers::pi * i / count;
        const double lat2 = std::asin(std::sin(lat1) * std::cos(angle)
                                      + std::cos(lat1) * std::sin(angle) * std::cos(bearing));
        const double lon2 = lon1
                            + std::atan2(std::sin(bearing) * std::sin(angle) * std::cos(lat1),
                                         std::cos(angle) - std::sin(lat1) * std::sin(lat2));
        places.emplace_back(lat2 / kRadians, std::remainder(lon2 / kRadians, 360.0));
    }
    return places;
}

}  // namespace tremolux
