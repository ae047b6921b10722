#include "core/view/MapScale.h"

#include <algorithm>

namespace tremolux {

namespace {

// The outer circle as a share of the window's shorter side.
constexpr double kMapRadiusShare = 0.45;
// Far beyond any screen, and small enough that the ray end (100 r) still fits
// an int: only quakes dated years ahead of now get this far out.
constexpr double kMaxRadius = 1.0e6;

}  // namespace

double MapRadius(int width, int height)
{
    return kMapRadiusShare * std::min(width, height);
}

double AgeRadius(double mapRadius, double ageSeconds, double hours)
{
    double r;
    if (hours != 0.0)
        r = mapRadius * (1.0 - ageSeconds / (hours * 3600.0));
    else
        r = ageSeconds <= 0.0 ? mapRadius : 0.0;
    if (!(r > 0.0))
        return 0.0;
    return std::min(r, kMaxRadius);
}

double PieSweep(double distance, double pieRadius)
{
    if (!(distance <= pieRadius))
        return 0.0;
    if (pieRadius <= 0.0)
        return 360.0;
    return 360.0 * (1.0 - distance / pieRadius);
}

Rgb IndexColor(int index)
{
    const int q = std::clamp(index, 0, 100) * 255 / 100;
    return {q, 255 - q, 0};
}

int RayWidth(double magnitude)
{
    return static_cast<int>(magnitude) + 1;
}

}  // namespace tremolux
