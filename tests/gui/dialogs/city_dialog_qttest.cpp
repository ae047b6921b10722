#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include "core/cities/CityEntry.h"
#include "gui/dialogs/CDia_City.h"
#include "gui/dialogs/ModalDriver.h"

using namespace tremolux;
using tremolux::test::TypeText;
using tremolux::test::WhenModal;

namespace {

QLineEdit* Edit(QDialog* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(name);
}

QComboBox* Combo(QDialog* dialog, const char* name)
{
    return dialog->findChild<QComboBox*>(name);
}

QPushButton* Button(QDialog* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(name);
}

QStringList Entries(QComboBox* combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

void Choose(QComboBox* combo, const QString& text)
{
    if (combo->isEditable())
        combo->setEditText(text);
    else
        combo->setCurrentIndex(combo->findText(text));
}

CityEntry Marker()
{
    CityEntry city;
    city.name = "Marker";
    city.position.latDecimal = 1.5;
    city.position.lonDecimal = 2.5;
    return city;
}

}  // namespace

TEST(CityDialog, OpensEmptyWithItsNumberAndHemisphereLists)
{
    CDia_City dialog;
    WhenModal<CDia_City>([](CDia_City* shown) {
        EXPECT_EQ(shown->windowTitle(), "City");
        for (const char* name :
             {"m_editName", "m_editLat", "m_editLon", "m_editLatSec", "m_editLonSec"})
            EXPECT_TRUE(Edit(shown, name)->text().isEmpty()) << name;
        for (const char* name : {"m_comboLatDeg", "m_comboLatMin", "m_comboLatHemisphere",
                                 "m_comboLonDeg", "m_comboLonMin", "m_comboLonHemisphere"}) {
            EXPECT_EQ(Combo(shown, name)->currentIndex(), -1) << name;
            EXPECT_TRUE(Combo(shown, name)->currentText().isEmpty()) << name;
        }

        const QStringList latDeg = Entries(Combo(shown, "m_comboLatDeg"));
        ASSERT_EQ(latDeg.size(), 90);
        EXPECT_EQ(latDeg.first(), " 0");
        EXPECT_EQ(latDeg.last(), "89");
        const QStringList latMin = Entries(Combo(shown, "m_comboLatMin"));
        ASSERT_EQ(latMin.size(), 60);
        EXPECT_EQ(latMin.first(), "  0");
        EXPECT_EQ(latMin.last(), " 59");
        const QStringList lonDeg = Entries(Combo(shown, "m_comboLonDeg"));
        ASSERT_EQ(lonDeg.size(), 180);
        EXPECT_EQ(lonDeg[9], "  9");
        EXPECT_EQ(lonDeg.last(), "179");
        const QStringList lonMin = Entries(Combo(shown, "m_comboLonMin"));
        ASSERT_EQ(lonMin.size(), 60);
        EXPECT_EQ(lonMin.first(), " 0");
        for (const QStringList& list : {latDeg, latMin, lonDeg, lonMin}) {
            QStringList sorted = list;
            sorted.sort();
            EXPECT_EQ(list, sorted);
        }
        EXPECT_EQ(Entries(Combo(shown, "m_comboLatHemisphere")), QStringList({"N", "S"}));
        EXPECT_EQ(Entries(Combo(shown, "m_comboLonHemisphere")), QStringList({"O", "W"}));
        EXPECT_FALSE(Combo(shown, "m_comboLatHemisphere")->isEditable());
        EXPECT_TRUE(Combo(shown, "m_comboLatDeg")->isEditable());

        EXPECT_EQ(shown->focusWidget(), Edit(shown, "m_editName"));
        EXPECT_TRUE(Button(shown, "okButton")->isDefault());
        Button(shown, "cancelButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

TEST(CityDialog, ArrowFillsTheDecimalsAndOkLeavesTheCityInTheCurrentCity)
{
    CurrentCity = Marker();
    CDia_City dialog;
    WhenModal<CDia_City>([](CDia_City* shown) {
        Edit(shown, "m_editName")->setText("Tokyo Tower");
        Choose(Combo(shown, "m_comboLatDeg"), "35");
        Choose(Combo(shown, "m_comboLatMin"), " 39");
        Edit(shown, "m_editLatSec")->setText("31");
        Choose(Combo(shown, "m_comboLatHemisphere"), "N");
        Choose(Combo(shown, "m_comboLonDeg"), "139");
        Choose(Combo(shown, "m_comboLonMin"), "44");
        Edit(shown, "m_editLonSec")->setText("43");
        Choose(Combo(shown, "m_comboLonHemisphere"), "O");
        Button(shown, "arrowButton")->click();
        EXPECT_EQ(Edit(shown, "m_editLat")->text(), "35.658611");
        EXPECT_EQ(Edit(shown, "m_editLon")->text(), "139.745278");
        EXPECT_EQ(CurrentCity.name, "Marker");  // nothing handed on before OK
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(CurrentCity.name, "Tokyo Tower");
    EXPECT_NEAR(CurrentCity.position.latDecimal, 35.65861111, 1e-8);
    EXPECT_NEAR(CurrentCity.position.lonDecimal, 139.74527778, 1e-8);
    EXPECT_EQ(CurrentCity.position.latSec, 31.0);
    EXPECT_EQ(CurrentCity.position.north, 1);
}

TEST(CityDialog, RejectedFieldKeepsTheEditorOpenAndCancelChangesNothing)
{
    CurrentCity = Marker();
    CDia_City dialog;
    QString warning;
    bool stillOpen = false;
    WhenModal<CDia_City>([&](CDia_City* shown) {
        Edit(shown, "m_editName")->setText("North Pole");
        Edit(shown, "m_editLat")->setText("90");
        Edit(shown, "m_editLon")->setText("0");
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            warning = box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            box->button(QMessageBox::Ok)->click();
        });
        Button(shown, "okButton")->click();
        stillOpen = QApplication::activeModalWidget() == shown;
        Button(shown, "cancelButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(warning, "Latitude must be inside -90 ... 90 degrees (90 excluded)");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(CurrentCity.name, "Marker");
    EXPECT_EQ(CurrentCity.position.latDecimal, 1.5);
}

TEST(CityDialog, TypedDegreesAreTakenAsTyped)
{
    CurrentCity = Marker();
    CDia_City dialog;
    WhenModal<CDia_City>([](CDia_City* shown) {
        Edit(shown, "m_editName")->setText("Typed");
        for (const auto& [name, text] :
             {std::pair{"m_comboLatDeg", "5"}, {"m_comboLonDeg", "12"}}) {
            Combo(shown, name)->setFocus();
            TypeText(Combo(shown, name)->lineEdit(), text);
        }
        EXPECT_EQ(Combo(shown, "m_comboLatDeg")->currentText(), "5");
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(CurrentCity.position.latDecimal, 5.0);
    EXPECT_EQ(CurrentCity.position.lonDecimal, 12.0);
}

TEST(CityDialog, CancelWithAValidCityChangesNothing)
{
    CurrentCity = Marker();
    CDia_City dialog;
    WhenModal<CDia_City>([](CDia_City* shown) {
        Edit(shown, "m_editName")->setText("Quito");
        Edit(shown, "m_editLat")->setText("-0.18");
        Edit(shown, "m_editLon")->setText("-78.47");
        Button(shown, "cancelButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(CurrentCity.name, "Marker");
}
