#include "gui/dialogs/CDia_Parameters.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/common/DisplaySettings.h"
#include "core/view/ParametersLogic.h"
#include "gui/common/MessageBoxes.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/dialogs/FieldWidth.h"

namespace tremolux {

namespace {

// Typing accepts digits only; text set otherwise (or pasted past the
// validator) is still read by the atoi rules at OK.
QLineEdit* NumberEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignCenter);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setFixedWidth(FieldWidth(edit, 5));
    return edit;
}

}  // namespace

CDia_Parameters::CDia_Parameters(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Parameters"));

    auto* group = new QGroupBox(tr("Quakes"), this);
    m_editHours = NumberEdit(group, "m_editHours");
    m_editNearest = NumberEdit(group, "m_editNearest");
    m_editPie = NumberEdit(group, "m_editPie");
    m_checkTexts = new QCheckBox(tr("draw Texts"), group);
    m_checkTexts->setObjectName("m_checkTexts");

    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(12);
    const struct {
        const char* label;
        QLineEdit* edit;
        const char* unit;
    } rows[] = {
        {"show last:", m_editHours, "hours"},
        {"show nearest:", m_editNearest, "km"},
        {"draw Pie near:", m_editPie, "km"},
    };
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(new QLabel(tr(r.label), group), row, 0);
        grid->addWidget(r.edit, row, 1);
        grid->addWidget(new QLabel(tr(r.unit), group), row, 2);
        ++row;
    }
    grid->addWidget(m_checkTexts, row, 1, 1, 2);
    grid->setColumnStretch(2, 1);

    const auto [buttons, ok, cancel] = CreateOkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(buttons);

    setTabOrder(m_editHours, m_editNearest);
    setTabOrder(m_editNearest, m_editPie);
    setTabOrder(m_editPie, m_checkTexts);
    setTabOrder(m_checkTexts, ok);
    setTabOrder(ok, cancel);

    resize(260, 220);
}

// The owner fills SettingsTransfer between creating the dialog and running
// it, so the fields are set when the dialog is shown.
void CDia_Parameters::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        OnInitDialog();
    QDialog::showEvent(event);
}

void CDia_Parameters::OnInitDialog()
{
    const ParametersForm form = ParametersFormFrom(SettingsTransfer);
    m_checkTexts->setChecked(form.drawTexts);
    m_editHours->setText(QString::fromStdString(form.hours));
    m_editNearest->setText(QString::fromStdString(form.nearest));
    m_editPie->setText(QString::fromStdString(form.pie));
    m_editHours->setFocus();
}

void CDia_Parameters::accept()
{
    OnBnClickedOk();
}

void CDia_Parameters::OnBnClickedOk()
{
    ParametersForm form;
    form.drawTexts = m_checkTexts->isChecked();
    form.hours = m_editHours->text().toStdString();
    form.nearest = m_editNearest->text().toStdString();
    form.pie = m_editPie->text().toStdString();
    if (const auto message = ApplyParametersForm(form, SettingsTransfer)) {
        ShowMessage(this, QMessageBox::Warning, QString::fromStdString(*message));
        return;
    }
    QDialog::accept();
}

}  // namespace tremolux
