#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/OleDate.h"
#include "core/common/Result.h"

namespace tremolux {

// EMSC's realtime service, which pushes each new or revised event.
inline constexpr char kEmscPushAddress[] = "wss://www.seismicportal.eu/standing_order/websocket";

// An agency that serves its catalogue through the FDSN event service.
struct FdsnAgency {
    std::string name;
    std::string query;  // the service's query address, without parameters
};

// EMSC, GeoNet and INGV.
const std::vector<FdsnAgency>& FdsnAgencies();

// The agency's quakes of the seven days before now of at least minMagnitude,
// as FDSN event text, newest first and at most 5,000 of them: the start is
// fixed when the address is made, and the cap keeps the answer bounded as
// the address ages.
std::string FdsnQueryAddress(const FdsnAgency& agency, OleDate now, double minMagnitude);

// A feed offered by name in the Feed dialog.
struct FeedPreset {
    std::string label;
    std::string address;
};

// The USGS summary feeds (past hour, day, week, month; all, M1.0+, M2.5+,
// M4.5+, significant) as GeoJSON, then the classic list page.
const std::vector<FeedPreset>& FeedPresets();

// The name a source is shown by beside others: the agency of a known
// address ("USGS", "EMSC", "GeoNet", "INGV"), else the address's host, else
// the file's name.
std::string SourceName(std::string_view address);

// Whether the address is of a push service (ws:// or wss://), read beside a
// feed, never as one.
bool IsPushAddress(std::string_view address);

// Whether address can be read beside the feed, or why not: a push service's
// address, or anything CheckFeedAddress allows, can.
Result<> CheckOtherSource(std::string_view address);

// The shortest time between two loads of the address that its server asks
// of its readers: five minutes for an FDSN event query, none otherwise.
std::chrono::minutes MinimumReloadPeriod(std::string_view address);

// Whether address can be read as the feed, or why not: an http, https or
// file URL with a place to read, or the path of a local file, can.
Result<> CheckFeedAddress(std::string_view address);

}  // namespace tremolux
