#include "gui/dialogs/CDia_City.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/cities/CityEditorLogic.h"
#include "core/cities/CityEntry.h"
#include "gui/common/MessageBoxes.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/dialogs/FieldWidth.h"

namespace tremolux {

namespace {

// A field `characters` wide; 0 lets the layout size it.
QLineEdit* Edit(QWidget* parent, const char* name, int characters)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (characters > 0)
        edit->setFixedWidth(FieldWidth(edit, characters));
    return edit;
}

// An editable list of the numbers 0 to last, each right-aligned to the
// same width so that the list reads in ascending order.
QComboBox* NumberCombo(QWidget* parent, const char* name, int last, int width)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // Completion would turn a typed 5 into the listed 50.
    combo->setCompleter(nullptr);
    for (int value = 0; value <= last; ++value)
        combo->addItem(QStringLiteral("%1").arg(value, width));
    combo->setFixedWidth(FieldWidth(combo, 6));
    return combo;
}

QComboBox* HemisphereCombo(QWidget* parent, const char* name, QStringList entries)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    entries.sort();
    combo->addItems(entries);
    combo->setFixedWidth(FieldWidth(combo, 5));
    return combo;
}

}  // namespace

CDia_City::CDia_City(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("City"));

    auto* group = new QGroupBox(this);
    m_editName = Edit(group, "m_editName", 0);
    m_editLat = Edit(group, "m_editLat", 8);
    m_editLon = Edit(group, "m_editLon", 8);
    m_comboLatDeg = NumberCombo(group, "m_comboLatDeg", 89, 2);
    m_comboLatMin = NumberCombo(group, "m_comboLatMin", 59, 3);
    m_editLatSec = Edit(group, "m_editLatSec", 5);
    m_comboLatHemisphere = HemisphereCombo(group, "m_comboLatHemisphere", {"N", "S"});
    m_comboLonDeg = NumberCombo(group, "m_comboLonDeg", 179, 3);
    m_comboLonMin = NumberCombo(group, "m_comboLonMin", 59, 2);
    m_editLonSec = Edit(group, "m_editLonSec", 5);
    m_comboLonHemisphere = HemisphereCombo(group, "m_comboLonHemisphere", {"W", "O"});
    auto* arrow = new QPushButton(QStringLiteral("<--"), group);
    arrow->setObjectName("arrowButton");
    arrow->setAutoDefault(false);
    arrow->setFixedWidth(FieldWidth(arrow, 3));
    connect(arrow, &QPushButton::clicked, this, &CDia_City::OnBnClickedArrow);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Name:"), group));
    nameRow->addWidget(m_editName, 1);

    // Decimal side, the arrow, then degrees, minutes, seconds and hemisphere.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(new QLabel(tr("Lat:"), group), 1, 0);
    grid->addWidget(m_editLat, 1, 1);
    grid->addWidget(new QLabel(tr("Lon:"), group), 2, 0);
    grid->addWidget(m_editLon, 2, 1);
    grid->addWidget(arrow, 1, 2, 2, 1, Qt::AlignVCenter);
    grid->setColumnMinimumWidth(3, 24);
    grid->addWidget(new QLabel(tr("Lat:"), group), 1, 4);
    grid->addWidget(new QLabel(tr("Lon:"), group), 2, 4);
    static const char* const headings[] = {QT_TR_NOOP("Grad"), QT_TR_NOOP("Min"), QT_TR_NOOP("Sec"),
                                           QT_TR_NOOP("+/-")};
    for (int column = 0; column < 4; ++column)
        grid->addWidget(new QLabel(tr(headings[column]), group), 0, 5 + column);
    QWidget* latRow[] = {m_comboLatDeg, m_comboLatMin, m_editLatSec, m_comboLatHemisphere};
    QWidget* lonRow[] = {m_comboLonDeg, m_comboLonMin, m_editLonSec, m_comboLonHemisphere};
    for (int column = 0; column < 4; ++column) {
        grid->addWidget(latRow[column], 1, 5 + column);
        grid->addWidget(lonRow[column], 2, 5 + column);
    }
    grid->setColumnStretch(3, 1);

    auto* fields = new QVBoxLayout(group);
    fields->addLayout(nameRow);
    fields->addSpacing(12);
    fields->addLayout(grid);

    const auto [buttons, ok, cancel] = CreateOkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    QWidget* tabOrder[] = {m_editName,
                           m_editLat,
                           m_editLon,
                           m_comboLatDeg,
                           m_comboLatMin,
                           m_editLatSec,
                           m_comboLatHemisphere,
                           m_comboLonDeg,
                           m_comboLonMin,
                           m_editLonSec,
                           m_comboLonHemisphere,
                           ok,
                           cancel,
                           arrow};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    resize(560, 210);
    OnInitDialog();
}

// Every field starts empty and no list entry is chosen.
void CDia_City::OnInitDialog()
{
    for (QComboBox* combo : {m_comboLatDeg, m_comboLatMin, m_comboLatHemisphere, m_comboLonDeg,
                             m_comboLonMin, m_comboLonHemisphere}) {
        combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->clearEditText();
    }
    m_editName->setFocus();
}

CityEditorFields CDia_City::Fields() const
{
    CityEditorFields fields;
    fields.name = m_editName->text().toStdString();
    fields.latDecimal = m_editLat->text().toStdString();
    fields.lonDecimal = m_editLon->text().toStdString();
    fields.latDeg = m_comboLatDeg->currentText().toStdString();
    fields.latMin = m_comboLatMin->currentText().toStdString();
    fields.latSec = m_editLatSec->text().toStdString();
    fields.latHemisphere = m_comboLatHemisphere->currentText().toStdString();
    fields.lonDeg = m_comboLonDeg->currentText().toStdString();
    fields.lonMin = m_comboLonMin->currentText().toStdString();
    fields.lonSec = m_editLonSec->text().toStdString();
    fields.lonHemisphere = m_comboLonHemisphere->currentText().toStdString();
    return fields;
}

void CDia_City::OnBnClickedArrow()
{
    CityEditorFields fields = Fields();
    if (const Result<> fill = FillDecimalFields(fields); !fill) {
        ShowMessage(this, QMessageBox::Warning, QString::fromStdString(fill.error()));
        return;
    }
    m_editLat->setText(QString::fromStdString(fields.latDecimal));
    m_editLon->setText(QString::fromStdString(fields.lonDecimal));
}

void CDia_City::accept()
{
    const Result<CityEntry> city = ReadCityEditor(Fields());
    if (!city) {
        ShowMessage(this, QMessageBox::Warning, QString::fromStdString(city.error()));
        return;
    }
    CurrentCity = *city;
    QDialog::accept();
}

}  // namespace tremolux
