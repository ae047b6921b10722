#pragma once

#include "core/view/Canvas.h"

namespace tremolux {

// The scale of the polar map, shared by the map and by whatever explains it,
// so that an explanation cannot drift from the picture.

inline constexpr Rgb kFieldColor{0, 200, 0};

// The outer circle, where fresh quakes lie, for a window of width x height.
double MapRadius(int width, int height);

// The quake's distance from the centre: mapRadius when fresh, 0 once as old
// as the hours window.
double AgeRadius(double mapRadius, double ageSeconds, double hours);

// Degrees of the pie: 360 at the city, narrowing to 0 at the pie radius.
double PieSweep(double distance, double pieRadius);

// The activity-index box: green at 0, red at 100 and above, the number in white.
Rgb IndexColor(int index);
inline constexpr Rgb kIndexTextColor{255, 255, 255};

// The width of a quake's ray in pixels.
int RayWidth(double magnitude);

}  // namespace tremolux
