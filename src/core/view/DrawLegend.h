#pragma once

#include <string>
#include <vector>

#include "core/view/Canvas.h"

namespace tremolux {

struct DisplaySettings;

// How the legend is laid out: the host knows its font and colours.
struct LegendStyle {
    int width = 300;
    int lineHeight = 16;  // one line of the default font
    Rgb text{0, 0, 0};
    Rgb background{255, 255, 255};
};

// A ring of the age diagram: the age in hours and its label.
struct AgeRing {
    double hours = 0.0;
    std::string label;
};

// The rings at round ages for an hours window, freshest ("now") first, at
// most five, the last at the whole window's age.
std::vector<AgeRing> AgeRings(double hours);

// "90 min", "12 h", "3 d": an age in hours as a ring's label.
std::string AgeLabel(double hours);

// The magnitudes the legend shows a ray for, and the index values it shows a
// box for.
inline constexpr int kLegendMagnitudes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
inline constexpr int kLegendIndexValues[] = {0, 25, 50, 75, 100};

// Explains a map window's picture for its settings: the colour and width of
// each magnitude's ray, the radius of an age, the pie and nearest radii and
// the activity index with its box colours. Returns the height it used.
int DrawLegend(Canvas& canvas, const LegendStyle& style, const DisplaySettings& settings);

}  // namespace tremolux
