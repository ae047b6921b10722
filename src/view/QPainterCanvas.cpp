#include "view/QPainterCanvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace tremolux {

namespace {

QColor ToQColor(Rgb color)
{
    return QColor(color.red, color.green, color.blue);
}

// The outline of a device-context rectangle, whose right and bottom edges lie
// outside it: QPainter draws a 1-pixel outline below and right of the edges.
QRectF OutlineRect(const CanvasRect& rect)
{
    return QRectF(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
}

// Liang-Barsky: cuts the segment to the part inside bounds. False when
// nothing of it is inside. Keeps rays that end tens of thousands of pixels
// away out of the rasterizer's fixed-point range.
bool ClipLine(QLineF& line, const QRectF& bounds)
{
    const double dx = line.dx();
    const double dy = line.dy();
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - bounds.left(), bounds.right() - line.x1(),
                         line.y1() - bounds.top(), bounds.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = line.p1();
    line = QLineF(start.x() + t0 * dx, start.y() + t0 * dy, start.x() + t1 * dx,
                  start.y() + t1 * dy);
    return true;
}

// The direction of a point from the centre, in degrees anticlockwise on the
// screen from 3 o'clock, as QPainter counts.
double ScreenAngle(const QPointF& centre, CanvasPoint point)
{
    return qRadiansToDegrees(std::atan2(centre.y() - point.y, point.x - centre.x()));
}

}  // namespace

QFont MapLabelFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    return font;
}

QPainterCanvas::QPainterCanvas(QPainter& painter, const QFont& labelFont)
    : m_painter(painter),
      m_labelFont(labelFont),
      m_defaultFont(QGuiApplication::font()),
      m_bounds(painter.window())
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_labelAscent = QFontMetrics(m_labelFont, m_painter.device()).ascent();
    m_defaultAscent = QFontMetrics(m_defaultFont, m_painter.device()).ascent();
}

void QPainterCanvas::applyPenAndBrush()
{
    const Pen& p = pen();
    QPen qpen(ToQColor(p.color), p.width);
    // A 1-pixel line leaves out its last pixel; wider ones end round.
    qpen.setCapStyle(p.width > 1 ? Qt::RoundCap : Qt::FlatCap);
    qpen.setJoinStyle(Qt::RoundJoin);
    m_painter.setPen(qpen);
    m_painter.setBrush(ToQColor(brush().color));
}

void QPainterCanvas::fillRect(int left, int top, int width, int height, Rgb color)
{
    if (width <= 0 || height <= 0)
        return;
    m_painter.fillRect(QRect(left, top, width, height), ToQColor(color));
}

void QPainterCanvas::drawEllipse(const CanvasRect& rect)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    applyPenAndBrush();
    m_painter.drawEllipse(OutlineRect(rect));
}

void QPainterCanvas::drawPie(const CanvasRect& rect, CanvasPoint start, CanvasPoint end)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    applyPenAndBrush();
    const QRectF outline = OutlineRect(rect);
    const QPointF centre = outline.center();
    const double startAngle = ScreenAngle(centre, start);
    double span = ScreenAngle(centre, end) - startAngle;
    if (span == 0.0) {
        m_painter.drawEllipse(outline);
        return;
    }
    if (span < 0.0)
        span += 360.0;
    QPainterPath sector(centre);
    sector.arcTo(outline, startAngle, span);
    sector.closeSubpath();
    m_painter.drawPath(sector);
}

void QPainterCanvas::drawLine(CanvasPoint from, CanvasPoint to)
{
    if (from == to)
        return;
    const int width = pen().width;
    QLineF line(from.x, from.y, to.x, to.y);
    const double margin = width + 2.0;
    if (!ClipLine(line, m_bounds.adjusted(-margin, -margin, margin, margin)))
        return;
    applyPenAndBrush();
    m_painter.drawLine(line);
}

void QPainterCanvas::drawText(CanvasPoint topLeft, const std::string& text)
{
    const bool label = font() == CanvasFont::Label;
    m_painter.setFont(label ? m_labelFont : m_defaultFont);
    m_painter.setPen(ToQColor(textColor()));
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setBackground(ToQColor(textBackground()));
    m_painter.drawText(QPointF(topLeft.x, topLeft.y + (label ? m_labelAscent : m_defaultAscent)),
                       QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    m_painter.setBackgroundMode(Qt::TransparentMode);
}

}  // namespace tremolux
