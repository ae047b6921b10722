#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tremolux {

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

// The shortest time between two loads of the address that its server asks
// of its readers: five minutes for an FDSN event query, none otherwise.
std::chrono::minutes MinimumReloadPeriod(std::string_view address);

// Why address cannot be read as the feed, or nothing when it can: an http,
// https or file URL with a place to read, or the path of a local file.
std::optional<std::string> FeedAddressProblem(std::string_view address);

}  // namespace tremolux
