#pragma once

#include <optional>
#include <string>

#include "core/common/OleDate.h"
#include "core/list/QuakeText.h"

namespace tremolux {

struct CityPosition;
struct QuakeRecord;

// What a person wants to know of one quake, a line each: magnitude and
// region, the time (in UTC unless asked for local time) and its age, the
// depth, where it lies from the city, and what each source says of it when
// several do. Every kind of map window shows this text for the quake under
// the pointer. Then the impact lines of ImpactText, when the feed gave any.
std::string QuakeDetails(const QuakeRecord& quake, const std::string& cityName,
                         const CityPosition& city, OleDate now, TimeShown shown = TimeShown::Utc);

// What the agency says of the quake's impact, a line for each field the feed
// gave: "Felt by 1,204 people", "Intensity: CDI 4.1, MMI 5.6", "PAGER alert:
// yellow", "Status: reviewed". Empty when it gave none: a field the feed lacks
// is left out, never shown as zero.
std::string ImpactText(const QuakeRecord& quake);

// "4.1" for an intensity, one decimal; empty when unknown.
std::string IntensityText(const std::optional<double>& intensity);

}  // namespace tremolux
