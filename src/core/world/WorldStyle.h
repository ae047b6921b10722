#pragma once

#include "core/view/Canvas.h"

namespace tremolux::world_style {

// The world map's colours and ring sizes, shared by the map and its legend so
// that the legend cannot drift from what the map shows. Quiet colours, so
// that the quakes stand out.
inline constexpr Rgb kWindowColor{228, 228, 224};  // the window around the Earth
inline constexpr Rgb kSeaColor{205, 222, 236};
inline constexpr Rgb kLandColor{238, 234, 218};
inline constexpr Rgb kCoastColor{150, 144, 122};
inline constexpr Rgb kGraticuleColor{178, 196, 214};
inline constexpr Rgb kDistanceRingColor{140, 150, 170};
inline constexpr Rgb kDistanceLabelColor{90, 96, 110};
inline constexpr Rgb kRimColor{110, 126, 146};
inline constexpr Rgb kNearestColor{225, 140, 40};
inline constexpr Rgb kPieColor{200, 60, 60};
inline constexpr Rgb kQuakeOutlineColor{70, 70, 70};
inline constexpr Rgb kCityColor{255, 255, 255};
inline constexpr Rgb kLatestLoadColor{20, 20, 20};
inline constexpr Rgb kSelectionColor{0, 90, 200};
// The alert rules' rings, dashed over the painted map.
inline constexpr Rgb kAlertRingColor{0, 110, 220};

// Pen widths of the rings.
inline constexpr int kRadiusRingWidth = 2;  // nearest and pie radii
inline constexpr int kLatestLoadWidth = 2;
inline constexpr int kSelectionWidth = 3;

// The ring about a quake of the latest load and about the selected one lie
// this many pixels out from its disc.
inline constexpr double kLatestLoadGap = 1.0;
inline constexpr double kSelectionGap = 5.0;

// Distance rings lie every this many metres from the city.
inline constexpr double kRingStepMetres = 1.0e6;
inline constexpr int kCityDiscRadius = 5;

}  // namespace tremolux::world_style
