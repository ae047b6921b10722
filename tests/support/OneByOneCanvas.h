// A canvas that hands each operation on to another and flushes it at once:
// the other canvas then sees nothing painted later, so it draws everything it
// is given. The reference for pictures a canvas makes by leaving out what
// later operations hide.
#pragma once

#include <string>
#include <vector>

#include "core/view/Canvas.h"

namespace tremolux::test {

class OneByOneCanvas final : public Canvas {
public:
    explicit OneByOneCanvas(Canvas& target) : m_target(target) {}

protected:
    void fillRect(int left, int top, int width, int height, Rgb color) override
    {
        sync().FillSolidRect(left, top, width, height, color);
        m_target.Flush();
    }
    void drawEllipse(const CanvasRect& r) override
    {
        sync().Ellipse(r.left, r.top, r.right, r.bottom);
        m_target.Flush();
    }
    void drawPie(const CanvasRect& r, CanvasPoint start, CanvasPoint end) override
    {
        sync().Pie(r.left, r.top, r.right, r.bottom, start, end);
        m_target.Flush();
    }
    void drawLine(CanvasPoint from, CanvasPoint to) override
    {
        sync().MoveTo(from.x, from.y);
        m_target.LineTo(to.x, to.y);
        m_target.Flush();
    }
    void drawText(CanvasPoint topLeft, const std::string& text) override
    {
        sync().TextOut(topLeft.x, topLeft.y, text);
        m_target.Flush();
    }
    void drawMeasuredText(CanvasPoint topLeft, const std::string& text,
                          const TextExtent& extent) override
    {
        sync().TextOut(topLeft.x, topLeft.y, text, extent);
        m_target.Flush();
    }
    void drawPolygon(const std::vector<CanvasPath>& rings) override
    {
        sync().Polygon(rings);
        m_target.Flush();
    }
    void drawPolyline(const CanvasPath& points) override
    {
        sync().Polyline(points);
        m_target.Flush();
    }

private:
    Canvas& sync()
    {
        m_target.SelectPen(pen());
        m_target.SelectBrush(brush());
        m_target.SelectFont(font());
        m_target.SetTextColor(textColor());
        m_target.SetTextBackground(textBackground());
        return m_target;
    }

    Canvas& m_target;
};

}  // namespace tremolux::test
