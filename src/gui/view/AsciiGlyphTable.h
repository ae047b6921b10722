#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QRect>

#include <array>
#include <string_view>

class QPaintDevice;

namespace tremolux {

// Glyph index, whole-pixel advance and ink of each printable ASCII character
// of a font, looked up once. Text made only of those is placed glyph by glyph
// as a device context places it, without the cost of shaping; anything else
// goes through the full text engine.
class AsciiGlyphTable {
public:
    AsciiGlyphTable(const QFont& font, QPaintDevice* device);

    const QFont& font() const { return m_font; }
    int ascent() const { return m_ascent; }
    int height() const { return m_height; }

    // The advance width of the text and the ink of its glyphs relative to its
    // top-left corner. False when a character is not in the table.
    bool Measure(std::string_view text, int& width, QRect& ink);

    // Measure, or for text it does not accept the full text engine's advance
    // and ink on device. True when Measure accepted the text.
    bool MeasureAny(std::string_view text, QPaintDevice* device, int& width, QRect& ink);

    // Calls visit(i, ink) with the ink of the glyph of each character i of
    // the text, inclusive, from the text's top-left corner; false when a
    // character is not in the table.
    template <class Visit>
    bool EachInk(std::string_view text, Visit&& visit)
    {
        int x = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const Glyph* glyph = find(text[i]);
            if (!glyph)
                return false;
            visit(i, QRect(QPoint(x + glyph->ink.left, m_ascent + glyph->ink.top),
                           QPoint(x + glyph->ink.right, m_ascent + glyph->ink.bottom)));
            x += glyph->advance;
        }
        return true;
    }

    // The glyphs of the text placed from its baseline origin, but for those
    // whose character has a true in left out (nothing of them would show);
    // false when a character is not in the table.
    bool Run(std::string_view text, const bool* leftOut, QGlyphRun& run);

private:
    struct Glyph {
        bool looked = false;
        bool usable = false;
        quint32 index = 0;
        int advance = 0;
        struct {
            int left, top, right, bottom;  // inclusive, from the glyph's baseline origin
        } ink{};
    };

    // Every character of every label goes through here.
    const Glyph* find(char c)
    {
        const auto code = static_cast<unsigned char>(c);
        if (code >= m_table.size())
            return nullptr;
        Glyph& glyph = m_table[code];
        if (!glyph.looked)
            lookUp(glyph, c);
        return glyph.usable ? &glyph : nullptr;
    }
    void lookUp(Glyph& glyph, char c);

    QFont m_font;
    QRawFont m_raw;
    int m_ascent = 0;
    int m_height = 0;
    std::array<Glyph, 128> m_table;
};

}  // namespace tremolux
