#pragma once

#include <string>

#include "core/common/OleDate.h"

namespace tremolux {

// One earthquake as read from one row of the feed.
struct QuakeRecord {
    double magnitude = 0.0;
    double longitude = 0.0;  // decimal degrees, east positive
    double latitude = 0.0;   // decimal degrees, north positive
    double depth = 0.0;
    OleDate time;            // UTC, as the feed gives it
    std::string region;      // UTF-8 as the feed gives it, control characters as U+FFFD
    std::string eventPage;   // the quake's web page, empty when the feed names none
    std::string eventId;     // the feed's id of the event, empty when it gives none
    std::string magnitudeType;  // "mb", "ML", ...; empty when the feed gives none
};

}  // namespace tremolux
