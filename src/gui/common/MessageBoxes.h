#pragma once

#include <QMessageBox>

namespace tremolux {

// A modal box with one OK button and the text shown as plain text: feed and
// file texts must never be read as markup.
void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text);

}  // namespace tremolux
