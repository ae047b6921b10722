#include "gui/dialogs/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace tremolux {

OkCancelButtons CreateOkCancelButtons(QDialog* dialog)
{
    auto* ok = new QPushButton(QDialog::tr("OK"), dialog);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton(QDialog::tr("Cancel"), dialog);
    cancel->setObjectName("cancelButton");
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel);
    row->addWidget(ok);
    return {row, ok, cancel};
}

}  // namespace tremolux
