#pragma once

#include <QFontMetrics>
#include <QString>
#include <QWidget>

namespace tremolux {

// Room for `characters` digits in the widget's own font, plus its frame: the
// field grows with the font and the screen's scale factor.
inline int FieldWidth(const QWidget* widget, int characters)
{
    const QFontMetrics metrics = widget->fontMetrics();
    return metrics.horizontalAdvance(QString(characters, QLatin1Char('0'))) + metrics.height();
}

}  // namespace tremolux
