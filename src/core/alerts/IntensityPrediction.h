#pragma once

namespace tremolux {

// The Modified Mercalli intensity a quake probably causes at a place, from
// the intensity prediction equation of Atkinson, Worden and Wald (2014),
// "Intensity prediction equations for North America", Bulletin of the
// Seismological Society of America 104(6), 3084-3093, in its form for active
// regions (no eastern North America correction). NaN when an input is NaN.
double EstimatedIntensity(double magnitude, double hypocentralKm);

// The straight-line distance from a place to the hypocentre below an
// epicentre epicentralKm away (depth in km, negative depths count as 0).
double HypocentralKm(double epicentralKm, double depthKm);

// "III", the roman numeral of an intensity rounded to the nearest level,
// clamped to I ... XII; empty for NaN.
const char* IntensityNumeral(double intensity);

}  // namespace tremolux
