#pragma once

namespace tremolux {

constexpr double EARTH_RADIUS_M = 6372795.0;

// A city's position as a person writes it, beside the signed decimal degrees
// that every computation reads.
struct CityPosition {
    unsigned char north = 0;  // nonzero: north of the equator
    unsigned char west = 0;   // nonzero: west of Greenwich
    double lonDeg = 0.0;
    double lonMin = 0.0;
    double lonSec = 0.0;
    double lonDecimal = 0.0;  // east positive
    double latDeg = 0.0;
    double latMin = 0.0;
    double latSec = 0.0;
    double latDecimal = 0.0;  // north positive

    // Sets latDecimal and lonDecimal from the other fields.
    CityPosition& ComputeDecimal();

    // Sets the hemisphere flags and the degree fields from latDecimal and
    // lonDecimal.
    CityPosition& ComputeDegrees();
};

// Great-circle distance in metres from (lat1, lon1) to (lat2, lon2), degrees.
// When ccwBearing is given it receives the direction of the target seen from
// the origin, anticlockwise from north, in [0, 360).
double GreatCircle(double lat1, double lon1, double lat2, double lon2,
                   double* ccwBearing = nullptr);

}  // namespace tremolux
