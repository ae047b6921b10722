#include "gui/alerts/CDia_Alerts.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "core/alerts/AlertRulesJson.h"
#include "core/cities/CityFile.h"
#include "core/common/RegularFile.h"
#include "gui/alerts/CDia_AlertRule.h"
#include "gui/common/Log.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/WholeFileSave.h"
#include "gui/dialogs/DialogButtons.h"

namespace tremolux {

namespace {

constexpr char kFileFilter[] = "Alert rules (*.json);;All files (*)";

QTime TimeOf(int minute)
{
    return QTime(minute / 60, minute % 60);
}

int MinuteOf(QTime time)
{
    return time.hour() * 60 + time.minute();
}

}  // namespace

CDia_Alerts::CDia_Alerts(const AlertSettings& settings, TestAlert test, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_test(std::move(test))
{
    setWindowTitle(tr("Alerts"));
    m_list = new QListWidget;
    m_list->setMinimumWidth(380);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CDia_Alerts::EditRule);

    auto* buttons = new QVBoxLayout;
    const std::pair<QString, void (CDia_Alerts::*)()> commands[] = {
        {tr("&Add…"), &CDia_Alerts::AddRule},         {tr("&Edit…"), &CDia_Alerts::EditRule},
        {tr("&Remove"), &CDia_Alerts::RemoveRule},    {tr("&Import…"), &CDia_Alerts::ChooseImport},
        {tr("E&xport…"), &CDia_Alerts::ChooseExport},
    };
    for (const auto& [text, command] : commands) {
        auto* button = new QPushButton(text);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, command);
        buttons->addWidget(button);
    }
    auto* testButton = new QPushButton(tr("&Test Alert"));
    testButton->setAutoDefault(false);
    testButton->setToolTip(
        tr("Send a made-up quake near the active window's city through these rules"));
    connect(testButton, &QPushButton::clicked, this, [this] { m_test(Settings()); });
    buttons->addWidget(testButton);
    buttons->addStretch();

    auto* rules = new QHBoxLayout;
    rules->addWidget(m_list);
    rules->addLayout(buttons);

    m_quiet = new QCheckBox(tr("&Quiet hours from"));
    m_quietFrom = new QTimeEdit;
    m_quietTo = new QTimeEdit;
    m_quietMagnitude = new QDoubleSpinBox;
    m_quietMagnitude->setRange(0.0, 10.0);
    m_quietMagnitude->setDecimals(1);
    for (QTimeEdit* edit : {m_quietFrom, m_quietTo})
        edit->setDisplayFormat("HH:mm");
    auto* quiet = new QHBoxLayout;
    quiet->addWidget(m_quiet);
    quiet->addWidget(m_quietFrom);
    quiet->addWidget(new QLabel(tr("to")));
    quiet->addWidget(m_quietTo);
    quiet->addWidget(new QLabel(tr("sound only from magnitude")));
    quiet->addWidget(m_quietMagnitude);
    quiet->addStretch();
    m_sequences = new QCheckBox(tr("Quieter during &sequences: no alert for aftershocks of a "
                                   "quake of M 5.5 or more"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rules);
    layout->addLayout(quiet);
    layout->addWidget(m_sequences);
    layout->addLayout(CreateOkCancelButtons(this).row);
    ShowSettings(settings);
}

void CDia_Alerts::ShowSettings(const AlertSettings& settings)
{
    m_settings = settings;
    m_list->clear();
    auto* tone = new QListWidgetItem(tr("%1, from magnitude %2")
                                         .arg(NewestTone::kName)
                                         .arg(settings.newestTone.minMagnitude, 0, 'f', 1));
    tone->setCheckState(settings.newestTone.enabled ? Qt::Checked : Qt::Unchecked);
    m_list->addItem(tone);
    for (const AlertRule& rule : settings.rules) {
        auto* item = new QListWidgetItem(QString::fromStdString(rule.name));
        item->setCheckState(rule.enabled ? Qt::Checked : Qt::Unchecked);
        m_list->addItem(item);
    }
    m_list->setCurrentRow(0);
    m_quiet->setChecked(settings.quiet.enabled);
    m_quietFrom->setTime(TimeOf(settings.quiet.fromMinute));
    m_quietTo->setTime(TimeOf(settings.quiet.toMinute));
    m_quietMagnitude->setValue(settings.quiet.minMagnitude);
    m_sequences->setChecked(settings.quieterSequences);
}

AlertSettings CDia_Alerts::Settings() const
{
    AlertSettings settings = m_settings;
    settings.newestTone.enabled = m_list->item(0)->checkState() == Qt::Checked;
    for (int i = 0; i < static_cast<int>(settings.rules.size()); ++i)
        settings.rules[i].enabled = m_list->item(i + 1)->checkState() == Qt::Checked;
    settings.quiet.enabled = m_quiet->isChecked();
    settings.quiet.fromMinute = MinuteOf(m_quietFrom->time());
    settings.quiet.toMinute = MinuteOf(m_quietTo->time());
    settings.quiet.minMagnitude = m_quietMagnitude->value();
    settings.quieterSequences = m_sequences->isChecked();
    return settings;
}

void CDia_Alerts::AddRule()
{
    AlertRule rule;
    rule.name = tr("New rule").toStdString();
    rule.minMagnitude = 4.5;
    rule.actions.notify = true;
    CDia_AlertRule editor(rule, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    AlertSettings settings = Settings();
    settings.rules.push_back(editor.Rule());
    ShowSettings(settings);
    m_list->setCurrentRow(m_list->count() - 1);
}

void CDia_Alerts::EditRule()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    AlertSettings settings = Settings();
    if (row == 0) {
        bool ok = false;
        const double magnitude = QInputDialog::getDouble(
            this, NewestTone::kName,
            tr("Sound the tone for a new newest quake from magnitude (0: every one):"),
            settings.newestTone.minMagnitude, 0.0, 10.0, 1, &ok);
        if (!ok)
            return;
        settings.newestTone.minMagnitude = magnitude;
    } else {
        CDia_AlertRule editor(settings.rules[row - 1], this);
        if (editor.exec() != QDialog::Accepted)
            return;
        settings.rules[row - 1] = editor.Rule();
    }
    ShowSettings(settings);
    m_list->setCurrentRow(row);
}

// The tone entry is fixed: it can be switched off, not removed.
void CDia_Alerts::RemoveRule()
{
    const int row = m_list->currentRow();
    if (row < 1)
        return;
    AlertSettings settings = Settings();
    settings.rules.erase(settings.rules.begin() + (row - 1));
    ShowSettings(settings);
    m_list->setCurrentRow(std::min(row, m_list->count() - 1));
}

bool CDia_Alerts::Import(const QString& path)
{
    const Result<std::string> file =
        ReadRegularFile(QFile::encodeName(path).toStdString(), kMaxRulesFileBytes);
    if (!file) {
        const QString why =
            tr("%1: %2").arg(QDir::toNativeSeparators(path), QString::fromStdString(file.error()));
        qCWarning(lcAlerts).noquote() << "the rules could not be read:" << why;
        ShowMessage(this, QMessageBox::Warning, tr("The rules could not be read."), why);
        return false;
    }
    const Result<AlertSettings> reading = ReadAlertSettings(*file, FileRuleLookups(CityFilePath()));
    if (!reading) {
        const QString text =
            tr("The rules of %1 were not taken.").arg(QDir::toNativeSeparators(path));
        qCWarning(lcAlerts).noquote() << text << QString::fromStdString(reading.error());
        ShowMessage(this, QMessageBox::Warning, text, QString::fromStdString(reading.error()));
        return false;
    }
    ShowSettings(*reading);
    return true;
}

bool CDia_Alerts::Export(const QString& path)
{
    const Result<> save = SaveWholeFile(path, WriteAlertSettings(Settings()));
    if (save)
        return true;
    const QString why =
        tr("%1: %2").arg(QDir::toNativeSeparators(path), QString::fromStdString(save.error()));
    qCWarning(lcAlerts).noquote() << "the rules could not be written:" << why;
    ShowMessage(this, QMessageBox::Warning, tr("The rules could not be written."), why);
    return false;
}

void CDia_Alerts::ChooseImport()
{
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Import Alert Rules"), {}, tr(kFileFilter));
    if (!path.isEmpty())
        Import(path);
}

void CDia_Alerts::ChooseExport()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export Alert Rules"),
                                                      tr("alert-rules.json"), tr(kFileFilter));
    if (!path.isEmpty())
        Export(path);
}

}  // namespace tremolux
