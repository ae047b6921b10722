#pragma once

namespace tremolux {

struct ScreenPoint {
    double x = 0.0;
    double y = 0.0;
};

// The azimuthal equidistant map about a city, north up: a place lies in the
// direction of its initial great-circle bearing from the city (the polar
// window's direction) at a distance from the centre proportional to its
// great-circle distance, so the antipode is the whole outer circle.
class WorldProjection {
public:
    // earthRadius: the outer circle's radius in pixels.
    WorldProjection(double cityLatitude, double cityLongitude, double centreX, double centreY,
                    double earthRadius);

    ScreenPoint Project(double latitude, double longitude) const;
    // Project in two steps: the place on the disc of radius 1 about the city
    // (y down), which does not depend on the window, and that point in the
    // window. A window keeps the first while the user zooms and pans.
    ScreenPoint UnitPoint(double latitude, double longitude) const;
    ScreenPoint FromUnit(ScreenPoint unit) const
    {
        return {m_centreX + m_earthRadius * unit.x, m_centreY + m_earthRadius * unit.y};
    }
    // The point metres away from the city in a clockwise bearing from north.
    ScreenPoint AtDistance(double metres, double clockwiseDegrees) const;

    double centreX() const { return m_centreX; }
    double centreY() const { return m_centreY; }
    double earthRadius() const { return m_earthRadius; }
    double pixelsPerMetre() const { return m_pixelsPerMetre; }

private:
    double m_latitude;
    double m_longitude;
    double m_centreX;
    double m_centreY;
    double m_earthRadius;
    double m_pixelsPerMetre;
};

}  // namespace tremolux
