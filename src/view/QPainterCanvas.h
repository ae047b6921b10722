#pragma once

#include <QFont>
#include <QRectF>

#include "view/Canvas.h"

class QPainter;

namespace tremolux {

// Draws the canvas operations with a QPainter as a device context would:
// aliased pixels, rectangles that exclude their right and bottom edges, wide
// pens with round ends, text on an opaque background. The default font is the
// application's default GUI font.
class QPainterCanvas final : public Canvas {
public:
    QPainterCanvas(QPainter& painter, const QFont& labelFont);

protected:
    void fillRect(int left, int top, int width, int height, Rgb color) override;
    void drawEllipse(const CanvasRect& rect) override;
    void drawPie(const CanvasRect& rect, CanvasPoint start, CanvasPoint end) override;
    void drawLine(CanvasPoint from, CanvasPoint to) override;
    void drawText(CanvasPoint topLeft, const std::string& text) override;

private:
    void applyPenAndBrush();

    QPainter& m_painter;
    QFont m_labelFont;
    QFont m_defaultFont;
    int m_labelAscent = 0;
    int m_defaultAscent = 0;
    QRectF m_bounds;  // the painter's window, where anything can show
};

// The map window's label font: "Arial" at 12 pixels (Liberation Sans, its
// metric twin, where Arial is not installed).
QFont MapLabelFont();

}  // namespace tremolux
