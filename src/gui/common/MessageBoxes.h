#pragma once

#include <QMessageBox>

namespace tremolux {

// The program's message boxes show their text as plain text: feed, file and
// city texts must never be read as markup.

// A modal box with one OK button.
void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text);
// The same with a second part in plain words below the text (none when empty).
void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                 const QString& detail);

// A Yes/No question with Yes the default.
QMessageBox::StandardButton AskYesNo(QWidget* parent, const QString& text);

}  // namespace tremolux
