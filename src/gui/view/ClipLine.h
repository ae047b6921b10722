#pragma once

#include <QLineF>
#include <QRectF>

namespace tremolux {

// Liang-Barsky: cuts the segment to the part inside bounds. False when
// nothing of it is inside. Keeps rays that end tens of thousands of pixels
// away out of the rasterizer's fixed-point range.
bool ClipLine(QLineF& line, const QRectF& bounds);

}  // namespace tremolux
