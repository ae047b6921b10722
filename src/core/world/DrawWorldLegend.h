#pragma once

#include <string>
#include <vector>

#include "core/view/DrawLegend.h"

namespace tremolux {

struct DisplaySettings;

// The magnitudes the world legend shows a disc for: the largest the map
// draws would not fit beside the others.
inline constexpr int kWorldLegendMagnitudes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};

// Explains a world map window's picture for its settings: each magnitude's
// disc, the distance rings, the nearest and pie radii, the alert rules' rings
// (one line per label, as "name: 300 km", a label repeated for several cities
// listed once), the city and the rings about a quake of the latest load and
// the selected one. Returns the height it used.
int DrawWorldLegend(Canvas& canvas, const LegendStyle& style, const DisplaySettings& settings,
                    const std::vector<std::string>& ruleRings);

}  // namespace tremolux
