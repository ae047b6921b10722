#include "core/alerts/IntensityPrediction.h"

#include <algorithm>
#include <cmath>

namespace tremolux {

namespace {

// Equation (1) of Atkinson, Worden and Wald (2014):
//   MMI = c1 + c2 M + c3 log R + c4 R + c5 B + c6 M log R
//   R = sqrt(Rhyp^2 + 14^2), B = max(0, log(R / 50))
// The 14 km is the paper's near-source saturation; the USGS "Did You Feel
// It?" code uses the same. (The magnitude-dependent depth of Yenier and
// Atkinson belongs to their ground-motion equations, not to this one.)
constexpr double c1 = 0.309;
constexpr double c2 = 1.864;
constexpr double c3 = -1.672;
constexpr double c4 = -0.00219;
constexpr double c5 = 1.77;
constexpr double c6 = -0.383;
constexpr double kSaturationKm = 14.0;

}  // namespace

double EstimatedIntensity(double magnitude, double hypocentralKm)
{
    const double r = std::hypot(hypocentralKm, kSaturationKm);
    const double logR = std::log10(r);
    const double b = std::max(0.0, std::log10(r / 50.0));
    return c1 + c2 * magnitude + c3 * logR + c4 * r + c5 * b + c6 * magnitude * logR;
}

double HypocentralKm(double epicentralKm, double depthKm)
{
    return std::hypot(epicentralKm, std::max(0.0, depthKm));
}

const char* IntensityNumeral(double intensity)
{
    static constexpr const char* kNumerals[] = {"I",   "II",   "III", "IV", "V",  "VI",
                                                "VII", "VIII", "IX",  "X",  "XI", "XII"};
    if (std::isnan(intensity))
        return "";
    const double level = std::clamp(std::round(intensity), 1.0, 12.0);
    return kNumerals[static_cast<int>(level) - 1];
}

}  // namespace tremolux
