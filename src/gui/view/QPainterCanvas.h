#pragma once

#include <QFont>
#include <QPen>
#include <QPolygon>
#include <QRectF>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/view/Canvas.h"
#include "gui/view/MapLabelFont.h"

class QPainter;

namespace tremolux {

class AsciiGlyphTable;
class CoverMask;

// Draws the canvas operations with a QPainter as a device context would:
// aliased pixels, rectangles that exclude their right and bottom edges, wide
// pens with round ends, text without kerning on an opaque background. The
// default font is the application's default GUI font.
//
// The operations are collected and painted at Flush (DrawQuakes ends with it)
// or at destruction. Painting them in one go lets the canvas leave out text
// that later opaque text boxes and fills would hide completely: a map of
// thousands of quakes draws only the few hundred labels that can be seen.
class QPainterCanvas final : public Canvas {
public:
    QPainterCanvas(QPainter& painter, const QFont& labelFont);
    ~QPainterCanvas() override;
    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

    void Flush() override;

protected:
    void fillRect(int left, int top, int width, int height, Rgb color) override;
    void drawEllipse(const CanvasRect& rect) override;
    void drawPie(const CanvasRect& rect, CanvasPoint start, CanvasPoint end) override;
    void drawLine(CanvasPoint from, CanvasPoint to) override;
    void drawText(CanvasPoint topLeft, const std::string& text) override;
    void drawMeasuredText(CanvasPoint topLeft, const std::string& text,
                          const TextExtent& extent) override;
    void drawPolygon(const std::vector<CanvasPath>& rings) override;
    void drawPolyline(const CanvasPath& points) override;

private:
    struct Operation;

    AsciiGlyphTable& glyphs(CanvasFont font);
    void addText(CanvasPoint topLeft, const std::string& text, const TextExtent& extent);
    void paint(const Operation& operation);
    void paintLine(const Operation& operation);
    const QPen& linePen(const Pen& pen);
    void hideCoveredGlyphs(const Operation& operation, const CoverMask& cover);
    void paintText(const Operation& operation);
    void applyOutline(const Operation& operation);
    void paintShape(const Operation& operation);

    QPainter& m_painter;
    QRectF m_bounds;  // the painter's window, where anything can show
    std::unique_ptr<AsciiGlyphTable> m_labelGlyphs;
    std::unique_ptr<AsciiGlyphTable> m_defaultGlyphs;
    std::vector<Operation> m_operations;
    std::string m_texts;  // the texts of the pending operations, one after another
    std::unique_ptr<bool[]> m_glyphsHidden;         // for each character of m_texts at Flush
    std::vector<QList<QPolygon>> m_shapes;          // the rings of pending polygons and polylines
    std::map<std::array<int, 4>, QPen> m_linePens;  // by width and colour
};

}  // namespace tremolux
