#pragma once

#include <string>

#include "core/geo/CityPosition.h"

namespace tremolux {

// One named city.
struct CityEntry {
    std::string name;
    CityPosition position;
};

// The one process-wide current-city selection that map windows take over.
extern CityEntry CurrentCity;

}  // namespace tremolux
