#include "core/cities/CityEntry.h"

namespace tremolux {

CityEntry CurrentCity;

CityEntry InitialCity()
{
    CityEntry city;
    city.name = "Tokyo";
    city.position.north = 1;
    city.position.west = 0;
    city.position.latDeg = 35.0;
    city.position.latMin = 41.0;
    city.position.latSec = 22.16;
    city.position.lonDeg = 139.0;
    city.position.lonMin = 41.0;
    city.position.lonSec = 30.14;
    city.position.ComputeDecimal();
    return city;
}

}  // namespace tremolux
