#pragma once

#include <cstddef>
#include <string>

#include <QFont>

#include "core/view/QuakeLayout.h"

class QPaintDevice;

namespace tremolux {

// The map window's label font: "Arial" at 12 pixels (Liberation Sans, its
// metric twin, where Arial is not installed).
QFont MapLabelFont();

// The longest label the map shows, "…" included: a feed's region may be a
// megabyte long, and laying such a text out would stop the window.
inline constexpr std::size_t kShownLabelMax = 200;

// The label as the map shows it: the text itself, or when it is longer than
// kShownLabelMax characters, its start ending in "…", kept in `cut`.
const std::string& ShownLabel(const std::string& text, std::string& cut);

// The size of the opaque box QPainterCanvas gives a label painted in
// labelFont on device.
LabelMeasure MapLabelMeasure(const QFont& labelFont, QPaintDevice* device);

}  // namespace tremolux
