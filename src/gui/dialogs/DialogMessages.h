#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace tremolux {

// OK-only warning for a rejected field; the text is shown as plain text.
void ShowFieldWarning(QWidget* parent, const QString& text);

// Yes/No question with Yes the default; the text is shown as plain text.
QMessageBox::StandardButton AskYesNo(QWidget* parent, const QString& text);

}  // namespace tremolux
