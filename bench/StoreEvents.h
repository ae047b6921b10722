// Made-up events as a month feed lists them, for the event store's figures:
// ids, status and impact fields as the USGS feed gives them.
#pragma once

#include <random>
#include <string>

#include "core/common/OleDate.h"
#include "core/feed/QuakeList.h"

namespace tremolux::bench {

// Event number n, posted at the given date; the same values for the same n.
inline QuakeRecord StoreEvent(long long n, OleDate posted)
{
    std::mt19937 random(static_cast<unsigned>(n));
    QuakeRecord quake;
    quake.eventId = "us" + std::to_string(60000000 + n);
    quake.ids = "," + quake.eventId + ",";
    quake.magnitude = 1.0 + static_cast<double>(random() % 60) / 10.0;
    quake.latitude = static_cast<double>(random() % 130000) / 1000.0 - 60.0;
    quake.longitude = static_cast<double>(random() % 360000) / 1000.0 - 180.0;
    quake.depth = static_cast<double>(random() % 7000) / 10.0;
    quake.time = posted;
    quake.updated = posted;
    quake.region = "123 km SSW of Somewhere Island, Region";
    quake.eventPage = "https://earthquake.usgs.gov/earthquakes/eventpage/" + quake.eventId;
    quake.status = "reviewed";
    quake.magnitudeType = "mb";
    quake.network = "us";
    quake.tsunami = false;
    quake.significance = static_cast<int>(random() % 600);
    return quake;
}

// The feed as it stands at event last: the count events before it, newest
// first, one every interval days.
inline QuakeList StoreFeed(long long last, int count, double interval)
{
    QuakeList quakes;
    for (long long n = last; n > last - count && n >= 0; --n)
        quakes.Append(StoreEvent(n, OleDate{46000.0 + static_cast<double>(n) * interval, true}));
    return quakes;
}

}  // namespace tremolux::bench
