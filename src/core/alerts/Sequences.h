#pragma once

#include <vector>

#include "core/feed/QuakeRecord.h"

namespace tremolux {

// The subsurface rupture length in km of a quake of this moment magnitude,
// all slip types: log10(RLD) = -2.44 + 0.59 M (Wells and Coppersmith 1994,
// "New empirical relationships among magnitude, rupture length, rupture
// width, rupture area and surface displacement", BSSA 84(4), table 2A).
double RuptureLengthKm(double magnitude);

// How many days after a mainshock its aftershocks stay quiet, by the
// mainshock's magnitude: 10 days from M 5.5 up to 120 days from M 8, as the
// USGS Earthquake Notification Service holds back aftershocks.
int AftershockDays(double mainshockMagnitude);

// The quakes of a list big enough to start a sequence (M 5.5 or more), to ask
// about many quakes without walking the whole list for each.
class Mainshocks {
public:
    static constexpr double kLeastMagnitude = 5.5;
    static constexpr double kMagnitudeGap = 2.0;

    explicit Mainshocks(const std::vector<QuakeRecord>& known);

    // Whether quake lies within twice a mainshock's rupture length of it,
    // after it and inside its days, and is under its magnitude minus 2.
    bool IsAftershock(const QuakeRecord& quake) const;
    // The position in known of the largest mainshock quake follows, or -1.
    int MainshockOf(const QuakeRecord& quake) const;

private:
    std::vector<QuakeRecord> m_mainshocks;
    std::vector<int> m_positions;  // of each mainshock in the list it came from
};

// For each quake of the list, the position of the mainshock it is an
// aftershock of, or -1: the quake list groups a sequence under its mainshock.
std::vector<int> AftershockParents(const std::vector<QuakeRecord>& quakes);

}  // namespace tremolux
