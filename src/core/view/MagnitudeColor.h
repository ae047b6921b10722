#pragma once

#include "core/view/Canvas.h"

namespace tremolux {

// Green at magnitude 0, red at 10: the colour of a quake on every map.
inline Rgb MagnitudeColor(double magnitude)
{
    return {static_cast<int>(25.5 * magnitude), static_cast<int>(255.0 - 25.5 * magnitude), 0};
}

}  // namespace tremolux
