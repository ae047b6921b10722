#pragma once

#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace tremolux {

// The main window's size at a first start: most of the screen's free room.
QSize FirstFrameSize(const QScreen* screen);

// The frame where a stored geometry left it, made usable: at least the size
// of a first start (or all the room there is) and on the screen's free room.
void KeepFrameUsable(QWidget& frame);

// Within the area when it fits, else at its top left corner, no larger than the area.
QRect IntoView(QRect geometry, const QRect& area);

}  // namespace tremolux
