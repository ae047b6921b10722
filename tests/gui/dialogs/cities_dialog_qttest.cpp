#include <QMessageBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

#include "core/cities/CityEntry.h"
#include "core/cities/CityFile.h"
#include "gui/dialogs/CDia_Cities.h"
#include "gui/dialogs/CDia_City.h"
#include "gui/dialogs/CitiesDialogDriver.h"
#include "gui/dialogs/ModalDriver.h"

using namespace tremolux;
using namespace tremolux::test;

namespace {

// Each test opens the dialog on its own city file in the start-up directory.
class CitiesDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        StartupDirectory = m_dir.path().toStdString();
        std::ofstream(StartupDirectory + "/CITIES.TXT") << "paris\t48.8566\t2.3522\n"
                                                           "Lima\t-12.0464\t-77.0428\n"
                                                           "<b>Berlin</b>\t52.52\t13.405\n"
                                                           "Athens\t37.9838\t23.7275\n"
                                                           "Lima\t40.7426\t-84.1052\n"
                                                           "Paris\t33.6609\t-95.5555\n";
        CurrentCity = InitialCity();
    }

    void TearDown() override { StartupDirectory.clear(); }

    const QStringList m_fileRows{"<b>Berlin</b>", "Athens", "Lima", "Lima", "paris", "Paris"};
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(CitiesDialogTest, OpensOnTheSortedFileWithTheCurrentCityShown)
{
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([this](CDia_Cities* shown) {
        EXPECT_EQ(shown->windowTitle(), "Cities");
        EXPECT_EQ(Rows(List(shown)), m_fileRows);
        EXPECT_TRUE(List(shown)->selectedItems().isEmpty());
        EXPECT_EQ(CityEdit(shown)->text(), "Tokyo");
        EXPECT_EQ(shown->focusWidget(), List(shown));
        EXPECT_TRUE(Button(shown, "okButton")->isDefault());
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    // OK with nothing selected keeps the current city.
    EXPECT_EQ(CurrentCity.name, "Tokyo");
    EXPECT_NEAR(CurrentCity.position.latDecimal, 35.68948889, 1e-8);
}

TEST_F(CitiesDialogTest, OkLeavesTheFirstEntryOfTheSelectedNameInTheCurrentCity)
{
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([](CDia_Cities* shown) {
        List(shown)->setCurrentRow(3);  // the second "Lima" row
        EXPECT_EQ(CityEdit(shown)->text(), "Lima");
        EXPECT_EQ(CurrentCity.name, "Tokyo");  // taken over at OK only
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(CurrentCity.name, "Lima");
    EXPECT_EQ(CurrentCity.position.latDecimal, -12.0464);
    EXPECT_EQ(CurrentCity.position.lonDecimal, -77.0428);
}

TEST_F(CitiesDialogTest, CancelKeepsTheCurrentCityWhateverWasSelected)
{
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([](CDia_Cities* shown) {
        List(shown)->setCurrentRow(RowOf(List(shown), "Athens"));
        Button(shown, "cancelButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(CurrentCity.name, "Tokyo");
}

TEST_F(CitiesDialogTest, DeleteAsksFirstAndNoKeepsEverything)
{
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([this](CDia_Cities* shown) {
        QListWidget* list = List(shown);
        list->setCurrentRow(0);
        WhenModal<QMessageBox>([](QMessageBox* box) {
            // A name is never read as markup.
            EXPECT_EQ(box->text(), "Delete \"<b>Berlin</b>\" from the list?");
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
            box->button(QMessageBox::No)->click();
        });
        Button(shown, "deleteButton")->click();
        EXPECT_EQ(Rows(list), m_fileRows);
        EXPECT_EQ(CityEdit(shown)->text(), "<b>Berlin</b>");
        EXPECT_TRUE(list->item(0)->isSelected());
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(CurrentCity.name, "<b>Berlin</b>");
}

TEST_F(CitiesDialogTest, DeleteWithYesRemovesTheSelectedRowAndClearsTheSelection)
{
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([](CDia_Cities* shown) {
        QListWidget* list = List(shown);
        list->setCurrentRow(RowOf(list, "paris"));
        WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        Button(shown, "deleteButton")->click();
        EXPECT_EQ(Rows(list), QStringList({"<b>Berlin</b>", "Athens", "Lima", "Lima", "Paris"}));
        EXPECT_TRUE(list->selectedItems().isEmpty());
        EXPECT_TRUE(CityEdit(shown)->text().isEmpty());

        // Nothing selected now: Delete asks nothing and removes nothing.
        const ModalWatcher<QMessageBox> questions;
        Button(shown, "deleteButton")->click();
        EXPECT_EQ(questions.count(), 0);
        EXPECT_EQ(list->count(), 5);
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(CurrentCity.name, "Tokyo");
}

TEST_F(CitiesDialogTest, AddAfterACancelledEditorAddsNothing)
{
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([this](CDia_Cities* shown) {
        QListWidget* list = List(shown);
        list->setCurrentRow(RowOf(list, "paris"));
        WhenModal<CDia_City>([](CDia_City* editor) { editor->reject(); });
        Button(shown, "addButton")->click();
        EXPECT_EQ(Rows(list), m_fileRows);
        EXPECT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ(CityEdit(shown)->text(), "paris");
        shown->reject();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(CurrentCity.name, "Tokyo");
}

TEST_F(CitiesDialogTest, AddAppendsTheEnteredCityOnceAndKeepsTheSelection)
{
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([](CDia_Cities* shown) {
        QListWidget* list = List(shown);
        list->setCurrentRow(RowOf(list, "paris"));
        for (int run = 0; run < 2; ++run) {
            WhenModal<CDia_City>(EnterCity("Tokyo", "35.5", "139.75"));
            Button(shown, "addButton")->click();
        }
        EXPECT_EQ(Rows(list), QStringList({"<b>Berlin</b>", "Athens", "Lima", "Lima", "paris",
                                           "Paris", "Tokyo"}));
        EXPECT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ(list->selectedItems().first()->text(), "paris");
        EXPECT_EQ(CityEdit(shown)->text(), "paris");

        list->setCurrentRow(RowOf(list, "Tokyo"));
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    // The added entry carries the complete position.
    EXPECT_EQ(CurrentCity.name, "Tokyo");
    EXPECT_EQ(CurrentCity.position.latMin, 30.0);
    EXPECT_EQ(CurrentCity.position.lonDecimal, 139.75);
}

TEST_F(CitiesDialogTest, AddDirectlyAboveTheSelectionKeepsTheSelectedCity)
{
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([](CDia_Cities* shown) {
        QListWidget* list = List(shown);
        list->setCurrentRow(RowOf(list, "paris"));
        WhenModal<CDia_City>(EnterCity("Oslo", "59.91", "10.75"));
        Button(shown, "addButton")->click();
        ASSERT_EQ(RowOf(list, "Oslo") + 1, RowOf(list, "paris"));
        WhenModal<QMessageBox>([](QMessageBox* box) {
            EXPECT_EQ(box->text(), "Delete \"paris\" from the list?");
            box->button(QMessageBox::Yes)->click();
        });
        Button(shown, "deleteButton")->click();
        EXPECT_EQ(Rows(list),
                  QStringList({"<b>Berlin</b>", "Athens", "Lima", "Lima", "Oslo", "Paris"}));
        list->setCurrentRow(RowOf(list, "Paris"));
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(CurrentCity.position.latDecimal, 33.6609);
}

TEST_F(CitiesDialogTest, AddTakesTheCityEnteredInTheEditorUnlessItsNameIsListed)
{
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([](CDia_Cities* shown) {
        QListWidget* list = List(shown);
        WhenModal<CDia_City>(EnterCity("Bogota", "4.711", "-74.0721"));
        Button(shown, "addButton")->click();
        EXPECT_EQ(RowOf(list, "Bogota"), 2);

        WhenModal<CDia_City>(EnterCity("ATHENS", "1", "1"));
        Button(shown, "addButton")->click();
        EXPECT_EQ(list->count(), 7);
        EXPECT_EQ(RowOf(list, "ATHENS"), -1);

        list->setCurrentRow(RowOf(list, "Athens"));
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(CurrentCity.name, "Athens");
    EXPECT_EQ(CurrentCity.position.latDecimal, 37.9838);
}

TEST_F(CitiesDialogTest, EachOpeningStartsAgainFromTheFile)
{
    for (const bool ok : {true, false}) {
        CDia_Cities changed;
        WhenModal<CDia_Cities>([ok](CDia_Cities* shown) {
            QListWidget* list = List(shown);
            list->setCurrentRow(0);
            WhenModal<QMessageBox>(
                [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
            Button(shown, "deleteButton")->click();
            WhenModal<CDia_City>(EnterCity("Quito", "-0.18", "-78.47"));
            Button(shown, "addButton")->click();
            Button(shown, ok ? "okButton" : "cancelButton")->click();
        });
        changed.exec();

        CDia_Cities fresh;
        QStringList rows;
        WhenModal<CDia_Cities>([&rows](CDia_Cities* shown) {
            rows = Rows(List(shown));
            shown->reject();
        });
        fresh.exec();
        EXPECT_EQ(rows, m_fileRows);
    }
}

TEST_F(CitiesDialogTest, MissingCityFileGivesAnEmptyListThatAddStillFills)
{
    StartupDirectory = (m_dir.path() + "/nowhere").toStdString();
    const std::string defaultFile = DefaultCityFile;
    DefaultCityFile.clear();
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([](CDia_Cities* shown) {
        EXPECT_EQ(List(shown)->count(), 0);
        EXPECT_EQ(CityEdit(shown)->text(), "Tokyo");
        WhenModal<CDia_City>(EnterCity("Quito", "-0.18", "-78.47"));
        Button(shown, "addButton")->click();
        EXPECT_EQ(Rows(List(shown)), QStringList({"Quito"}));
        shown->reject();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    DefaultCityFile = defaultFile;
}
