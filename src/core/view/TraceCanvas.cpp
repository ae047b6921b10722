#include "core/view/TraceCanvas.h"

#include <algorithm>
#include <ostream>

namespace tremolux {

namespace {

std::ostream& operator<<(std::ostream& out, Rgb color)
{
    return out << color.red << ' ' << color.green << ' ' << color.blue;
}

// The points' bounding box, both corners inclusive.
std::ostream& PrintBounds(std::ostream& out, const std::vector<CanvasPath>& paths)
{
    CanvasRect box{paths.front().front().x, paths.front().front().y, paths.front().front().x,
                   paths.front().front().y};
    for (const CanvasPath& path : paths) {
        for (const CanvasPoint& p : path) {
            box.left = std::min(box.left, p.x);
            box.top = std::min(box.top, p.y);
            box.right = std::max(box.right, p.x);
            box.bottom = std::max(box.bottom, p.y);
        }
    }
    return out << box.left << ' ' << box.top << ' ' << box.right << ' ' << box.bottom;
}

}  // namespace

void TraceCanvas::fillRect(int left, int top, int width, int height, Rgb color)
{
    m_out << "fill " << left << ' ' << top << ' ' << width << ' ' << height << ' ' << color << '\n';
}

void TraceCanvas::drawEllipse(const CanvasRect& rect)
{
    m_out << "ellipse " << rect.left << ' ' << rect.top << ' ' << rect.right << ' ' << rect.bottom
          << '\n';
}

void TraceCanvas::drawPie(const CanvasRect& rect, CanvasPoint start, CanvasPoint end)
{
    m_out << "pie " << rect.left << ' ' << rect.top << ' ' << rect.right << ' ' << rect.bottom
          << ' ' << start.x << ' ' << start.y << ' ' << end.x << ' ' << end.y << ' '
          << brush().color << '\n';
}

void TraceCanvas::drawLine(CanvasPoint from, CanvasPoint to)
{
    m_out << "line " << from.x << ' ' << from.y << ' ' << to.x << ' ' << to.y << ' ' << pen().width
          << ' ' << pen().color << '\n';
}

void TraceCanvas::drawText(CanvasPoint topLeft, const std::string& text)
{
    m_out << "text " << topLeft.x << ' ' << topLeft.y << ' ' << textColor() << ' ';
    if (text.find_first_of("\r\n") == std::string::npos) {
        m_out << text << '\n';
        return;
    }
    std::string oneLine = text;
    std::replace_if(
        oneLine.begin(), oneLine.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    m_out << oneLine << '\n';
}

void TraceCanvas::drawPolygon(const std::vector<CanvasPath>& rings)
{
    m_out << "polygon ";
    for (std::size_t i = 0; i < rings.size(); ++i)
        m_out << (i ? "," : "") << rings[i].size();
    m_out << ' ';
    PrintBounds(m_out, rings) << ' ' << brush().color << '\n';
}

void TraceCanvas::drawPolyline(const CanvasPath& points)
{
    m_out << "polyline " << points.size() << ' ';
    PrintBounds(m_out, {points}) << ' ' << pen().width << ' ' << pen().color << '\n';
}

}  // namespace tremolux
