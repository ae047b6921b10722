#include "gui/common/PlainText.h"

#include <QStringList>

namespace tremolux {

QString ShownLines(const QString& text)
{
    QStringList lines = text.split('\n');
    for (QString& line : lines) {
        if (line.size() > kShownLineMax)
            line = line.left(kShownLineMax - 1) + QChar(0x2026);
    }
    return lines.join('\n');
}

QString PlainToolTip(const QString& text)
{
    if (text.isEmpty())
        return text;
    return "<p style=\"white-space:pre\">" + text.toHtmlEscaped() + "</p>";
}

}  // namespace tremolux
