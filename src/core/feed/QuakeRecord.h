#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/common/OleDate.h"

namespace tremolux {

// What one source says of an event that several report.
struct SourceReading {
    std::string source;
    double magnitude = 0.0;
    std::string magnitudeType;
};

// One earthquake as read from one row of the feed. Beside where and how
// strong, what the agency says of the event where the feed says it (the
// GeoJSON and CSV feeds); every such field is unknown until read.
struct QuakeRecord {
    double magnitude = 0.0;
    double longitude = 0.0;  // decimal degrees, east positive
    double latitude = 0.0;   // decimal degrees, north positive
    double depth = 0.0;
    OleDate time;           // UTC, as the feed gives it
    std::string region;     // UTF-8 as the feed gives it, control characters as U+FFFD
    std::string eventPage;  // the quake's web page, empty when the feed names none

    std::string eventId;  // the agency's preferred id, empty when the feed has none
    std::string ids;      // every id of the event as the feed lists them: ",us1000abc,ci38100536,"
    OleDate updated{0.0, false};
    std::string status;         // automatic, reviewed, deleted
    std::string magnitudeType;  // ml, mb, mww, ...
    std::string network;        // the contributing network: us, ci, ...
    std::optional<int> feltReports;
    std::optional<double> cdi;  // community intensity
    std::optional<double> mmi;  // instrumental intensity
    std::string alert;          // PAGER level: green, yellow, orange, red
    std::optional<bool> tsunami;
    std::optional<int> significance;
    // Every source's reading, in order of preference, when several sources
    // were merged and more than one reports the event; else empty.
    std::vector<SourceReading> readings;
};

// Every event field unknown, where and how strong as they were.
inline void ClearEventFields(QuakeRecord& record)
{
    QuakeRecord cleared;
    cleared.magnitude = record.magnitude;
    cleared.longitude = record.longitude;
    cleared.latitude = record.latitude;
    cleared.depth = record.depth;
    cleared.time = record.time;
    cleared.region = std::move(record.region);
    cleared.eventPage = std::move(record.eventPage);
    record = std::move(cleared);
}

}  // namespace tremolux
