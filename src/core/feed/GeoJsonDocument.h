#pragma once

#include <memory>
#include <string>

#include "core/feed/FeedDocument.h"
#include "core/feed/StopFlag.h"

namespace tremolux {

// A USGS GeoJSON FeatureCollection as one table with a seven-cell row per
// earthquake feature: link, magnitude, "YYYY/MM/DD HH:MM:SS" UTC time,
// latitude, longitude, depth, place. A feature without properties or a
// position, or holding a number no double can hold, gives no row. JSON that is
// no FeatureCollection cannot be viewed as tables; a document that breaks off
// keeps the rows before the break and fails to fetch the row at it.
// Throws Stopped once stop is raised.
std::unique_ptr<FeedDocument> OpenGeoJsonDocument(std::string json, const StopFlag& stop = StopFlag::Never());

}  // namespace tremolux
