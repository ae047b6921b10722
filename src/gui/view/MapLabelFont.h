#pragma once

#include <QFont>

#include "core/view/QuakeLayout.h"

class QPaintDevice;

namespace tremolux {

// The map window's label font: "Arial" at 12 pixels (Liberation Sans, its
// metric twin, where Arial is not installed).
QFont MapLabelFont();

// The size of the opaque box QPainterCanvas gives a label painted in
// labelFont on device.
LabelMeasure MapLabelMeasure(const QFont& labelFont, QPaintDevice* device);

}  // namespace tremolux
