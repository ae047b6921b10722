#pragma once

#include <iosfwd>

#include "core/view/Canvas.h"

namespace tremolux {

// Writes one line per drawing operation, in the order drawn:
//   fill LEFT TOP WIDTH HEIGHT R G B
//   ellipse LEFT TOP RIGHT BOTTOM
//   pie LEFT TOP RIGHT BOTTOM X1 Y1 X2 Y2 R G B     (brush colour)
//   line X1 Y1 X2 Y2 WIDTH R G B                    (pen width and colour)
//   text X Y R G B TEXT                             (text colour)
//   polygon N1,N2,... LEFT TOP RIGHT BOTTOM R G B   (vertices of each ring, their
//                                                    bounds inclusive, brush colour)
//   polyline N LEFT TOP RIGHT BOTTOM WIDTH R G B    (vertices, bounds, pen)
// Line breaks inside a text become spaces so that each operation stays one line.
class TraceCanvas final : public Canvas {
public:
    explicit TraceCanvas(std::ostream& out) : m_out(out) {}

protected:
    void fillRect(int left, int top, int width, int height, Rgb color) override;
    void drawEllipse(const CanvasRect& rect) override;
    void drawPie(const CanvasRect& rect, CanvasPoint start, CanvasPoint end) override;
    void drawLine(CanvasPoint from, CanvasPoint to) override;
    void drawText(CanvasPoint topLeft, const std::string& text) override;
    void drawPolygon(const std::vector<CanvasPath>& rings) override;
    void drawPolyline(const CanvasPath& points) override;

private:
    std::ostream& m_out;
};

}  // namespace tremolux
