#pragma once

#include <string>

#include "core/geo/CityPosition.h"

namespace tremolux {

// One named city.
struct CityEntry {
    std::string name;
    CityPosition position;
};

// Tokyo, 35° 41' 22.16" N 139° 41' 30.14" E: the city of the first map window.
CityEntry InitialCity();

// The one process-wide current-city selection that map windows take over.
extern CityEntry CurrentCity;

}  // namespace tremolux
