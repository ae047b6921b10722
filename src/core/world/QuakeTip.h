#pragma once

#include <string>

#include "core/common/OleDate.h"

namespace tremolux {

struct CityPosition;
struct QuakeRecord;

// What the pointer's tip says about a quake, one fact a line: magnitude and
// region, time (UTC) and age, distance and compass bearing from the city,
// depth. UTF-8.
std::string QuakeTipText(const QuakeRecord& quake, const std::string& cityName,
                         const CityPosition& city, OleDate now);

}  // namespace tremolux
