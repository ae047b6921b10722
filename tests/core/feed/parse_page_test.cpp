#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/common/OleDate.h"
#include "core/feed/FeedDocument.h"
#include "core/feed/PageRead.h"
#include "core/feed/QuakeList.h"

namespace tremolux {
namespace {

// A document whose every fetch can be made to fail, to reach each failure.
struct FakeRow final : FeedRow {
    std::vector<std::string> cells;
    int CellCount() const override { return static_cast<int>(cells.size()); }
    std::string CellText(int cell) const override
    {
        return cells.at(static_cast<std::size_t>(cell));
    }
};

struct FakeTable final : FeedTable {
    std::vector<FakeRow> rows;
    int unfetchableRow = -1;
    int RowCount() const override { return static_cast<int>(rows.size()); }
    const FeedRow* Row(int row) const override
    {
        return row == unfetchableRow ? nullptr : &rows.at(static_cast<std::size_t>(row));
    }
};

struct FakeDocument final : FeedDocument, FeedTables {
    std::vector<FakeTable> tables;
    bool viewable = true;
    bool hasTables = true;
    int unfetchableTable = -1;
    bool ViewableAsTables() const override { return viewable; }
    const FeedTables* Tables() const override { return hasTables ? this : nullptr; }
    int Count() const override { return static_cast<int>(tables.size()); }
    const FeedTable* Table(int table) const override
    {
        return table == unfetchableTable ? nullptr : &tables.at(static_cast<std::size_t>(table));
    }
};

struct FakeBrowser final : FeedBrowser {
    const FeedDocument* document = nullptr;
    void Navigate2(const std::string&) override {}
    int GetReadyState() const override { return kReadyStateComplete; }
    void Refresh() override {}
    const FeedDocument* GetHtmlDocument() const override { return document; }
};

FakeRow Quake(const std::string& magnitude, const std::string& region = "REGION",
              const std::string& latitude = "35.5")
{
    FakeRow row;
    row.cells = {"MAP", magnitude, "2011/03/15 09:01:28", latitude, "141.25", "24.6", region};
    return row;
}

FakeRow Heading()
{
    FakeRow row;
    row.cells = {"\u00A0",    "MAG",   "UTC DATE-TIME\ny/m/d h:m:s", "LAT\ndeg", "LON\ndeg",
                 "DEPTH\nkm", "Region"};
    return row;
}

FakeTable TableOf(std::vector<FakeRow> rows)
{
    FakeTable table;
    table.rows = std::move(rows);
    return table;
}

std::vector<std::string> Regions(const QuakeList& list)
{
    std::vector<std::string> regions;
    for (int i = 0; i < list.count(); ++i)
        regions.push_back(list.at(i).region);
    return regions;
}

class ParsePageTest : public ::testing::Test {
protected:
    bool Parse(const FakeDocument* document)
    {
        browser.document = document;
        return list.ParsePage(browser,
                              [this](const std::string& text) { reports.push_back(text); });
    }

    FakeBrowser browser;
    QuakeList list;
    std::vector<std::string> reports;
};

TEST_F(ParsePageTest, ReadsTheQuakeRowsOfEveryTableInPageOrder)
{
    FakeRow six = Quake("5.0", "six");
    six.cells.pop_back();
    FakeRow eight = Quake("5.0", "eight");
    eight.cells.push_back("extra");
    FakeDocument document;
    document.tables = {TableOf({Heading(), Quake("5.2", "a"), six, Quake("1.0", "one"), eight}),
                       TableOf({}),
                       TableOf({Quake("10.0", "b"), Quake("10.01", "over"), Quake("5.2", "a")})};

    EXPECT_TRUE(Parse(&document));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(Regions(list), (std::vector<std::string>{"a", "b", "a"}));
}

TEST_F(ParsePageTest, ConvertsCellsLikeAtofAndTheDateParser)
{
    FakeRow row = Quake(" 6.2 strong", "  EASTERN HONSHU, JAPAN ", "12.5S");
    row.cells[4] = "-72.890";
    row.cells[5] = "depth?";
    FakeRow undated = Quake("3.1", "undated", "-12.5");
    undated.cells[2] = "not a date";
    FakeDocument document;
    document.tables = {TableOf({row, undated})};

    ASSERT_TRUE(Parse(&document));
    ASSERT_EQ(list.count(), 2);
    const QuakeRecord& quake = list.at(0);
    EXPECT_DOUBLE_EQ(quake.magnitude, 6.2);
    EXPECT_DOUBLE_EQ(quake.latitude, 12.5);
    EXPECT_DOUBLE_EQ(quake.longitude, -72.89);
    EXPECT_DOUBLE_EQ(quake.depth, 0.0);
    EXPECT_EQ(quake.region, "  EASTERN HONSHU, JAPAN ");
    const OleDate expected = OleDateFromCalendar(2011, 3, 15, 9, 1, 28);
    EXPECT_TRUE(quake.time.valid);
    EXPECT_DOUBLE_EQ(quake.time.value, expected.value);

    EXPECT_DOUBLE_EQ(list.at(1).latitude, -12.5);
    EXPECT_FALSE(list.at(1).time.valid);
    EXPECT_DOUBLE_EQ(list.at(1).time.value, 0.0);
}

TEST_F(ParsePageTest, PositionsOffTheGlobeAreSkipped)
{
    const auto at = [](const std::string& region, const std::string& latitude,
                       const std::string& longitude) {
        FakeRow row = Quake("5.0", region, latitude);
        row.cells[4] = longitude;
        return row;
    };
    FakeDocument document;
    document.tables = {TableOf({at("north pole", "90", "180"), at("lat 1000", "1000", "10"),
                                at("south pole", "-90", "-180"), at("lat -90.5", "-90.5", "10"),
                                at("lon 180.01", "10", "180.01"), at("lon -200", "10", "-200"),
                                at("lat inf", "1e999", "10"), at("lon -inf", "10", "-1e999"),
                                at("null island", "0", "0")})};

    ASSERT_TRUE(Parse(&document));
    EXPECT_EQ(Regions(list), (std::vector<std::string>{"north pole", "south pole", "null island"}));
}

// Region text goes to terminals and into TAB-separated lines: no control
// character of any kind survives, and nothing else is touched.
TEST_F(ParsePageTest, ControlCharactersInTheRegionBecomeReplacementCharacters)
{
    const std::string r = "\uFFFD";
    static const char kC0[] = "a\x1B[31mb\x07"
                              "c\0d\te\nf\rg\x7Fh";
    const std::string region =
        std::string(kC0, sizeof kC0 - 1) + "\u0080i\u009Bj\u009F" + "\u00A0\u00E9\u20AC\U0001F30B";
    FakeDocument document;
    document.tables = {TableOf({Quake("5.0", region), Quake("5.0", "8-bit \x9B[2J \xC2 end")})};

    ASSERT_TRUE(Parse(&document));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(0).region, "a" + r + "[31mb" + r + "c" + r + "d" + r + "e" + r + "f" + r + "g"
                                     + r + "h" + r + "i" + r + "j" + r
                                     + "\u00A0\u00E9\u20AC\U0001F30B");
    EXPECT_EQ(list.at(1).region, "8-bit " + r + "[2J " + r + " end");
}

TEST_F(ParsePageTest, EachFailureReportsItsTextAndLeavesTheListAsFarAsItGot)
{
    FakeDocument previous;
    previous.tables = {TableOf({Quake("4.0", "old")})};

    struct Case {
        const char* name;
        void (*breakIt)(FakeDocument&, FakeBrowser&);
        const char* message;
        std::vector<std::string> listAfter;
    };
    const std::vector<Case> cases = {
        {"no document",
         [](FakeDocument&, FakeBrowser& b) { b.document = nullptr; },
         "Error: no GetHtmlDocument()",
         {"old"}},
        {"not viewable",
         [](FakeDocument& d, FakeBrowser&) { d.viewable = false; },
         "Error: no QueryInterface(IID_IHTMLDocument3...",
         {"old"}},
        {"no tables",
         [](FakeDocument& d, FakeBrowser&) { d.hasTables = false; },
         "Error: no getElementsByTagName... for \"table\"",
         {}},
        {"table",
         [](FakeDocument& d, FakeBrowser&) { d.unfetchableTable = 1; },
         "Error: no pIHTMLElementCollection->item... for \"table\"",
         {"t0"}},
        {"row",
         [](FakeDocument& d, FakeBrowser&) { d.tables[1].unfetchableRow = 1; },
         "Error: no pIHTMLElementCollection->item... for \"table row\"",
         {"t0", "t1r0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reports.clear();
        ASSERT_TRUE(Parse(&previous));

        FakeDocument document;
        document.tables = {
            TableOf({Quake("5.0", "t0")}),
            TableOf({Quake("5.0", "t1r0"), Quake("5.0", "t1r1"), Quake("5.0", "t1r2")}),
            TableOf({Quake("5.0", "t2")})};
        browser.document = &document;
        c.breakIt(document, browser);
        EXPECT_FALSE(
            list.ParsePage(browser, [this](const std::string& t) { reports.push_back(t); }));
        EXPECT_EQ(reports, std::vector<std::string>{c.message});
        EXPECT_EQ(Regions(list), c.listAfter);
    }
}

TEST_F(ParsePageTest, AWalkStartedWhileAFailureIsShownOwnsTheList)
{
    FakeDocument fresh;
    fresh.tables = {TableOf({Quake("6.0", "inner")})};
    FakeBrowser innerBrowser;
    innerBrowser.document = &fresh;

    FakeDocument broken;
    broken.tables = {TableOf({Quake("5.0", "outer"), Quake("5.0", "unread")})};
    broken.tables[0].unfetchableRow = 1;
    browser.document = &broken;

    int shown = 0;
    const bool result = list.ParsePage(browser, [&](const std::string&) {
        ++shown;
        EXPECT_EQ(Regions(list), std::vector<std::string>{"outer"});
        EXPECT_TRUE(list.ParsePage(innerBrowser, [](const std::string&) {}));
    });
    EXPECT_FALSE(result);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Regions(list), std::vector<std::string>{"inner"});
}

// A read on another thread that nobody waits for any more gives up part way.
TEST_F(ParsePageTest, AReadStopsOnceItsFlagIsRaised)
{
    FakeDocument document;
    document.tables = {TableOf(std::vector<FakeRow>(5000, Quake("5.0")))};
    StopFlag stop;
    EXPECT_EQ(ReadPage(&document, stop).records.size(), 5000u);
    stop.Raise();
    EXPECT_THROW(ReadPage(&document, stop), Stopped);
}

TEST_F(ParsePageTest, RecordsAreCopiesAndIndexingOutsideTheListThrows)
{
    FakeDocument document;
    document.tables = {TableOf({Quake("5.0", "first")})};
    ASSERT_TRUE(Parse(&document));
    const QuakeRecord kept = list.at(0);
    EXPECT_THROW(list.at(1), std::invalid_argument);
    EXPECT_THROW(list.at(-1), std::invalid_argument);

    FakeDocument empty;
    ASSERT_TRUE(Parse(&empty));
    EXPECT_EQ(list.count(), 0);
    EXPECT_THROW(list.at(0), std::invalid_argument);
    EXPECT_EQ(kept.region, "first");
    EXPECT_DOUBLE_EQ(kept.magnitude, 5.0);
}

}  // namespace
}  // namespace tremolux
