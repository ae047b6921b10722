#pragma once

#include <string>
#include <vector>

#include "core/common/OleDate.h"
#include "core/events/EventChange.h"

namespace tremolux {

struct CityPosition;
class QuakeList;

// What the first good load of a run brought since the last good load of the
// feed before it, for the "while you were away" summary.
struct AwayLoad {
    OleDate lastLoad;  // the earlier run's last good load
    OleDate now;
    const QuakeList* quakes = nullptr;  // what the load lists
    const std::vector<EventChange>* changes = nullptr;
};

// "Since Monday 23:10 UTC: 312 new quakes, 4 revised; largest M6.1 Peru,
// 840 km from Lima", and a second sentence when the feed no longer reaches
// back to the last load, so quakes in between may never have been seen. The
// largest is the largest new or revised quake of known magnitude; the day is
// named within the last week, else dated.
std::string AwaySummaryText(const AwayLoad& load, const std::string& cityName,
                            const CityPosition& city);

}  // namespace tremolux
