#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/common/OleDate.h"
#include "core/view/Canvas.h"
#include "core/view/CityQuakes.h"

namespace tremolux {

class QuakeList;
struct CityPosition;
struct DisplaySettings;

// Where one quake is drawn: a pie around the city, a ray from the city
// through the quake, and its label.
struct QuakeShape {
    int quake = -1;  // its index in the quake list
    Rgb color;
    int penWidth = 1;
    CanvasPoint position;  // the quake's own spot on its ray
    CanvasPoint rayEnd;
    bool hasPie = false;
    CanvasRect pieRect;
    CanvasPoint pieStart;
    CanvasPoint pieEnd;
    const std::string* label = nullptr;  // in the layout's CityQuakes; its top-left corner at
                                         // the quake's spot
    CanvasRect labelBox;                 // empty unless the layout was given a measure
    TextExtent labelExtent;              // what the measure said, handed on to the canvas
};

// Everything a map window draws of its quakes, in drawing order: painting and
// finding the quake under the mouse both read this one layout.
struct QuakeLayout {
    CanvasPoint centre;
    double mapRadius = 0.0;  // the outer circle, where fresh quakes lie
    CanvasRect indexBox;     // drawn over the quakes
    // Every quake's distance from the city, drawn or not, which the activity
    // index reads too, and the label texts.
    std::shared_ptr<CityQuakes> seen;
    std::vector<QuakeShape> shapes;
};

// Lays out every quake that passes the settings' filters for a window of
// width x height pixels at the moment now. Without a measure the label boxes
// stay empty (nothing needs them when only painting). The layout of a
// window's last picture hands its seen on: what still fits is reused.
QuakeLayout LayOutQuakes(int width, int height, const DisplaySettings& settings,
                         const CityPosition& city, const QuakeList& quakes, OleDate now,
                         const LabelMeasure& measure = {},
                         std::shared_ptr<CityQuakes> previous = nullptr);

}  // namespace tremolux
