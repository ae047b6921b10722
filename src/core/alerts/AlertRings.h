#pragma once

#include <string>
#include <vector>

#include "core/alerts/AlertEvaluation.h"

namespace tremolux {

// An enabled rule's radius about one of its cities, as the world map shows it.
struct AlertRing {
    std::string label;  // "near Tokyo: 300 km"
    double latitude = 0.0;
    double longitude = 0.0;
    double km = 0.0;
};

// The rings of the enabled rules that have a radius: about the rule's city,
// or about every window's city for a rule about any window's city.
std::vector<AlertRing> AlertRings(const AlertSettings& settings,
                                  const std::vector<AlertPlace>& windowCities);

// count places km away from the ring's centre, clockwise from north, as
// latitude and longitude pairs.
std::vector<std::pair<double, double>> RingPlaces(const AlertRing& ring, int count);

}  // namespace tremolux
