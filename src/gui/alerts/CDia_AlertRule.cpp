#include "gui/alerts/CDia_AlertRule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/alerts/AlertRulesJson.h"
#include "core/cities/CityFile.h"
#include "gui/common/MessageBoxes.h"
#include "gui/dialogs/DialogButtons.h"

namespace tremolux {

namespace {

constexpr const char* kIntensityLevels[] = {"II", "III", "IV", "V", "VI", "VII", "VIII"};
constexpr int kLeastLevel = 2;

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets)
{
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    row->addStretch();
    return row;
}

// The argument list as one line that QProcess::splitCommand reads back:
// arguments with spaces or quotes in quotes, a quote inside as three.
QString CommandText(const std::vector<std::string>& command)
{
    QStringList parts;
    for (const std::string& argument : command) {
        QString part = QString::fromStdString(argument);
        if (part.isEmpty() || part.contains(' ') || part.contains('"') || part.contains('\t'))
            part = '"' + part.replace('"', QStringLiteral("\"\"\"")) + '"';
        parts << part;
    }
    return parts.join(' ');
}

}  // namespace

CDia_AlertRule::CDia_AlertRule(const AlertRule& rule, QWidget* parent)
    : QDialog(parent), m_rule(rule)
{
    setWindowTitle(tr("Alert Rule"));
    m_name = new QLineEdit(QString::fromStdString(rule.name));
    m_place = new QComboBox;
    m_place->addItems({tr("Anywhere"), tr("Near the city"), tr("Near any map window's city")});
    m_place->setCurrentIndex(static_cast<int>(rule.place));
    m_city = new QLineEdit(QString::fromStdString(rule.cityName));
    m_withinKm = new QDoubleSpinBox;
    m_withinKm->setRange(0.0, 20038.0);
    m_withinKm->setDecimals(0);
    m_withinKm->setSuffix(tr(" km"));
    m_withinKm->setSpecialValueText(tr("any distance"));
    m_withinKm->setValue(rule.withinKm.value_or(0.0));
    m_useMagnitude = new QCheckBox(tr("Magnitude at least"));
    m_useMagnitude->setChecked(rule.minMagnitude.has_value());
    m_magnitude = new QDoubleSpinBox;
    m_magnitude->setRange(0.0, 10.0);
    m_magnitude->setDecimals(1);
    m_magnitude->setValue(rule.minMagnitude.value_or(4.5));
    m_useFelt = new QCheckBox(tr("Probably felt at the city: intensity at least"));
    m_useFelt->setChecked(rule.feltIntensity.has_value());
    m_felt = new QComboBox;
    for (const char* level : kIntensityLevels)
        m_felt->addItem(level);
    m_felt->setCurrentIndex(static_cast<int>(rule.feltIntensity.value_or(3.0)) - kLeastLevel);
    m_onNew = new QCheckBox(tr("New"));
    m_onNew->setChecked(rule.onNew);
    m_onRevised = new QCheckBox(tr("Revised upward"));
    m_onRevised->setChecked(rule.onRevised);
    m_onRetracted = new QCheckBox(tr("Retracted"));
    m_onRetracted->setChecked(rule.onRetracted);
    m_sound = new QCheckBox(tr("Tone"));
    m_sound->setChecked(rule.actions.sound);
    m_nearTone = new QCheckBox(tr("Higher \"near\" pitch"));
    m_nearTone->setChecked(rule.actions.nearTone);
    m_notify = new QCheckBox(tr("Desktop notification"));
    m_notify->setChecked(rule.actions.notify);
    m_front = new QCheckBox(tr("Bring the window to the front"));
    m_front->setChecked(rule.actions.front);
    m_command = new QLineEdit(CommandText(rule.actions.command));
    m_command->setPlaceholderText(
        tr("program and arguments: {id} {mag} {place} {km} {city} {url}"));
    m_timeout = new QSpinBox;
    m_timeout->setRange(1, 3600);
    m_timeout->setSuffix(tr(" s"));
    m_timeout->setValue(rule.actions.commandTimeoutSeconds);
    m_logFile = new QLineEdit(QString::fromStdString(rule.actions.logFile));
    m_logFile->setPlaceholderText(tr("a file to append a JSON line to"));

    auto* form = new QFormLayout;
    form->addRow(tr("&Name:"), m_name);
    form->addRow(tr("&Where:"), m_place);
    form->addRow(tr("&City:"), m_city);
    form->addRow(tr("Wi&thin:"), m_withinKm);
    form->addRow(tr("What:"), Row({m_useMagnitude, m_magnitude}));
    form->addRow(QString(), Row({m_useFelt, m_felt}));
    form->addRow(tr("Changes:"), Row({m_onNew, m_onRevised, m_onRetracted}));
    form->addRow(tr("Actions:"), Row({m_sound, m_nearTone, m_notify, m_front}));
    form->addRow(tr("Co&mmand:"), m_command);
    form->addRow(tr("Time &limit:"), m_timeout);
    form->addRow(tr("&Log file:"), m_logFile);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(CreateOkCancelButtons(this).row);
}

AlertRule CDia_AlertRule::FromFields() const
{
    AlertRule rule;
    rule.enabled = m_rule.enabled;
    rule.name = m_name->text().trimmed().toStdString();
    rule.place = static_cast<AlertRule::Place>(m_place->currentIndex());
    if (rule.place == AlertRule::Place::City)
        rule.cityName = m_city->text().trimmed().toStdString();
    if (m_withinKm->value() > 0.0)
        rule.withinKm = m_withinKm->value();
    if (m_useMagnitude->isChecked())
        rule.minMagnitude = m_magnitude->value();
    if (m_useFelt->isChecked())
        rule.feltIntensity = m_felt->currentIndex() + kLeastLevel;
    rule.onNew = m_onNew->isChecked();
    rule.onRevised = m_onRevised->isChecked();
    rule.onRetracted = m_onRetracted->isChecked();
    rule.actions.sound = m_sound->isChecked() || m_nearTone->isChecked();
    rule.actions.nearTone = m_nearTone->isChecked();
    rule.actions.notify = m_notify->isChecked();
    rule.actions.front = m_front->isChecked();
    for (const QString& part : QProcess::splitCommand(m_command->text()))
        rule.actions.command.push_back(part.toStdString());
    rule.actions.commandTimeoutSeconds = m_timeout->value();
    rule.actions.logFile = m_logFile->text().trimmed().toStdString();
    return rule;
}

// The rule goes through the same reading as an imported file, so what the
// dialog accepts is exactly what a file may hold.
void CDia_AlertRule::accept()
{
    AlertSettings one;
    one.rules = {FromFields()};
    const Result<AlertSettings> reading =
        ReadAlertSettings(WriteAlertSettings(one), FileRuleLookups(CityFilePath()));
    if (!reading) {
        ShowMessage(this, QMessageBox::Warning, QString::fromStdString(reading.error()));
        return;
    }
    m_rule = reading->rules.front();
    QDialog::accept();
}

}  // namespace tremolux
