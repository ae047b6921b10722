#pragma once

#include <string>
#include <vector>

#include "core/feed/QuakeList.h"

namespace tremolux {

// One source's quakes, named as the user knows the source ("USGS", "EMSC").
struct SourceQuakes {
    std::string name;
    const QuakeList* quakes = nullptr;
};

// The union of several sources, newest first: each event once, with the
// values of the most preferred source that reports it, and every source's
// reading of it in order of preference (readings[i] belongs to quakes.at(i)).
struct MergedQuakes {
    QuakeList quakes;
    std::vector<std::vector<SourceReading>> readings;
};

// Two quakes of different sources are one event when their origin times are
// within 60 s and their epicentres within 100 km, whatever their magnitudes
// (agencies use different magnitude types). A quake without a valid time is
// never matched. Sources come in order of preference; a source never merges
// two of its own quakes.
MergedQuakes MergeSources(const std::vector<SourceQuakes>& sources);

}  // namespace tremolux
