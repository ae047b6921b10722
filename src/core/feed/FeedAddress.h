#pragma once

namespace tremolux {

// The feed read when no other source is given: the USGS list of every quake
// of the past week, as GeoJSON.
constexpr const char* kDefaultFeedAddress =
    "https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/all_week.geojson";

}  // namespace tremolux
