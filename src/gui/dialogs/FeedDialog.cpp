#include "gui/dialogs/FeedDialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/common/RegularFile.h"
#include "core/feed/FeedChoice.h"
#include "gui/common/Settings.h"
#include "gui/dialogs/DialogButtons.h"

namespace tremolux {

namespace {

constexpr int kAgencyRole = Qt::UserRole + 1;
constexpr double kDefaultMinimumMagnitude = 2.5;

// Why a local file cannot be read as a feed: a directory, a FIFO or a device
// would be refused at every start, a FIFO after blocking a plain reader.
Result<> CheckLocalFile(const QString& address)
{
    const QUrl url(address);
    const bool fileUrl = url.scheme().compare("file", Qt::CaseInsensitive) == 0;
    if (!fileUrl && address.contains("://"))
        return {};
    const QString path = fileUrl ? url.toLocalFile() : address;
    std::string kind = SpecialFileKind(path.toStdString());
    if (kind.empty() && QFileInfo(path).isDir())
        kind = "it is a directory, not a file";
    if (kind.empty())
        return {};
    return Failure{path.toStdString() + " cannot be read as a feed: " + kind + "."};
}

}  // namespace

FeedDialog::FeedDialog(const QString& address, const QStringList& others, int refreshMinutes,
                       OleDate now, QWidget* parent)
    : QDialog(parent), m_now(now)
{
    setWindowTitle(tr("Feed"));

    m_comboPreset = new QComboBox(this);
    m_comboPreset->setObjectName("m_comboPreset");
    for (const FeedPreset& preset : FeedPresets())
        m_comboPreset->addItem(QString::fromStdString(preset.label),
                               QString::fromStdString(preset.address));
    const std::vector<FdsnAgency>& agencies = FdsnAgencies();
    for (int i = 0; i < static_cast<int>(agencies.size()); ++i) {
        m_comboPreset->addItem(
            tr("Last 7 days (%1 FDSN event service)")
                .arg(QString::fromStdString(agencies[static_cast<std::size_t>(i)].name)));
        m_comboPreset->setItemData(m_comboPreset->count() - 1, i, kAgencyRole);
    }
    m_comboPreset->addItem(tr("Other address or file"), QString());
    m_spinMinimum = new QDoubleSpinBox(this);
    m_spinMinimum->setObjectName("m_spinMinimum");
    m_spinMinimum->setRange(0.0, 9.0);
    m_spinMinimum->setDecimals(1);
    m_spinMinimum->setSingleStep(0.5);
    m_spinMinimum->setValue(kDefaultMinimumMagnitude);
    m_spinMinimum->setToolTip(tr("The smallest quakes an FDSN query asks for"));

    m_editAddress = new QLineEdit(address, this);
    m_editAddress->setObjectName("m_editAddress");
    m_editAddress->setMinimumWidth(m_editAddress->fontMetrics().averageCharWidth() * 60);
    m_buttonBrowse = new QPushButton(tr("Browse..."), this);
    m_buttonBrowse->setObjectName("m_buttonBrowse");
    m_editOthers = new QPlainTextEdit(others.join('\n'), this);
    m_editOthers->setObjectName("m_editOthers");
    m_editOthers->setPlaceholderText(
        tr("Other sources, one address a line, in order of preference"));
    m_editOthers->setFixedHeight(m_editOthers->fontMetrics().lineSpacing() * 4);
    m_buttonPush = new QPushButton(tr("Add EMSC realtime (push)"), this);
    m_buttonPush->setObjectName("m_buttonPush");
    m_buttonPush->setToolTip(tr("Also read the events EMSC pushes as it locates them"));
    m_labelProblem = new QLabel(this);
    m_labelProblem->setObjectName("m_labelProblem");
    m_labelProblem->setTextFormat(Qt::PlainText);
    m_labelProblem->setWordWrap(true);

    m_comboRefresh = new QComboBox(this);
    m_comboRefresh->setObjectName("m_comboRefresh");
    for (const int minutes : settings::kRefreshChoices) {
        m_comboRefresh->addItem(
            minutes == 1 ? tr("every minute") : tr("every %1 minutes").arg(minutes), minutes);
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
    form->addRow(tr("&Minimum magnitude:"), m_spinMinimum);
    auto* addressLabel = new QLabel(tr("&Address:"), this);
    addressLabel->setBuddy(m_editAddress);
    form->addRow(addressLabel, addressRow);
    auto* othersLabel = new QLabel(tr("Also &read:"), this);
    othersLabel->setBuddy(m_editOthers);
    form->addRow(othersLabel, m_editOthers);
    form->addRow(QString(), m_buttonPush);
    form->addRow(QString(), m_labelProblem);
    form->addRow(tr("&Reload:"), m_comboRefresh);

    const OkCancelButtons buttons = CreateOkCancelButtons(this);
    m_buttonOk = buttons.ok;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons.row);

    connect(m_comboPreset, &QComboBox::activated, this, &FeedDialog::OnPresetChosen);
    connect(m_editAddress, &QLineEdit::textChanged, this, &FeedDialog::OnAddressEdited);
    connect(m_buttonBrowse, &QPushButton::clicked, this, &FeedDialog::OnBrowse);
    connect(m_editOthers, &QPlainTextEdit::textChanged, this, &FeedDialog::CheckAddress);
    connect(m_spinMinimum, &QDoubleSpinBox::valueChanged, this, &FeedDialog::OnMinimumChanged);
    connect(m_buttonPush, &QPushButton::clicked, this, &FeedDialog::OnAddPush);
    OnAddressEdited();
}

QString FeedDialog::Address() const
{
    return m_editAddress->text().trimmed();
}

QStringList FeedDialog::OtherAddresses() const
{
    QStringList addresses;
    for (const QString& line : m_editOthers->toPlainText().split('\n')) {
        if (!line.trimmed().isEmpty())
            addresses.append(line.trimmed());
    }
    return addresses;
}

int FeedDialog::RefreshMinutes() const
{
    return m_comboRefresh->currentData().toInt();
}

void FeedDialog::accept()
{
    if (CheckAddress())
        QDialog::accept();
}

int FeedDialog::ChosenAgency() const
{
    bool isAgency = false;
    const int agency = m_comboPreset->currentData(kAgencyRole).toInt(&isAgency);
    return isAgency ? agency : -1;
}

void FeedDialog::OnPresetChosen(int index)
{
    bool isAgency = false;
    const int agency = m_comboPreset->itemData(index, kAgencyRole).toInt(&isAgency);
    const QString address =
        isAgency ? QString::fromStdString(FdsnQueryAddress(
            FdsnAgencies()[static_cast<std::size_t>(agency)], m_now, m_spinMinimum->value()))
                 : m_comboPreset->itemData(index).toString();
    if (!address.isEmpty())
        m_editAddress->setText(address);
    else
        m_editAddress->setFocus();
}

// The list follows the address: a preset's own address selects it, as does
// any query of an agency's FDSN service.
void FeedDialog::OnAddressEdited()
{
    int preset = m_comboPreset->findData(Address());
    const std::vector<FdsnAgency>& agencies = FdsnAgencies();
    for (int i = 0; i < static_cast<int>(agencies.size()) && preset < 0; ++i) {
        if (Address().startsWith(QString::fromStdString(agencies[static_cast<std::size_t>(i)].query)
                                 + '?'))
            preset = m_comboPreset->findData(i, kAgencyRole);
    }
    m_comboPreset->setCurrentIndex(preset >= 0 ? preset : m_comboPreset->count() - 1);
    m_spinMinimum->setEnabled(ChosenAgency() >= 0);
    CheckAddress();
}

void FeedDialog::OnMinimumChanged()
{
    if (ChosenAgency() >= 0)
        OnPresetChosen(m_comboPreset->currentIndex());
}

// Offered once: a second connection to the same service would only repeat it.
void FeedDialog::OnAddPush()
{
    if (OtherAddresses().contains(kEmscPushAddress))
        return;
    QString text = m_editOthers->toPlainText();
    if (!text.isEmpty() && !text.endsWith('\n'))
        text += '\n';
    m_editOthers->setPlainText(text + kEmscPushAddress);
}

void FeedDialog::OnBrowse()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Feed File"), {},
        tr("Quake feeds (*.geojson *.json *.csv *.txt *.html *.htm);;All files (*)"));
    if (!path.isEmpty())
        m_editAddress->setText(QUrl::fromLocalFile(path).toString());
}

bool FeedDialog::CheckAddress()
{
    Result<> check = CheckFeedAddress(Address().toStdString());
    if (check)
        check = CheckLocalFile(Address());
    const QStringList lines = m_editOthers->toPlainText().split('\n');
    for (int i = 0; i < lines.size() && check; ++i) {
        const QString other = lines[i].trimmed();
        if (other.isEmpty())
            continue;
        Result<> otherCheck = CheckOtherSource(other.toStdString());
        if (otherCheck)
            otherCheck = CheckLocalFile(other);
        if (!otherCheck)
            check =
                Failure{tr("Also read, line %1: ").arg(i + 1).toStdString() + otherCheck.error()};
    }
    m_labelProblem->setText(check ? QString() : QString::fromStdString(check.error()));
    m_buttonOk->setEnabled(check.ok());
    return check.ok();
}

}  // namespace tremolux
