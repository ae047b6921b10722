#pragma once

#include <string>

#include "core/common/OleDate.h"

namespace tremolux {

struct CityPosition;
struct QuakeRecord;

// "3 h 12 min ago" for an age in days; a quake dated ahead of the clock is
// "12 min ahead of the clock".
std::string AgeText(double ageDays);

// One of the eight compass points (N, NE, ... NW) for a bearing in degrees
// clockwise from north.
std::string CompassPoint(double bearingDegrees);

// "375 km NE of Tokyo"; "at Tokyo" for a quake within half a kilometre.
std::string DistanceText(const QuakeRecord& quake, const std::string& cityName,
                         const CityPosition& city);

// What a person wants to know of one quake, a line each: magnitude and
// region, the time in UTC and its age, the depth, where it lies from the city.
std::string QuakeDetails(const QuakeRecord& quake, const std::string& cityName,
                         const CityPosition& city, OleDate now);

}  // namespace tremolux
