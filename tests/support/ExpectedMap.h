#pragma once

#include <QImage>
#include <QPainter>
#include <QPalette>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "core/view/DrawQuakes.h"
#include "gui/view/CTremoluxView.h"
#include "gui/view/MapLabelFont.h"
#include "gui/view/QPainterCanvas.h"

namespace tremolux::test {

// What the map of view shows, drawn straight onto the window's background.
inline QImage ExpectedMap(const CTremoluxView& view, const QuakeList& quakes, const Clock& clock)
{
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(view.palette().color(QPalette::Window));
    QPainter painter(&image);
    QPainterCanvas canvas(painter, MapLabelFont());
    DrawQuakes(canvas, view.width(), view.height(), view.Settings(), view.City().position, quakes,
               clock);
    return image;
}

}  // namespace tremolux::test
