#pragma once

#include <string>
#include <vector>

#include "core/common/OleDate.h"
#include "core/feed/QuakeRecord.h"

namespace tremolux {

// One event as the history keeps it.
struct HistoryEntry {
    QuakeRecord event;  // its latest values
    OleDate firstSeen{0.0, false};
    int revisions = 0;
    bool retracted = false;
};

// The events as text a person or a program reads back: TAB-separated lines
// or CSV, each with a header line (id, magnitude, time, latitude, longitude,
// depth, region, status, retracted, revisions), or a GeoJSON
// FeatureCollection with the USGS feed's property names.
std::string EventsAsTsv(const std::vector<HistoryEntry>& entries);
std::string EventsAsCsv(const std::vector<HistoryEntry>& entries);
std::string EventsAsGeoJson(const std::vector<HistoryEntry>& entries);

}  // namespace tremolux
