#pragma once

#include <QTextDocumentFragment>
#include <QToolTip>

namespace tremolux::test {

// What a tip reads, as its label lays it out (the visible one unless given):
// markup is rendered, plain text is shown as written.
inline QString ShownToolTip(const QString& text = QToolTip::text())
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QTextDocumentFragment::fromHtml(text).toPlainText().replace(QChar::Nbsp, ' ');
}

}  // namespace tremolux::test
