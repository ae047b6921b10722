#include "gui/app/CAboutDlg.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "gui/app/Resources.h"

namespace tremolux {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    InitResources();
    setWindowTitle(tr("About Tremolux"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/icons/tremolux.png").pixmap(32, 32));
    auto* text = new QLabel(tr("Tremolux Version 2.0"), this);
    text->setTextFormat(Qt::PlainText);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(text, 0, 1, Qt::AlignTop);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setHorizontalSpacing(16);
    setMinimumWidth(350);
    setFixedHeight(sizeHint().height() + 20);
}

}  // namespace tremolux
