#include "core/view/Canvas.h"

#include <algorithm>
#include <iterator>

namespace tremolux {

void Canvas::FillSolidRect(int left, int top, int width, int height, Rgb color)
{
    m_textBackground = color;
    fillRect(left, top, width, height, color);
}

void Canvas::Ellipse(int left, int top, int right, int bottom)
{
    drawEllipse({left, top, right, bottom});
}

void Canvas::Pie(int left, int top, int right, int bottom, CanvasPoint start, CanvasPoint end)
{
    drawPie({left, top, right, bottom}, start, end);
}

void Canvas::MoveTo(int x, int y)
{
    m_position = {x, y};
}

void Canvas::LineTo(int x, int y)
{
    const CanvasPoint to{x, y};
    drawLine(m_position, to);
    m_position = to;
}

Pen Canvas::SelectPen(const Pen& pen)
{
    const Pen old = m_pen;
    m_pen = pen;
    return old;
}

Brush Canvas::SelectBrush(const Brush& brush)
{
    const Brush old = m_brush;
    m_brush = brush;
    return old;
}

CanvasFont Canvas::SelectFont(CanvasFont font)
{
    const CanvasFont old = m_font;
    m_font = font;
    return old;
}

Rgb Canvas::SetTextColor(Rgb color)
{
    const Rgb old = m_textColor;
    m_textColor = color;
    return old;
}

void Canvas::TextOut(int x, int y, const std::string& text)
{
    drawText({x, y}, text);
}

void Canvas::TextOut(int x, int y, const std::string& text, const TextExtent& extent)
{
    drawMeasuredText({x, y}, text, extent);
}

Rgb Canvas::SetTextBackground(Rgb color)
{
    const Rgb old = m_textBackground;
    m_textBackground = color;
    return old;
}

void Canvas::Polygon(const std::vector<CanvasPath>& rings)
{
    const auto isRing = [](const CanvasPath& ring) { return ring.size() >= 3; };
    if (std::all_of(rings.begin(), rings.end(), isRing)) {
        if (!rings.empty())
            drawPolygon(rings);
        return;
    }
    std::vector<CanvasPath> kept;
    std::copy_if(rings.begin(), rings.end(), std::back_inserter(kept), isRing);
    if (!kept.empty())
        drawPolygon(kept);
}

void Canvas::Polyline(const CanvasPath& points)
{
    if (points.size() >= 2)
        drawPolyline(points);
}

}  // namespace tremolux
