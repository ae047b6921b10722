#include "gui/view/MapLabelFont.h"

#include <QFontMetrics>
#include <QRect>

#include <algorithm>
#include <memory>

#include "gui/view/AsciiGlyphTable.h"

namespace tremolux {

// A character cell 12 pixels high: ascent plus descent, as the label boxes
// measure it, not the em size (12 px Arial makes 14 px boxes).
QFont MapLabelFont()
{
    constexpr int kCellHeight = 12;
    QFont font(QStringLiteral("Arial"));
    int size = kCellHeight;
    font.setPixelSize(size);
    while (size > 1) {
        const QFontMetrics metrics(font);
        if (metrics.ascent() + metrics.descent() <= kCellHeight)
            break;
        font.setPixelSize(--size);
    }
    return font;
}

LabelMeasure MapLabelMeasure(const QFont& labelFont, QPaintDevice* device)
{
    auto glyphs = std::make_shared<AsciiGlyphTable>(labelFont, device);
    return [glyphs, device](const std::string& text) {
        int width = 0;
        QRect ink;
        glyphs->MeasureAny(text, device, width, ink);
        return TextExtent{std::max(width, 0), glyphs->height(),
                          {ink.left(), ink.top(), ink.left() + ink.width(), ink.top() + ink.height()}};
    };
}

}  // namespace tremolux
