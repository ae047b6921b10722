#include "core/geo/CityPosition.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tremolux {

namespace {

// Degrees, whole minutes and seconds of the magnitude of a decimal angle.
// Rounding can carry the minutes of an angle a hair below a whole degree to 60.
void SplitDegrees(double decimal, double& degrees, double& minutes, double& seconds)
{
    const double angle = std::fabs(decimal);
    degrees = std::floor(angle);
    minutes = std::min(std::floor((angle - degrees) * 60.0), 59.0);
    seconds = (angle - degrees - minutes / 60.0) * 3600.0;
}

}  // namespace

CityPosition& CityPosition::ComputeDecimal()
{
    const double lat = latDeg + latMin * (1.0 / 60.0) + latSec * (1.0 / 3600.0);
    latDecimal = north ? lat : -std::fabs(lat);
    const double lon = lonDeg + lonMin * (1.0 / 60.0) + lonSec * (1.0 / 3600.0);
    lonDecimal = west ? -std::fabs(lon) : lon;
    return *this;
}

CityPosition& CityPosition::ComputeDegrees()
{
    north = latDecimal >= 0.0;
    west = lonDecimal < 0.0;
    SplitDegrees(latDecimal, latDeg, latMin, latSec);
    SplitDegrees(lonDecimal, lonDeg, lonMin, lonSec);
    return *this;
}

double GreatCircle(double lat1, double lon1, double lat2, double lon2, double* ccwBearing)
{
    const double phi1 = lat1 * std::numbers::pi * (1.0 / 180.0);
    const double lambda1 = lon1 * std::numbers::pi * (1.0 / 180.0);
    const double phi2 = lat2 * std::numbers::pi * (1.0 / 180.0);
    const double lambda2 = lon2 * std::numbers::pi * (1.0 / 180.0);

    // Rounding leaves the cosine of a point with itself a hair below 1, which
    // acos turns into centimetres; the same point is no distance away.
    if (lat1 == lat2 && lon1 == lon2) {
        if (ccwBearing)
            *ccwBearing = 0.0;
        return 0.0;
    }

    // Rounding can carry the cosine a hair outside [-1, 1] for coincident or
    // antipodal points, where acos has no value.
    const double c = std::sin(phi1) * std::sin(phi2)
                     + std::cos(phi1) * std::cos(phi2) * std::cos(lambda2 - lambda1);
    const double distance = std::acos(std::clamp(c, -1.0, 1.0)) * EARTH_RADIUS_M;

    if (ccwBearing) {
        const double y = std::sin(lambda2 - lambda1) * std::cos(phi2);
        const double x = std::cos(phi1) * std::sin(phi2)
                         - std::sin(phi1) * std::cos(phi2) * std::cos(lambda2 - lambda1);
        // Coincident points have no direction; they read as due north.
        double theta = 0.0;
        if (x != 0.0 || y != 0.0) {
            theta = std::atan(y / x) * 180.0 * (1.0 / std::numbers::pi);
            if (x < 0.0)
                theta += 180.0;
            theta = std::fmod(theta + 180.0, 360.0) - 180.0;
        }
        double alpha = -theta * std::numbers::pi / 180.0;
        alpha = alpha - std::floor(alpha / (2.0 * std::numbers::pi)) * (2.0 * std::numbers::pi);
        double bearing = alpha * 180.0 * (1.0 / std::numbers::pi);
        // A hair below a full turn can round up to 360 itself.
        if (bearing >= 360.0)
            bearing = 0.0;
        *ccwBearing = bearing;
    }
    return distance;
}

}  // namespace tremolux
