#include "gui/app/WindowPlacement.h"

#include <algorithm>

#include <QScreen>
#include <QWidget>

namespace tremolux {

namespace {

constexpr int kFirstSharePercent = 80;

}  // namespace

QSize FirstFrameSize(const QScreen* screen)
{
    if (screen == nullptr)
        return QSize(1024, 720);
    const QSize room = screen->availableGeometry().size();
    return QSize(room.width() * kFirstSharePercent / 100, room.height() * kFirstSharePercent / 100);
}

void KeepFrameUsable(QWidget& frame)
{
    if (frame.isMaximized() || frame.isFullScreen() || frame.screen() == nullptr)
        return;
    const QRect room = frame.screen()->availableGeometry();
    const QSize least = FirstFrameSize(frame.screen()) / 2;
    QRect geometry = frame.geometry();
    if (geometry.width() < least.width() || geometry.height() < least.height())
        geometry.setSize(FirstFrameSize(frame.screen()));
    // The window manager adds its frame around the geometry.
    const QSize decoration = frame.frameGeometry().size() - frame.geometry().size();
    frame.setGeometry(
        IntoView(geometry, room.adjusted(0, 0, -decoration.width(), -decoration.height())));
}

QRect IntoView(QRect geometry, const QRect& area)
{
    geometry.setSize(geometry.size().boundedTo(area.size()));
    geometry.moveLeft(
        std::clamp(geometry.left(), area.left(), area.right() + 1 - geometry.width()));
    geometry.moveTop(std::clamp(geometry.top(), area.top(), area.bottom() + 1 - geometry.height()));
    return geometry;
}

}  // namespace tremolux
