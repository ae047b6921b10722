// The made-up quakes and the place the drawing benchmarks share, so that their
// figures speak of the same picture.
#pragma once

#include <algorithm>
#include <random>

#include "core/common/OleDate.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"

namespace tremolux::bench {

const OleDate kNow = OleDateFromCalendar(2026, 12, 7, 12, 0, 0);

// A week of quakes the world over with the usual spread of magnitudes; the same
// list on every call.
inline QuakeList RandomQuakes(int count)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> latitude(-60.0, 70.0);
    std::uniform_real_distribution<double> longitude(-180.0, 180.0);
    std::uniform_real_distribution<double> hours(0.0, 167.0);
    std::exponential_distribution<double> magnitude(1.2);
    QuakeList quakes;
    for (int i = 0; i < count; ++i) {
        QuakeRecord quake;
        quake.magnitude = std::min(1.1 + magnitude(random), 9.0);
        quake.latitude = latitude(random);
        quake.longitude = longitude(random);
        quake.time = OleDate{kNow.value - hours(random) / 24.0, true};
        quake.region = "123 km SSW of Somewhere Island, Region";
        quakes.Append(quake);
    }
    return quakes;
}

inline CityPosition Tokyo()
{
    CityPosition city;
    city.latDecimal = 35.68948888888889;
    city.lonDecimal = 139.69170555555556;
    return city;
}

}  // namespace tremolux::bench
