#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include "core/common/DisplaySettings.h"
#include "gui/dialogs/CDia_Parameters.h"
#include "gui/dialogs/ModalDriver.h"

using namespace tremolux;
using tremolux::test::PressKey;
using tremolux::test::TypeText;
using tremolux::test::WhenModal;

namespace {

struct ParametersControls {
    QLineEdit* hours;
    QLineEdit* nearest;
    QLineEdit* pie;
    QCheckBox* texts;
    QPushButton* ok;
    QPushButton* cancel;
};

ParametersControls Controls(CDia_Parameters* dialog)
{
    return {dialog->findChild<QLineEdit*>("m_editHours"),
            dialog->findChild<QLineEdit*>("m_editNearest"),
            dialog->findChild<QLineEdit*>("m_editPie"),
            dialog->findChild<QCheckBox*>("m_checkTexts"),
            dialog->findChild<QPushButton*>("okButton"),
            dialog->findChild<QPushButton*>("cancelButton")};
}

DisplaySettings Settings(unsigned char texts, double hours, double nearest, double pie)
{
    DisplaySettings settings;
    settings.drawTexts = texts;
    settings.hours = hours;
    settings.nearestRadius = nearest;
    settings.pieRadius = pie;
    return settings;
}

void ExpectSettings(const DisplaySettings& actual, const DisplaySettings& expected)
{
    EXPECT_EQ(actual.drawTexts, expected.drawTexts);
    EXPECT_EQ(actual.hours, expected.hours);
    EXPECT_EQ(actual.nearestRadius, expected.nearestRadius);
    EXPECT_EQ(actual.pieRadius, expected.pieRadius);
}

}  // namespace

TEST(ParametersDialog, OpensOnTheSettingsGivenBeforeItRuns)
{
    CDia_Parameters dialog;
    // The map window fills the record after creating the dialog.
    SettingsTransfer = Settings(0, 12.7, 2500999.0, 999.0);
    const DisplaySettings before = SettingsTransfer;
    WhenModal<CDia_Parameters>([](CDia_Parameters* shown) {
        const ParametersControls c = Controls(shown);
        EXPECT_EQ(shown->windowTitle(), "Parameters");
        EXPECT_EQ(c.hours->text(), "12");
        EXPECT_EQ(c.nearest->text(), "2500");
        EXPECT_EQ(c.pie->text(), "0");
        EXPECT_FALSE(c.texts->isChecked());
        EXPECT_EQ(c.texts->text(), "draw Texts");
        EXPECT_EQ(c.hours->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        EXPECT_EQ(shown->focusWidget(), c.hours);
        EXPECT_TRUE(c.ok->isDefault());
        c.cancel->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    ExpectSettings(SettingsTransfer, before);
}

TEST(ParametersDialog, ReturnKeyAcceptsTheTypedValues)
{
    SettingsTransfer = DisplaySettings();
    CDia_Parameters dialog;
    WhenModal<CDia_Parameters>([](CDia_Parameters* shown) {
        const ParametersControls c = Controls(shown);
        EXPECT_EQ(c.hours->text(), "48");
        c.hours->clear();
        TypeText(c.hours, "2x4-");  // typing takes digits only
        EXPECT_EQ(c.hours->text(), "24");
        c.nearest->setText("2500");
        c.pie->setText("12abc");  // text that arrived otherwise counts by its leading digits
        c.texts->click();
        PressKey(c.pie, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    ExpectSettings(SettingsTransfer, Settings(0, 24.0, 2500000.0, 12000.0));
}

TEST(ParametersDialog, RejectedFieldIsReportedAndTheDialogStaysOpen)
{
    SettingsTransfer = DisplaySettings();
    CDia_Parameters dialog;
    bool warned = false;
    bool stillOpen = false;
    WhenModal<CDia_Parameters>([&](CDia_Parameters* shown) {
        const ParametersControls c = Controls(shown);
        c.hours->setText("100");
        c.nearest->setText("15001");
        c.pie->setText("");
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            warned = true;
            EXPECT_EQ(box->text(), "Show nearest must be inside 0 ... 15000 km");
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            box->button(QMessageBox::Ok)->click();
        });
        c.ok->click();
        stillOpen = shown->isVisible() && QApplication::activeModalWidget() == shown;
        EXPECT_EQ(c.nearest->text(), "15001");
        c.cancel->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(warned);
    EXPECT_TRUE(stillOpen);
    // The hours passed their check before the rejection; the owner ignores
    // the record after Cancel.
    EXPECT_EQ(SettingsTransfer.hours, 100.0);
    EXPECT_EQ(SettingsTransfer.nearestRadius, 3000000.0);
}
