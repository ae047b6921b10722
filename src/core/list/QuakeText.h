#pragma once

#include <string>

#include "core/common/OleDate.h"

namespace tremolux {

struct CityPosition;
struct QuakeRecord;

// Where a quake lies seen from a city.
struct QuakePlace {
    double distance = 0.0;  // metres along the great circle
    double bearing = 0.0;   // degrees clockwise from north, [0, 360)
};

QuakePlace PlaceFrom(const CityPosition& city, const QuakeRecord& quake);

// "NE": the nearest of the 16 compass points.
const char* CompassPoint(double bearing);

// "375 km NE"; "0 km" (no direction) under half a kilometre; empty when the
// position is beyond numbers.
std::string DistanceText(const QuakePlace& place);

// "375 km NE of Tokyo"; "at Tokyo" under half a kilometre; as DistanceText
// for a city without a name.
std::string DistanceFromText(const QuakePlace& place, const std::string& cityName);

// The age of a quake at now: "3 h 12 min ago", "2 d 5 h ago", "under a
// minute ago", and "in 4 min" for a quake dated ahead of the clock. Empty
// when either date is invalid.
std::string AgeText(OleDate time, OleDate now);

// Seconds from time to now, NaN when either date is invalid.
double AgeSeconds(OleDate time, OleDate now);

// "2025-12-07 05:43:57" in UTC, as the feed gives it; empty when invalid.
std::string UtcText(OleDate time);

// The clock a person reads a quake's time on.
enum class TimeShown { Utc, Local };

// The time on that clock: UTC as UtcText, local time as the wall clock of the
// process's zone (TZ) showed it at that moment; empty when invalid.
std::string TimeText(OleDate time, TimeShown shown);
// " UTC" or " local time", to follow a TimeText.
const char* TimeZoneName(TimeShown shown);

// "4.5" and "10.0 km"; empty for a value beyond numbers.
std::string MagnitudeText(double magnitude);
std::string DepthText(double depthKm);

}  // namespace tremolux
