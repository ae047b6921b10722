#include "gui/view/AsciiGlyphTable.h"

#include <QFontMetrics>
#include <QList>
#include <QPointF>

#include <algorithm>

namespace tremolux {

namespace {

bool IsPrintableAscii(char c)
{
    return c >= 0x20 && c < 0x7f;
}

}  // namespace

AsciiGlyphTable::AsciiGlyphTable(const QFont& font, QPaintDevice* device)
    : m_font(font), m_raw(QRawFont::fromFont(m_font))
{
    m_font.setKerning(false);
    const QFontMetrics metrics(m_font, device);
    m_ascent = metrics.ascent();
    m_height = metrics.ascent() + metrics.descent();
}

bool AsciiGlyphTable::Measure(std::string_view text, int& width, QRect& ink)
{
    int left = 0, top = 0, right = 0, bottom = 0;
    width = 0;
    for (char c : text) {
        const Glyph* glyph = find(c);
        if (!glyph)
            return false;
        left = std::min(left, width + glyph->ink.left);
        top = std::min(top, glyph->ink.top);
        right = std::max(right, width + glyph->ink.right);
        bottom = std::max(bottom, glyph->ink.bottom);
        width += glyph->advance;
    }
    ink = QRect(QPoint(left, top + m_ascent), QPoint(right, bottom + m_ascent));
    return true;
}

bool AsciiGlyphTable::MeasureAny(std::string_view text, QPaintDevice* device, int& width,
                                 QRect& ink)
{
    if (Measure(text, width, ink))
        return true;
    const QFontMetrics metrics(m_font, device);
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    width = metrics.horizontalAdvance(qtext);
    ink = metrics.boundingRect(qtext).translated(0, m_ascent).adjusted(-1, -1, 1, 1);
    return false;
}

bool AsciiGlyphTable::Run(std::string_view text, const bool* leftOut, QGlyphRun& run)
{
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(static_cast<qsizetype>(text.size()));
    positions.reserve(static_cast<qsizetype>(text.size()));
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph* glyph = find(text[i]);
        if (!glyph)
            return false;
        if (!leftOut[i]) {
            indexes.append(glyph->index);
            positions.append(QPointF(x, 0));
        }
        x += glyph->advance;
    }
    run.setRawFont(m_raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    return true;
}

void AsciiGlyphTable::lookUp(Glyph& glyph, char c)
{
    glyph.looked = true;
    if (!IsPrintableAscii(c))
        return;
    const QChar character(static_cast<char16_t>(c));
    int count = 1;
    if (m_raw.isValid() && m_raw.glyphIndexesForChars(&character, 1, &glyph.index, &count)
        && count == 1 && (glyph.index != 0 || c == ' ')) {
        QPointF advance;
        m_raw.advancesForGlyphIndexes(&glyph.index, &advance, 1);
        glyph.advance = qRound(advance.x());
        // One pixel around the outline for the edge of antialiased glyphs.
        const QRect outline =
            m_raw.boundingRect(glyph.index).toAlignedRect().adjusted(-1, -1, 1, 1);
        glyph.ink = {outline.left(), outline.top(), outline.right(), outline.bottom()};
        glyph.usable = true;
    }
}

}  // namespace tremolux
