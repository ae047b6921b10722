#include "gui/dialogs/CDia_Feed.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/feed/FeedChoice.h"
#include "gui/common/Settings.h"
#include "gui/dialogs/DialogButtons.h"

namespace tremolux {

CDia_Feed::CDia_Feed(const QString& address, const QStringList& others, int refreshMinutes,
                     QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Feed"));

    m_comboPreset = new QComboBox(this);
    m_comboPreset->setObjectName("m_comboPreset");
    for (const FeedPreset& preset : FeedPresets())
        m_comboPreset->addItem(QString::fromStdString(preset.label),
                               QString::fromStdString(preset.address));
    m_comboPreset->addItem(tr("Other address or file"), QString());

    m_editAddress = new QLineEdit(address, this);
    m_editAddress->setObjectName("m_editAddress");
    m_editAddress->setMinimumWidth(m_editAddress->fontMetrics().averageCharWidth() * 60);
    m_buttonBrowse = new QPushButton(tr("Browse..."), this);
    m_buttonBrowse->setObjectName("m_buttonBrowse");
    m_editOthers = new QPlainTextEdit(others.join('\n'), this);
    m_editOthers->setObjectName("m_editOthers");
    m_editOthers->setPlaceholderText(tr("Other sources, one address a line, in order of preference"));
    m_editOthers->setFixedHeight(m_editOthers->fontMetrics().lineSpacing() * 4);
    m_labelProblem = new QLabel(this);
    m_labelProblem->setObjectName("m_labelProblem");
    m_labelProblem->setTextFormat(Qt::PlainText);
    m_labelProblem->setWordWrap(true);

    m_comboRefresh = new QComboBox(this);
    m_comboRefresh->setObjectName("m_comboRefresh");
    for (const int minutes : settings::kRefreshChoices) {
        m_comboRefresh->addItem(minutes == 1 ? tr("every minute")
                                             : tr("every %1 minutes").arg(minutes),
                                minutes);
    }
    const int refreshIndex = m_comboRefresh->findData(refreshMinutes);
    m_comboRefresh->setCurrentIndex(
        refreshIndex >= 0 ? refreshIndex
                          : m_comboRefresh->findData(settings::kDefaultRefreshMinutes));

    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(m_editAddress, 1);
    addressRow->addWidget(m_buttonBrowse);
    auto* form = new QFormLayout;
    form->addRow(tr("&Feed:"), m_comboPreset);
    auto* addressLabel = new QLabel(tr("&Address:"), this);
    addressLabel->setBuddy(m_editAddress);
    form->addRow(addressLabel, addressRow);
    auto* othersLabel = new QLabel(tr("Also &read:"), this);
    othersLabel->setBuddy(m_editOthers);
    form->addRow(othersLabel, m_editOthers);
    form->addRow(QString(), m_labelProblem);
    form->addRow(tr("&Reload:"), m_comboRefresh);

    const OkCancelButtons buttons = CreateOkCancelButtons(this);
    m_buttonOk = buttons.ok;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons.row);

    connect(m_comboPreset, &QComboBox::activated, this, &CDia_Feed::OnPresetChosen);
    connect(m_editAddress, &QLineEdit::textChanged, this, &CDia_Feed::OnAddressEdited);
    connect(m_buttonBrowse, &QPushButton::clicked, this, &CDia_Feed::OnBrowse);
    connect(m_editOthers, &QPlainTextEdit::textChanged, this, &CDia_Feed::CheckAddress);
    OnAddressEdited();
}

QString CDia_Feed::Address() const
{
    return m_editAddress->text().trimmed();
}

QStringList CDia_Feed::OtherAddresses() const
{
    QStringList addresses;
    for (const QString& line : m_editOthers->toPlainText().split('\n')) {
        if (!line.trimmed().isEmpty())
            addresses.append(line.trimmed());
    }
    return addresses;
}

int CDia_Feed::RefreshMinutes() const
{
    return m_comboRefresh->currentData().toInt();
}

void CDia_Feed::accept()
{
    if (CheckAddress())
        QDialog::accept();
}

void CDia_Feed::OnPresetChosen(int index)
{
    const QString address = m_comboPreset->itemData(index).toString();
    if (!address.isEmpty())
        m_editAddress->setText(address);
    else
        m_editAddress->setFocus();
}

// The list follows the address: a preset's own address selects it.
void CDia_Feed::OnAddressEdited()
{
    const int preset = m_comboPreset->findData(Address());
    m_comboPreset->setCurrentIndex(preset >= 0 ? preset : m_comboPreset->count() - 1);
    CheckAddress();
}

void CDia_Feed::OnBrowse()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Feed File"), {},
        tr("Quake feeds (*.geojson *.json *.csv *.html *.htm);;All files (*)"));
    if (!path.isEmpty())
        m_editAddress->setText(QUrl::fromLocalFile(path).toString());
}

bool CDia_Feed::CheckAddress()
{
    std::optional<std::string> problem = FeedAddressProblem(Address().toStdString());
    const QStringList lines = m_editOthers->toPlainText().split('\n');
    for (int i = 0; i < lines.size() && !problem; ++i) {
        const QString other = lines[i].trimmed();
        if (other.isEmpty())
            continue;
        if (const auto otherProblem = FeedAddressProblem(other.toStdString()))
            problem = tr("Also read, line %1: ").arg(i + 1).toStdString() + *otherProblem;
    }
    m_labelProblem->setText(problem ? QString::fromStdString(*problem) : QString());
    m_buttonOk->setEnabled(!problem);
    return !problem;
}

}  // namespace tremolux
