// Quakes, quake lists and the places they are seen from, built in a line, for
// tests of what is drawn, picked and marked.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/common/OleDate.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"

namespace tremolux::test {

// A quake hoursOld hours before now.
inline QuakeRecord QuakeBefore(OleDate now, double hoursOld, double magnitude, double latitude,
                               double longitude, std::string region = "Somewhere")
{
    QuakeRecord quake;
    quake.magnitude = magnitude;
    quake.latitude = latitude;
    quake.longitude = longitude;
    quake.time = OleDate{now.value - hoursOld / 24.0, true};
    quake.region = std::move(region);
    return quake;
}

inline QuakeList ListOf(const std::vector<QuakeRecord>& records)
{
    QuakeList list;
    for (const QuakeRecord& record : records)
        list.Append(record);
    return list;
}

inline CityPosition At(double latitude, double longitude)
{
    CityPosition city;
    city.latDecimal = latitude;
    city.lonDecimal = longitude;
    return city;
}

}  // namespace tremolux::test
