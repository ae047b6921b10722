#include "gui/view/MapLabelFont.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QRect>
#include <QString>

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

const std::string& ShownLabel(const std::string& text, std::string& cut)
{
    if (text.size() <= kShownLabelMax)
        return text;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            continue;  // inside a character
        if (++characters == kShownLabelMax) {
            cut = text.substr(0, at) + "\u2026";
            return cut;
        }
    }
    return text;
}

LabelMeasure MapLabelMeasure(const QFont& labelFont, QPaintDevice* device)
{
    auto glyphs = std::make_shared<AsciiGlyphTable>(labelFont, device);
    const QString font = QStringLiteral("%1 at %2x%3 dpi")
                             .arg(labelFont.key())
                             .arg(device->logicalDpiX())
                             .arg(device->logicalDpiY());
    return {font.toStdString(), [glyphs, device](const std::string& text) {
                int width = 0;
                QRect ink;
                std::string cut;
                glyphs->MeasureAny(ShownLabel(text, cut), device, width, ink);
                return TextExtent{
                    std::max(width, 0),
                    glyphs->height(),
                    {ink.left(), ink.top(), ink.left() + ink.width(), ink.top() + ink.height()}};
            }};
}

}  // namespace tremolux
