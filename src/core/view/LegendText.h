#pragma once

#include <functional>
#include <initializer_list>
#include <string>

#include "core/view/Canvas.h"
#include "core/view/DrawLegend.h"

namespace tremolux {

// The left margin of every legend's text and drawings.
constexpr int kLegendMargin = 8;
// The space between a legend's sections.
constexpr int kLegendSectionGap = 12;

// A legend section drawn from its top y; it moves y past what it drew.
using LegendSection = std::function<void(int& y)>;

// Draws a legend's sections one under another in the default font, inside the
// margins, and returns the height they took.
inline int DrawLegendSections(Canvas& canvas, std::initializer_list<LegendSection> sections)
{
    const CanvasFont oldFont = canvas.SelectFont(CanvasFont::Default);
    int y = kLegendMargin;
    bool first = true;
    for (const LegendSection& section : sections) {
        if (!first)
            y += kLegendSectionGap;
        first = false;
        section(y);
    }
    canvas.SelectFont(oldFont);
    canvas.Flush();
    return y + kLegendMargin;
}

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
