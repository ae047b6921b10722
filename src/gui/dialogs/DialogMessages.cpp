#include "gui/dialogs/DialogMessages.h"

namespace tremolux {

namespace {

const char* const TITLE = "Tremolux";

}  // namespace

void ShowFieldWarning(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, TITLE, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QMessageBox::StandardButton AskYesNo(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, TITLE, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace tremolux
