#include <QCollator>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <set>

#include "core/cities/CityEntry.h"
#include "core/cities/CityFile.h"
#include "gui/dialogs/CDia_Cities.h"
#include "gui/dialogs/CitiesDialogDriver.h"
#include "gui/dialogs/ModalDriver.h"

using namespace tremolux;
using namespace tremolux::test;

namespace {

// Names beyond ASCII in the city file, the Cities dialog and the command
// line. Each test runs in the C locale, as under a bare LANG, unless it
// picks another.
class CityNamesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        StartupDirectory = m_dir.path().toStdString();
        QLocale::setDefault(QLocale::c());
        CurrentCity = CityEntry();
        CurrentCity.name = "Tokyo";
    }

    void TearDown() override
    {
        StartupDirectory.clear();
        QLocale::setDefault(m_locale);
    }

    std::string WriteCities(const std::string& bytes)
    {
        const std::string path = StartupDirectory + "/CITIES.TXT";
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // The rows of the dialog as it opens; it closes with Cancel.
    QStringList ShownRows()
    {
        QStringList rows;
        CDia_Cities dialog;
        WhenModal<CDia_Cities>([&rows](CDia_Cities* shown) {
            rows = Rows(List(shown));
            shown->reject();
        });
        dialog.exec();
        return rows;
    }

    QTemporaryDir m_dir;
    const QLocale m_locale;
};

struct CliResult {
    int status = -1;
    QString out;
};

CliResult RunCli(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(TREMOLUX_CLI), arguments);
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

}  // namespace

TEST_F(CityNamesTest, WindowsCodePageNamesShowDecodedAndStayChosen)
{
    WriteCities("S\xE3o Paulo\t-23.55\t-46.63\nOslo\t59.91\t10.75\nBogot\xE1\t4.711\t-74.0721\n");
    CDia_Cities choose;
    WhenModal<CDia_Cities>([](CDia_Cities* shown) {
        QListWidget* list = List(shown);
        EXPECT_EQ(Rows(list), QStringList({"Bogotá", "Oslo", "São Paulo"}));
        list->setCurrentRow(RowOf(list, "São Paulo"));
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(choose.exec(), QDialog::Accepted);
    EXPECT_EQ(CurrentCity.name, "São Paulo");
    EXPECT_EQ(CurrentCity.position.latDecimal, -23.55);

    // The chosen name is the listed one, byte for byte.
    CDia_Cities again;
    WhenModal<CDia_Cities>([](CDia_Cities* shown) {
        QListWidget* list = List(shown);
        EXPECT_EQ(CityEdit(shown)->text(), "São Paulo");
        list->setCurrentRow(RowOf(list, CityEdit(shown)->text()));
        WhenModal<CDia_City>(EnterCity("São Paulo", "1", "2"));
        Button(shown, "addButton")->click();
        EXPECT_EQ(list->count(), 3);
        Button(shown, "okButton")->click();
    });
    EXPECT_EQ(again.exec(), QDialog::Accepted);
    EXPECT_EQ(CurrentCity.position.lonDecimal, -46.63);
}

TEST_F(CityNamesTest, CommandLineListsAndFindsTheDecodedName)
{
    const QString cities = QString::fromStdString(WriteCities("S\xE3o Paulo\t-23.55\t-46.63\n"));
    const CliResult listed = RunCli({"cities", cities});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "São Paulo\t-23.55\t-46.63\n");

    const CliResult index =
        RunCli({"index", "--city", "São Paulo", "--cities", cities, "--feed",
                TREMOLUX_TEST_DATA "/usgs_all_week.geojson", "--now", "2025-12-07 05:10:00"});
    EXPECT_EQ(index.status, 0);
}

TEST_F(CityNamesTest, LettersSortBeforeAccentsAndLetterCaseIsIgnored)
{
    WriteCities("Zurich\t47.37\t8.54\n\xC3\x9Cr\xC3\xBCmqi\t43.83\t87.62\nUzhhorod\t48.62\t22.29\n"
                "\xC3\x9CR\xC3\x9CMQI\t1\t2\nUrumqi\t3\t4\nMoscow\t55.76\t37.62\n"
                "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0\t55.75\t37.62\n");
    CDia_Cities dialog;
    WhenModal<CDia_Cities>([](CDia_Cities* shown) {
        QListWidget* list = List(shown);
        EXPECT_EQ(Rows(list), QStringList({"Moscow", "Urumqi", "Ürümqi", "ÜRÜMQI", "Uzhhorod",
                                           "Zurich", "Москва"}));
        // Listed already in another letter case.
        for (const char* name : {"ürümqi", "МОСКВА", "urumQI"}) {
            WhenModal<CDia_City>(EnterCity(name, "1", "2"));
            Button(shown, "addButton")->click();
        }
        EXPECT_EQ(list->count(), 7);
        // A different accent is a different name.
        WhenModal<CDia_City>(EnterCity("Urümqi", "1", "2"));
        Button(shown, "addButton")->click();
        EXPECT_EQ(RowOf(list, "Urümqi"), RowOf(list, "Urumqi") + 1);
        shown->reject();
    });
    dialog.exec();
}

TEST_F(CityNamesTest, TheUserLocaleDecidesTheOrder)
{
    WriteCities(
        "Zurich\t47.37\t8.54\n\xC3\x9Cr\xC3\xBCmqi\t43.83\t87.62\nUzhhorod\t48.62\t22.29\n");
    EXPECT_EQ(ShownRows(), QStringList({"Ürümqi", "Uzhhorod", "Zurich"}));
    // Swedish sorts Ü as a kind of Y.
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    EXPECT_EQ(ShownRows(), QStringList({"Uzhhorod", "Ürümqi", "Zurich"}));
}

TEST_F(CityNamesTest, ABigFileShowsInOrderWithEqualNamesInFileOrder)
{
    // Names made of a few syllables, each in up to three letter cases.
    const char* const syllables[] = {"ba", "Ko", "ri", "sã", "ü", "Me", "la", "tö",
                                     "zu", "PA", "qi", "ø",  "é", "Ål", "ne", "ça"};
    std::mt19937 random(7);
    std::set<QString> folded;
    std::vector<QString> names;
    while (names.size() < 20000) {
        QString base;
        for (int n = 2 + static_cast<int>(random() % 4); n > 0; --n)
            base += QString::fromUtf8(syllables[random() % std::size(syllables)]);
        if (!folded.insert(base.toCaseFolded()).second)
            continue;
        std::set<QString> variants{base, base.toUpper(), base.toLower()};
        names.insert(names.end(), variants.begin(), variants.end());
    }
    std::shuffle(names.begin(), names.end(), random);
    std::string file;
    std::map<QString, std::size_t> fileLine;
    for (std::size_t line = 0; line < names.size(); ++line) {
        file += names[line].toStdString() + "\t1\t2\n";
        fileLine[names[line]] = line;
    }
    WriteCities(file);

    const QStringList rows = ShownRows();
    ASSERT_EQ(static_cast<std::size_t>(rows.size()), names.size());
    EXPECT_EQ(std::set<QString>(rows.begin(), rows.end()),
              std::set<QString>(names.begin(), names.end()));
    QCollator collator(QLocale(QLocale::English));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    for (qsizetype row = 1; row < rows.size(); ++row) {
        const int order = collator.compare(rows[row - 1], rows[row]);
        ASSERT_LE(order, 0) << rows[row - 1].toStdString() << " / " << rows[row].toStdString();
        if (order == 0) {
            ASSERT_LT(fileLine[rows[row - 1]], fileLine[rows[row]]) << rows[row].toStdString();
        }
    }
}
