#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/feed/FeedDocument.h"
#include "core/feed/StopFlag.h"

namespace tremolux {

// Whether a line is the header of a quake CSV feed: comma-separated column
// names among which are time, latitude, longitude, mag and place.
bool IsCsvHeader(std::string_view line);

// A USGS CSV feed (a header line naming the columns, RFC 4180 quoting) as one
// table with a seven-cell row per earthquake: id, magnitude,
// "YYYY/MM/DD HH:MM:SS" time, latitude, longitude, depth, place. Without the
// time, latitude, longitude, mag and place columns it cannot be viewed as
// tables. A record with fewer fields than the header gives no row; the last
// one, cut off by the end of the text (short of fields, or inside a quoted
// field), fails to fetch the row it would have been.
// Throws Stopped once stop is raised.
std::unique_ptr<FeedDocument> OpenCsvDocument(std::string csv, const StopFlag& stop = StopFlag::Never());

}  // namespace tremolux
