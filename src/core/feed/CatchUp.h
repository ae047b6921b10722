#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/common/OleDate.h"

namespace tremolux {

// USGS's FDSN event query, which answers for any span of time.
inline constexpr char kUsgsEventQuery[] = "https://earthquake.usgs.gov/fdsnws/event/1/query";

// How many days back a polled feed reaches: the USGS summary feeds'
// period (…_hour, _day, _week or _month .geojson or .csv); unknown for others.
std::optional<double> FeedReachDays(std::string_view address);

// The one query of the event service that fills what the feed no longer
// reaches since the last good load: every event updated since then, deleted
// ones included, newest first, at most 20,000. Empty when there is no gap,
// or no last good load, or the feed's reach is unknown.
std::string CatchUpAddress(std::string_view service, std::string_view feed, OleDate lastGoodLoad,
                           OleDate now);

}  // namespace tremolux
