#pragma once

#include <string>

#include "core/view/Canvas.h"
#include "core/view/DrawLegend.h"

namespace tremolux {

// The left margin of every legend's text and drawings.
constexpr int kLegendMargin = 8;

// Writes a legend's lines of text one under another, on its background
// rather than the last fill.
class LegendTextColumn {
public:
    LegendTextColumn(Canvas& canvas, const LegendStyle& style, int& y)
        : m_canvas(canvas), m_style(style), m_y(y)
    {
    }
    void Line(const std::string& text, int x = kLegendMargin)
    {
        Put(x, m_y, text);
        m_y += m_style.lineHeight;
    }
    // Text anywhere.
    void Put(int x, int y, const std::string& text)
    {
        m_canvas.SetTextBackground(m_style.background);
        m_canvas.SetTextColor(m_style.text);
        m_canvas.TextOut(x, y, text);
    }

private:
    Canvas& m_canvas;
    const LegendStyle& m_style;
    int& m_y;
};

}  // namespace tremolux
