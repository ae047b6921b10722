#include "core/world/WorldProjection.h"

#include <cmath>
#include <numbers>

#include "core/geo/CityPosition.h"

namespace tremolux {

WorldProjection::WorldProjection(double cityLatitude, double cityLongitude, double centreX,
                                 double centreY, double earthRadius)
    : m_latitude(cityLatitude),
      m_longitude(cityLongitude),
      m_centreX(centreX),
      m_centreY(centreY),
      m_earthRadius(earthRadius),
      m_pixelsPerMetre(earthRadius / (std::numbers::pi * EARTH_RADIUS_M))
{
}

ScreenPoint WorldProjection::Project(double latitude, double longitude) const
{
    return FromUnit(UnitPoint(latitude, longitude));
}

ScreenPoint WorldProjection::UnitPoint(double latitude, double longitude) const
{
    // The same distance and bearing the polar window draws with, so that a
    // quake lies in the same direction in both.
    double ccw = 0.0;
    const double metres = GreatCircle(m_latitude, m_longitude, latitude, longitude, &ccw);
    const double r = metres / (std::numbers::pi * EARTH_RADIUS_M);
    const double t = (360.0 - ccw) * std::numbers::pi / 180.0;
    return {r * std::sin(t), -r * std::cos(t)};
}

ScreenPoint WorldProjection::AtDistance(double metres, double clockwiseDegrees) const
{
    const double r = metres * m_pixelsPerMetre;
    const double t = clockwiseDegrees * std::numbers::pi / 180.0;
    return {m_centreX + r * std::sin(t), m_centreY - r * std::cos(t)};
}

}  // namespace tremolux
