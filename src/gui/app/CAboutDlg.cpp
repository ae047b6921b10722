#include "gui/app/CAboutDlg.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "core/feed/FeedPublisher.h"
#include "gui/app/Resources.h"
#include "gui/common/PlainText.h"

namespace tremolux {

namespace {

QLabel* PlainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(const std::string& feedAddress, QWidget* parent) : QDialog(parent)
{
    InitResources();
    setWindowTitle(tr("About Tremolux"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/icons/tremolux.png").pixmap(32, 32));
    auto* text = PlainLabel(tr("Tremolux Version 2.0"), this);

    // A long file path or URL is shortened in the middle; the tip holds it whole.
    const QString publisher = QString::fromStdString(FeedPublisher(feedAddress));
    auto* source = PlainLabel(QString(), this);
    const int widest = source->fontMetrics().averageCharWidth() * 50;
    const QString shown = source->fontMetrics().elidedText(publisher, Qt::ElideMiddle, widest);
    source->setText(tr("Earthquake data: %1").arg(shown));
    if (shown != publisher)
        source->setToolTip(PlainToolTip(tr("Earthquake data: %1").arg(publisher)));

    auto* licence = PlainLabel(tr("Free software under the GNU General Public License,\n"
                                  "version 3 or later, with no warranty."),
                               this);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(text, 0, 1, Qt::AlignTop);
    layout->addWidget(source, 1, 1, Qt::AlignTop);
    layout->addWidget(licence, 2, 1, Qt::AlignTop);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setHorizontalSpacing(16);
    // An explicit minimum replaces the layout's, so it must cover every line.
    setMinimumWidth(std::max(350, layout->minimumSize().width()));
    setFixedHeight(sizeHint().height() + 20);
}

}  // namespace tremolux
