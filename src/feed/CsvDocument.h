#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "feed/FeedDocument.h"

namespace tremolux {

// Whether a line is a CSV header: two or more comma-separated column names.
bool IsCsvHeader(std::string_view line);

// A USGS CSV feed (a header line naming the columns, RFC 4180 quoting) as one
// table with a seven-cell row per earthquake: id, magnitude,
// "YYYY/MM/DD HH:MM:SS" time, latitude, longitude, depth, place. Without the
// time, latitude, longitude, mag and place columns it cannot be viewed as
// tables; a quoted field left open at the end fails to fetch the row it is in.
std::unique_ptr<FeedDocument> OpenCsvDocument(std::string csv);

}  // namespace tremolux
