#include "core/view/QuakeHitTest.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/view/QuakeLayout.h"

namespace tremolux {

namespace {

struct Point {
    double x = 0.0;
    double y = 0.0;
};

Point ToPoint(CanvasPoint p)
{
    return {static_cast<double>(p.x), static_cast<double>(p.y)};
}

double SegmentDistance(Point p, Point a, Point b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = 0.0;
    if (length2 > 0.0)
        t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Pixels from the box's edge; 0 inside (right and bottom edges excluded).
double BoxDistance(const CanvasRect& box, Point p)
{
    if (box.right <= box.left || box.bottom <= box.top)
        return HUGE_VAL;
    const double dx = std::max({box.left - p.x, 0.0, p.x - (box.right - 1)});
    const double dy = std::max({box.top - p.y, 0.0, p.y - (box.bottom - 1)});
    return std::hypot(dx, dy);
}

// Degrees anticlockwise on the screen from 3 o'clock, in [0, 360).
double ScreenAngle(Point centre, Point p)
{
    const double angle = std::atan2(centre.y - p.y, p.x - centre.x) * 180.0 / std::numbers::pi;
    return angle < 0.0 ? angle + 360.0 : angle;
}

double AngleFrom(double start, double angle)
{
    const double turn = angle - start;
    return turn < 0.0 ? turn + 360.0 : turn;
}

// The sector runs anticlockwise from the radial through pieStart to the one
// through pieEnd, as the canvas draws it; coinciding radials make a disc.
double PieDistance(const QuakeShape& shape, Point p)
{
    const CanvasRect& rect = shape.pieRect;
    const double radius = (rect.right - rect.left) * 0.5;
    if (!shape.hasPie || radius <= 0.0)
        return HUGE_VAL;
    const Point centre{(rect.left + rect.right) * 0.5, (rect.top + rect.bottom) * 0.5};
    const double fromCentre = std::hypot(p.x - centre.x, p.y - centre.y);
    const double start = ScreenAngle(centre, ToPoint(shape.pieStart));
    const double span = AngleFrom(start, ScreenAngle(centre, ToPoint(shape.pieEnd)));
    if (span == 0.0 || AngleFrom(start, ScreenAngle(centre, p)) <= span)
        return std::max(0.0, fromCentre - radius);
    const auto radial = [&](double degrees) {
        const double a = degrees * std::numbers::pi / 180.0;
        const Point rim{centre.x + radius * std::cos(a), centre.y - radius * std::sin(a)};
        return SegmentDistance(p, centre, rim);
    };
    return std::min(radial(start), radial(start + span));
}

// Pixels from the shape's painted pixels; 0 on them.
double ShapeDistance(const QuakeLayout& layout, const QuakeShape& shape, Point p)
{
    double distance = std::min(BoxDistance(shape.labelBox, p), PieDistance(shape, p));
    if (shape.rayEnd != layout.centre) {
        const double ray = SegmentDistance(p, ToPoint(layout.centre), ToPoint(shape.rayEnd));
        distance = std::min(distance, std::max(0.0, ray - shape.penWidth * 0.5));
    }
    return distance;
}

}  // namespace

int HitTest(const QuakeLayout& layout, int x, int y, int tolerance)
{
    const Point p{static_cast<double>(x), static_cast<double>(y)};
    if (BoxDistance(layout.indexBox, p) == 0.0)
        return -1;
    const int found = TopmostWithin(
        static_cast<int>(layout.shapes.size()),
        [&](int i) { return ShapeDistance(layout, layout.shapes[static_cast<std::size_t>(i)], p); },
        tolerance);
    return found < 0 ? -1 : layout.shapes[static_cast<std::size_t>(found)].quake;
}

}  // namespace tremolux
