#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "core/cities/CitiesDialogLogic.h"

using namespace tremolux;

namespace {

// The dialog brings its comparison from the user's locale (Qt); these tests
// of the list itself make do with ASCII letters.
char Folded(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

NameComparison AsciiLetterCaseIgnored()
{
    return {
        [](const std::string& a, const std::string& b) {
            return std::lexicographical_compare(
                a.begin(), a.end(), b.begin(), b.end(),
                [](char x, char y) { return Folded(x) < Folded(y); });
        },
        [](const std::string& a, const std::string& b) {
            return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                              [](char x, char y) { return Folded(x) == Folded(y); });
        },
    };
}

CityEntry City(std::string name, double lat, double lon)
{
    CityEntry city;
    city.name = std::move(name);
    city.position.latDecimal = lat;
    city.position.lonDecimal = lon;
    return city;
}

// The editor hands on a complete position.
CityEntry EditedCity(std::string name)
{
    CityEntry city;
    city.name = std::move(name);
    city.position.north = 1;
    city.position.latDeg = 10;
    city.position.latMin = 30;
    city.position.lonDeg = 20;
    city.position.ComputeDecimal();
    return city;
}

std::optional<std::size_t> RowOf(const CitiesDialogLogic& logic, const std::string& name)
{
    const auto& names = logic.Names();
    for (std::size_t row = 0; row < names.size(); ++row)
        if (names[row] == name)
            return row;
    return std::nullopt;
}

std::vector<std::string> FileOrder(const CitiesDialogLogic& logic)
{
    std::vector<std::string> names;
    for (int i = 0; i < logic.Cities().size(); ++i)
        names.push_back(logic.Cities().at(i).name);
    return names;
}

class CitiesDialogLogicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_logic.Load({City("paris", 48.8566, 2.3522), City("Lima", -12.0464, -77.0428),
                      City("berlin", 52.52, 13.405), City("Paris", 33.6609, -95.5555),
                      City("Athens", 37.9838, 23.7275), City("Lima", 40.7426, -84.1052)});
    }

    CitiesDialogLogic m_logic{AsciiLetterCaseIgnored()};
};

}  // namespace

TEST(CitiesDialogLoad, ReadsTheCityFileSortedWithLetterCaseIgnored)
{
    const auto path = std::filesystem::temp_directory_path()
                      / ("tremolux_cities_dialog_" + std::to_string(::getpid()) + ".txt");
    std::ofstream(path) << "Zurich\t47.3769\t8.5417\nathens\t37.98\t23.73\nbad line\n"
                        << "Berlin\t52.52\t13.405\nAthens\t1\t2\n";
    CitiesDialogLogic logic(AsciiLetterCaseIgnored());
    EXPECT_TRUE(logic.Load(path.string()));
    EXPECT_EQ(logic.Names(), (std::vector<std::string>{"athens", "Athens", "Berlin", "Zurich"}));
    EXPECT_EQ(FileOrder(logic), (std::vector<std::string>{"Zurich", "athens", "Berlin", "Athens"}));
    EXPECT_FALSE(logic.SelectedRow());

    // Loading again starts afresh.
    logic.Select(2);
    logic.Add(EditedCity("Tokyo"));
    EXPECT_TRUE(logic.Load(path.string()));
    std::filesystem::remove(path);
    EXPECT_EQ(logic.Names(), (std::vector<std::string>{"athens", "Athens", "Berlin", "Zurich"}));
    EXPECT_EQ(logic.Cities().size(), 4);
    EXPECT_FALSE(logic.SelectedRow());
    EXPECT_EQ(logic.Selected(), "");

    CitiesDialogLogic missing(AsciiLetterCaseIgnored());
    const Result<> load = missing.Load(
        (std::filesystem::temp_directory_path() / "tremolux_no_such_dir/CITIES.TXT").string());
    EXPECT_EQ(load.ok() ? "read" : load.error(), "No such file or directory");
    EXPECT_TRUE(missing.Names().empty());
    EXPECT_EQ(missing.Add(EditedCity("Tokyo")), 0u);
}

TEST_F(CitiesDialogLogicTest, EqualNamesKeepTheOrderTheyCameIn)
{
    EXPECT_EQ(m_logic.Names(),
              (std::vector<std::string>{"Athens", "berlin", "Lima", "Lima", "paris", "Paris"}));
}

TEST_F(CitiesDialogLogicTest, OkPutsTheFirstEntryOfTheSelectedNameIntoTheCurrentCity)
{
    CityEntry current = EditedCity("Tokyo");
    m_logic.Choose(current);
    EXPECT_EQ(current.name, "Tokyo");  // nothing selected yet

    m_logic.Select(3);  // the second "Lima" row
    EXPECT_EQ(m_logic.Selected(), "Lima");
    m_logic.Choose(current);
    EXPECT_EQ(current.name, "Lima");
    EXPECT_EQ(current.position.latDecimal, -12.0464);
    EXPECT_EQ(current.position.lonDecimal, -77.0428);

    m_logic.Select(*RowOf(m_logic, "Paris"));
    m_logic.Choose(current);
    EXPECT_EQ(current.position.latDecimal, 33.6609);  // exact case, not "paris"

    m_logic.Select(std::nullopt);
    EXPECT_EQ(m_logic.Selected(), "");
    m_logic.Choose(current);
    EXPECT_EQ(current.name, "Paris");
}

TEST_F(CitiesDialogLogicTest, DeleteRemovesTheFirstEntryOfThatNameAndTheSelectedRow)
{
    m_logic.Select(3);
    EXPECT_EQ(m_logic.Delete(), 3u);
    EXPECT_EQ(m_logic.Names(),
              (std::vector<std::string>{"Athens", "berlin", "Lima", "paris", "Paris"}));
    EXPECT_EQ(FileOrder(m_logic),
              (std::vector<std::string>{"paris", "berlin", "Paris", "Athens", "Lima"}));
    EXPECT_EQ(m_logic.Cities().at(4).position.latDecimal, 40.7426);
    EXPECT_FALSE(m_logic.SelectedRow());
    EXPECT_EQ(m_logic.Selected(), "");

    // Nothing selected: nothing to delete, and OK keeps the current city.
    EXPECT_FALSE(m_logic.Delete());
    EXPECT_EQ(m_logic.Names().size(), 5u);
    CityEntry current = EditedCity("Tokyo");
    m_logic.Choose(current);
    EXPECT_EQ(current.name, "Tokyo");
}

TEST_F(CitiesDialogLogicTest, AddAppendsOnlyNamesNotYetListedInAnyLetterCase)
{
    EXPECT_FALSE(m_logic.Add(EditedCity("ATHENS")));
    EXPECT_FALSE(m_logic.Add(EditedCity("lima")));
    EXPECT_EQ(m_logic.Cities().size(), 6);

    EXPECT_EQ(m_logic.Add(EditedCity("Nairobi")), 4u);
    EXPECT_FALSE(m_logic.Add(EditedCity("Nairobi")));
    EXPECT_EQ(m_logic.Names()[4], "Nairobi");
    ASSERT_EQ(m_logic.Cities().size(), 7);
    const CityEntry& added = m_logic.Cities().at(6);
    EXPECT_EQ(added.name, "Nairobi");
    EXPECT_EQ(added.position.latMin, 30.0);
    EXPECT_EQ(added.position.latDecimal, 10.5);
}

TEST_F(CitiesDialogLogicTest, AddAfterDeleteBringsTheCityBackWithTheAddedPosition)
{
    m_logic.Select(*RowOf(m_logic, "Athens"));
    m_logic.Delete();
    ASSERT_FALSE(RowOf(m_logic, "Athens"));
    EXPECT_EQ(m_logic.Add(EditedCity("Athens")), 0u);
    m_logic.Select(0);
    CityEntry current;
    m_logic.Choose(current);
    EXPECT_EQ(current.position.latDecimal, 10.5);
    EXPECT_EQ(current.position.latMin, 30.0);
}

TEST_F(CitiesDialogLogicTest, SelectionFollowsItsRowWhenANameIsAddedAboveIt)
{
    m_logic.Select(*RowOf(m_logic, "paris"));
    ASSERT_EQ(m_logic.Add(EditedCity("Bangkok")), 1u);
    EXPECT_EQ(m_logic.SelectedRow(), RowOf(m_logic, "paris"));
    EXPECT_EQ(m_logic.Selected(), "paris");
    EXPECT_EQ(m_logic.Delete(), 5u);
    EXPECT_FALSE(RowOf(m_logic, "paris"));
    EXPECT_TRUE(RowOf(m_logic, "Paris"));
}

TEST_F(CitiesDialogLogicTest, SelectionMovesDownWhenANameIsAddedDirectlyAboveIt)
{
    m_logic.Select(*RowOf(m_logic, "paris"));
    ASSERT_EQ(m_logic.Add(EditedCity("Oslo")), 4u);
    EXPECT_EQ(m_logic.SelectedRow(), 5u);
    EXPECT_EQ(m_logic.Selected(), "paris");
    EXPECT_EQ(m_logic.Delete(), 5u);
    EXPECT_EQ(m_logic.Names(),
              (std::vector<std::string>{"Athens", "berlin", "Lima", "Lima", "Oslo", "Paris"}));
    EXPECT_EQ(FileOrder(m_logic),
              (std::vector<std::string>{"Lima", "berlin", "Paris", "Athens", "Lima", "Oslo"}));
}
