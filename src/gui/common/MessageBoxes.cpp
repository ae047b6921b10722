#include "gui/common/MessageBoxes.h"

#include <QLabel>

namespace tremolux {

namespace {

QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton,
                                 const QString& detail = {})
{
    QMessageBox box(icon, QStringLiteral("Tremolux"), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    if (!detail.isEmpty()) {
        box.setInformativeText(detail);
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setTextFormat(Qt::PlainText);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    Show(parent, icon, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                 const QString& detail)
{
    Show(parent, icon, text, QMessageBox::Ok, QMessageBox::Ok, detail);
}

QMessageBox::StandardButton AskYesNo(QWidget* parent, const QString& text)
{
    return Show(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes);
}

}  // namespace tremolux
