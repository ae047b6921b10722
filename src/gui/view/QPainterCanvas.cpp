#include "gui/view/QPainterCanvas.h"

#include <QGlyphRun>
#include <QGuiApplication>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string_view>

#include "core/view/CoverMask.h"
#include "core/view/LineBand.h"
#include "gui/view/AsciiGlyphTable.h"
#include "gui/view/ClipLine.h"
#include "gui/view/LineEnds.h"

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

CanvasRect ToCanvasRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

// The direction of a point from the centre, in degrees anticlockwise on the
// screen from 3 o'clock, as QPainter counts.
double ScreenAngle(const QPointF& centre, CanvasPoint point)
{
    return qRadiansToDegrees(std::atan2(centre.y() - point.y, point.x - centre.x()));
}

// Qt fills a wide flat-ended line with the device pixels whose centres lie in
// its rectangle, give or take 0.021 pixels of rounding (the most seen over
// 1,500 random lines). The cover mask's pixels hold whole device pixels only
// when the painter scales by a whole number s, and a device pixel's centre
// then lies up to (1/2 - 1/2s) sqrt 2 from its mask pixel's: grown by both, a
// line's band holds every mask pixel it paints into; shrunk by both, only
// mask pixels it paints whole. Scaled by a fraction, no line is left out.
std::optional<double> LineBandMargin(const QTransform& device)
{
    constexpr double kRounding = 0.25;
    const double scale = device.m11();
    if (device.type() > QTransform::TxScale || scale != device.m22() || scale < 1.0
        || scale != std::floor(scale) || device.dx() != std::floor(device.dx())
        || device.dy() != std::floor(device.dy()))
        return std::nullopt;
    return kRounding + (0.5 - 0.5 / scale) * std::numbers::sqrt2;
}

}  // namespace

// One drawing operation waiting for Flush.
struct QPainterCanvas::Operation {
    enum class Kind : unsigned char { Fill, Ellipse, Pie, Line, Text, Polygon, Polyline };
    Kind kind = Kind::Fill;
    CanvasFont font = CanvasFont::Default;
    CanvasRect rect;             // fill, ellipse, pie: the rectangle; text: its opaque box
    CanvasRect ink;              // text: the box and every pixel its glyphs may touch
    CanvasPoint from;            // pie: start point; line: first end
    CanvasPoint to;              // pie: end point; line: second end
    Pen pen;                     // outline of ellipse and pie; the line's pen
    Rgb color;                   // fill colour, brush of ellipse and pie, text colour
    Rgb background;              // text
    bool fromEndHidden = false;  // line: a later round end covers this one
    bool toEndHidden = false;
    bool strokeHidden = false;  // line: later opaque shapes cover every pixel of its stroke
    std::size_t textOffset = 0;
    std::size_t textLength = 0;
    std::size_t shape = 0;  // polygon, polyline: its index in m_shapes
};

QPainterCanvas::QPainterCanvas(QPainter& painter, const QFont& labelFont)
    : m_painter(painter),
      m_bounds(painter.window()),
      m_labelGlyphs(std::make_unique<AsciiGlyphTable>(labelFont, painter.device())),
      m_defaultGlyphs(std::make_unique<AsciiGlyphTable>(QGuiApplication::font(), painter.device()))
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

QPainterCanvas::~QPainterCanvas()
{
    Flush();
}

AsciiGlyphTable& QPainterCanvas::glyphs(CanvasFont font)
{
    return font == CanvasFont::Label ? *m_labelGlyphs : *m_defaultGlyphs;
}

void QPainterCanvas::fillRect(int left, int top, int width, int height, Rgb color)
{
    if (width <= 0 || height <= 0)
        return;
    Operation operation;
    operation.kind = Operation::Kind::Fill;
    operation.rect = {left, top, left + width, top + height};
    operation.color = color;
    m_operations.push_back(operation);
}

void QPainterCanvas::drawEllipse(const CanvasRect& rect)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    Operation operation;
    operation.kind = Operation::Kind::Ellipse;
    operation.rect = rect;
    operation.pen = pen();
    operation.color = brush().color;
    m_operations.push_back(operation);
}

void QPainterCanvas::drawPie(const CanvasRect& rect, CanvasPoint start, CanvasPoint end)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    Operation operation;
    operation.kind = Operation::Kind::Pie;
    operation.rect = rect;
    operation.from = start;
    operation.to = end;
    operation.pen = pen();
    operation.color = brush().color;
    m_operations.push_back(operation);
}

void QPainterCanvas::drawLine(CanvasPoint from, CanvasPoint to)
{
    if (from == to)
        return;
    Operation operation;
    operation.kind = Operation::Kind::Line;
    operation.from = from;
    operation.to = to;
    operation.pen = pen();
    m_operations.push_back(operation);
}

void QPainterCanvas::drawText(CanvasPoint topLeft, const std::string& whole)
{
    std::string cut;
    const std::string& text = ShownLabel(whole, cut);
    AsciiGlyphTable& fontGlyphs = glyphs(font());
    int width = 0;
    QRect ink;
    fontGlyphs.MeasureAny(text, m_painter.device(), width, ink);
    addText(topLeft, text, {width, fontGlyphs.height(), ToCanvasRect(ink)});
}

// The extent was measured on the label as shown, cut to a sane length.
void QPainterCanvas::drawMeasuredText(CanvasPoint topLeft, const std::string& text,
                                      const TextExtent& extent)
{
    std::string cut;
    addText(topLeft, ShownLabel(text, cut), extent);
}

void QPainterCanvas::addText(CanvasPoint topLeft, const std::string& text, const TextExtent& extent)
{
    if (extent.width <= 0)
        return;
    const CanvasRect box{topLeft.x, topLeft.y, topLeft.x + extent.width, topLeft.y + extent.height};
    const CanvasRect& ink = extent.ink;
    Operation operation;
    operation.kind = Operation::Kind::Text;
    operation.font = font();
    operation.rect = box;
    operation.ink = {
        std::min(box.left, topLeft.x + ink.left), std::min(box.top, topLeft.y + ink.top),
        std::max(box.right, topLeft.x + ink.right), std::max(box.bottom, topLeft.y + ink.bottom)};
    operation.from = topLeft;
    operation.color = textColor();
    operation.background = textBackground();
    operation.textOffset = m_texts.size();
    operation.textLength = text.size();
    m_texts += text;
    m_operations.push_back(operation);
}

void QPainterCanvas::Flush()
{
    // Backwards through the operations: a text or a wide line none of whose
    // pixels would escape the opaque boxes and lines painted after it is left
    // out, and so is the round end of a line where a later line ends as wide
    // or wider (every ray starts at the city: only the last of each width
    // there can show). Most rays of a busy map lie wholly under later ones,
    // and most glyphs of the labels that show.
    std::vector<bool> hidden(m_operations.size(), false);
    m_glyphsHidden = std::make_unique<bool[]>(m_texts.size());
    const CanvasRect picture = ToCanvasRect(m_bounds.toAlignedRect());
    const std::optional<double> margin = LineBandMargin(m_painter.deviceTransform());
    CoverMask cover(picture);
    LineEnds widestLaterEnd;
    const auto coveredEnd = [&](CanvasPoint end, int width) {
        int& widest = widestLaterEnd.At(end);
        const bool covered = widest >= width;
        widest = std::max(widest, width);
        return covered;
    };
    for (std::size_t i = m_operations.size(); i-- > 0;) {
        Operation& operation = m_operations[i];
        if (operation.kind == Operation::Kind::Fill) {
            cover.Add(operation.rect);
        } else if (operation.kind == Operation::Kind::Text) {
            hidden[i] = cover.Covers(operation.ink);
            if (!hidden[i] && margin)
                hideCoveredGlyphs(operation, cover);
            cover.Add(operation.rect);
        } else if (operation.kind == Operation::Kind::Line && operation.pen.width > 1) {
            const int width = operation.pen.width;
            operation.toEndHidden = coveredEnd(operation.to, width);
            operation.fromEndHidden = coveredEnd(operation.from, width);
            if (!margin)
                continue;
            operation.strokeHidden =
                cover.Covers(LineBand(operation.from, operation.to, width, *margin, picture));
            if (!operation.strokeHidden)
                cover.Add(LineBand(operation.from, operation.to, width, -*margin, picture));
        }
    }
    for (std::size_t i = 0; i < m_operations.size(); ++i) {
        if (!hidden[i])
            paint(m_operations[i]);
    }
    m_operations.clear();
    m_texts.clear();
    m_glyphsHidden.reset();
    m_shapes.clear();
    m_linePens.clear();
}

void QPainterCanvas::applyOutline(const Operation& operation)
{
    QPen outline(ToQColor(operation.pen.color), operation.pen.width);
    outline.setJoinStyle(Qt::RoundJoin);
    m_painter.setPen(outline);
    m_painter.setBrush(ToQColor(operation.color));
}

void QPainterCanvas::paint(const Operation& operation)
{
    switch (operation.kind) {
    case Operation::Kind::Fill: {
        const CanvasRect& r = operation.rect;
        m_painter.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top),
                           ToQColor(operation.color));
        break;
    }
    case Operation::Kind::Ellipse:
        applyOutline(operation);
        m_painter.drawEllipse(OutlineRect(operation.rect));
        break;
    case Operation::Kind::Pie: {
        applyOutline(operation);
        const QRectF outline = OutlineRect(operation.rect);
        const QPointF centre = outline.center();
        const double startAngle = ScreenAngle(centre, operation.from);
        double span = ScreenAngle(centre, operation.to) - startAngle;
        if (span == 0.0) {
            m_painter.drawEllipse(outline);
            break;
        }
        if (span < 0.0)
            span += 360.0;
        QPainterPath sector(centre);
        sector.arcTo(outline, startAngle, span);
        sector.closeSubpath();
        m_painter.drawPath(sector);
        break;
    }
    case Operation::Kind::Line:
        paintLine(operation);
        break;
    case Operation::Kind::Text:
        paintText(operation);
        break;
    case Operation::Kind::Polygon:
    case Operation::Kind::Polyline:
        paintShape(operation);
        break;
    }
}

// A wide line ends in half discs. Stroking them into every ray costs more
// than the rest of the ray, and a ray's far end almost always lies outside
// the picture, so the line is drawn flat and a disc is put on each end that
// can show.
void QPainterCanvas::paintLine(const Operation& operation)
{
    const int width = operation.pen.width;
    const QColor color = ToQColor(operation.pen.color);
    const double margin = width + 2.0;
    const QRectF reach = m_bounds.adjusted(-margin, -margin, margin, margin);
    QLineF line(operation.from.x, operation.from.y, operation.to.x, operation.to.y);
    if (!ClipLine(line, reach))
        return;
    if (!operation.strokeHidden) {
        m_painter.setPen(linePen(operation.pen));
        m_painter.drawLine(line);
    }
    if (width <= 1)
        return;
    const double radius = width * 0.5;
    const std::pair<CanvasPoint, bool> ends[] = {{operation.from, operation.fromEndHidden},
                                                 {operation.to, operation.toEndHidden}};
    // Most rays show no end: the next ray then often keeps the painter's pen.
    bool discPen = false;
    for (const auto& [end, hidden] : ends) {
        const QPointF centre(end.x, end.y);
        if (hidden || !reach.contains(centre))
            continue;
        if (!discPen) {
            m_painter.setPen(Qt::NoPen);
            m_painter.setBrush(color);
            discPen = true;
        }
        m_painter.drawEllipse(centre, radius, radius);
    }
}

// Thousands of rays share a few dozen pens: each is made once a paint.
const QPen& QPainterCanvas::linePen(const Pen& pen)
{
    const Rgb& c = pen.color;
    const auto [at, made] = m_linePens.try_emplace({pen.width, c.red, c.green, c.blue});
    if (made) {
        at->second = QPen(ToQColor(c), pen.width);
        at->second.setCapStyle(Qt::FlatCap);  // a 1-pixel line leaves out its last pixel
    }
    return at->second;
}

// A glyph is drawn on its own over the text's box, blending into what lies
// there; where its ink lies wholly under later opaque shapes, it can be left
// out: what the glyphs beside it leave in those pixels is painted over too.
void QPainterCanvas::hideCoveredGlyphs(const Operation& operation, const CoverMask& cover)
{
    const std::string_view text(m_texts.data() + operation.textOffset, operation.textLength);
    const CanvasPoint at = operation.from;
    bool* hidden = m_glyphsHidden.get() + operation.textOffset;
    glyphs(operation.font).EachInk(text, [&](std::size_t i, const QRect& ink) {
        hidden[i] = cover.Covers(CanvasRect{at.x + ink.left(), at.y + ink.top(),
                                            at.x + ink.right() + 1, at.y + ink.bottom() + 1});
    });
}

void QPainterCanvas::paintText(const Operation& operation)
{
    AsciiGlyphTable& fontGlyphs = glyphs(operation.font);
    const std::string_view text(m_texts.data() + operation.textOffset, operation.textLength);
    const QPointF baseline(operation.from.x, operation.from.y + fontGlyphs.ascent());
    m_painter.setPen(ToQColor(operation.color));
    QGlyphRun run;
    if (fontGlyphs.Run(text, m_glyphsHidden.get() + operation.textOffset, run)) {
        const CanvasRect& r = operation.rect;
        m_painter.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top),
                           ToQColor(operation.background));
        m_painter.drawGlyphRun(baseline, run);
        return;
    }
    m_painter.setFont(fontGlyphs.font());
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setBackground(ToQColor(operation.background));
    m_painter.drawText(baseline,
                       QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    m_painter.setBackgroundMode(Qt::TransparentMode);
}

void QPainterCanvas::drawPolygon(const std::vector<CanvasPath>& rings)
{
    Operation operation;
    operation.kind = Operation::Kind::Polygon;
    operation.pen = pen();
    operation.color = brush().color;
    operation.shape = m_shapes.size();
    QList<QPolygon>& polygons = m_shapes.emplace_back();
    for (const CanvasPath& ring : rings) {
        QPolygon& polygon = polygons.emplace_back(static_cast<qsizetype>(ring.size()));
        for (std::size_t i = 0; i < ring.size(); ++i)
            polygon.setPoint(static_cast<int>(i), ring[i].x, ring[i].y);
    }
    m_operations.push_back(operation);
}

void QPainterCanvas::drawPolyline(const CanvasPath& points)
{
    drawPolygon({points});
    m_operations.back().kind = Operation::Kind::Polyline;
}

// Coastlines and rings are smooth curves: they are drawn antialiased, unlike
// the pixel-exact map operations.
void QPainterCanvas::paintShape(const Operation& operation)
{
    const QList<QPolygon>& rings = m_shapes[operation.shape];
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    QPen outline(ToQColor(operation.pen.color), operation.pen.width);
    outline.setJoinStyle(Qt::RoundJoin);
    m_painter.setPen(outline);
    if (operation.kind == Operation::Kind::Polyline) {
        m_painter.drawPolyline(rings.front());
    } else {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const QPolygon& ring : rings) {
            path.moveTo(ring.front());
            for (qsizetype i = 1; i < ring.size(); ++i)
                path.lineTo(ring[i]);
            path.closeSubpath();
        }
        m_painter.setBrush(ToQColor(operation.color));
        m_painter.drawPath(path);
    }
    m_painter.restore();
}

}  // namespace tremolux
