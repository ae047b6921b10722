#pragma once

#include <string>
#include <vector>

namespace tremolux {

// A colour, each channel 0 ... 255.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct CanvasPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

using CanvasPath = std::vector<CanvasPoint>;

// Left, top inclusive; right, bottom exclusive.
struct CanvasRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Solid pens and brushes are plain values: creating one is constructing it,
// deleting it is letting it go out of scope.
struct Pen {
    int width = 1;
    Rgb color{0, 0, 0};
};

struct Brush {
    Rgb color{255, 255, 255};
};

// A text as the canvas that draws it measures it, from its top-left corner:
// the opaque box behind it and every pixel its glyphs may touch.
struct TextExtent {
    int width = 0;
    int height = 0;
    CanvasRect ink;
};

enum class CanvasFont {
    Default,  // the platform's default font
    Label,    // the map window's label font
};

// A surface to paint a map window on, in pixels from its top-left corner, y
// growing downward. It keeps a drawing state like a device context: the
// selected pen outlines and draws lines, the selected brush fills, text goes
// out in the selected font and text colour on an opaque background of the
// last colour filled. A fresh canvas has a black 1-pixel pen, a white brush,
// black text on white and the default font. Coordinates far outside the
// surface are accepted; only the part inside is drawn.
class Canvas {
public:
    virtual ~Canvas() = default;

    // The fill colour also becomes the text background.
    void FillSolidRect(int left, int top, int width, int height, Rgb color);
    // The ellipse inscribed in the rectangle.
    void Ellipse(int left, int top, int right, int bottom);
    // The sector of the ellipse inscribed in the rectangle, from the radial
    // through start anticlockwise on the screen to the radial through end;
    // the full ellipse when the radials coincide.
    void Pie(int left, int top, int right, int bottom, CanvasPoint start, CanvasPoint end);
    void MoveTo(int x, int y);
    // A line from the current position to (x, y), which becomes the current position.
    void LineTo(int x, int y);
    // Each Select returns what it replaces, so the caller can restore it.
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    CanvasFont SelectFont(CanvasFont font);
    Rgb SetTextColor(Rgb color);
    // Text with its top-left corner at (x, y).
    void TextOut(int x, int y, const std::string& text);
    // The same, for a text measured beforehand in the selected font on this
    // kind of canvas: a canvas that would measure it again takes the extent.
    void TextOut(int x, int y, const std::string& text, const TextExtent& extent);
    // The background of later text, until the next fill.
    Rgb SetTextBackground(Rgb color);
    // Closed rings filled together with the brush, even-odd (a ring inside
    // another makes a hole), each outlined with the pen. Rings of fewer than
    // three points are left out.
    void Polygon(const std::vector<CanvasPath>& rings);
    // Open lines through the points with the pen; the current position stays.
    void Polyline(const CanvasPath& points);
    // Ends the paint: a canvas may hold its operations back until then.
    virtual void Flush() {}

protected:
    const Pen& pen() const { return m_pen; }
    const Brush& brush() const { return m_brush; }
    CanvasFont font() const { return m_font; }
    Rgb textColor() const { return m_textColor; }
    Rgb textBackground() const { return m_textBackground; }

    virtual void fillRect(int left, int top, int width, int height, Rgb color) = 0;
    virtual void drawEllipse(const CanvasRect& rect) = 0;
    virtual void drawPie(const CanvasRect& rect, CanvasPoint start, CanvasPoint end) = 0;
    virtual void drawLine(CanvasPoint from, CanvasPoint to) = 0;
    virtual void drawText(CanvasPoint topLeft, const std::string& text) = 0;
    virtual void drawMeasuredText(CanvasPoint topLeft, const std::string& text, const TextExtent&)
    {
        drawText(topLeft, text);
    }
    virtual void drawPolygon(const std::vector<CanvasPath>& rings) = 0;
    virtual void drawPolyline(const CanvasPath& points) = 0;

private:
    Pen m_pen;
    Brush m_brush;
    CanvasFont m_font = CanvasFont::Default;
    Rgb m_textColor{0, 0, 0};
    Rgb m_textBackground{255, 255, 255};
    CanvasPoint m_position;
};

}  // namespace tremolux
