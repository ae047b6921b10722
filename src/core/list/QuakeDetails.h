#pragma once

#include <string>

#include "core/common/OleDate.h"

namespace tremolux {

struct CityPosition;
struct QuakeRecord;

// What a person wants to know of one quake, a line each: magnitude and
// region, the time in UTC and its age, the depth, where it lies from the
// city, and what each source says of it when several do. Every kind of map
// window shows this text for the quake under the pointer.
std::string QuakeDetails(const QuakeRecord& quake, const std::string& cityName,
                         const CityPosition& city, OleDate now);

}  // namespace tremolux
