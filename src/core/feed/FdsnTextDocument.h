#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/feed/FeedDocument.h"
#include "core/feed/StopFlag.h"

namespace tremolux {

// Whether a line is the header of an FDSN event text answer (format=text):
// '#', then '|'-separated column names among which are EventID, Time,
// Latitude, Longitude and Magnitude.
bool IsFdsnTextHeader(std::string_view line);

// An FDSN event text answer as one table with a seven-cell row per event:
// event id, magnitude, "YYYY/MM/DD HH:MM:SS" time, latitude, longitude, depth,
// EventLocationName; each row carries the event id and magnitude type. The
// first cell links to eventPagePrefix + id when a prefix is given. A line
// short of fields gives no row; the last one, cut off by the end of the text
// before its line break, fails to fetch the row it would have been. Without
// the header it cannot be viewed as tables.
// Throws Stopped once stop is raised.
std::unique_ptr<FeedDocument> OpenFdsnTextDocument(std::string text, const StopFlag& stop = StopFlag::Never());

}  // namespace tremolux
