#include "gui/common/MessageBoxes.h"

namespace tremolux {

namespace {

QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, QStringLiteral("Tremolux"), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    Show(parent, icon, text, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton AskYesNo(QWidget* parent, const QString& text)
{
    return Show(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes);
}

}  // namespace tremolux
