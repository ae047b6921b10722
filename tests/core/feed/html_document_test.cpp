#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/common/Charset.h"
#include "core/feed/DocumentDump.h"
#include "core/feed/HtmlDocument.h"
#include "core/feed/OpenFeedDocument.h"
#include "core/feed/QuakeList.h"

namespace tremolux {
namespace {

const std::string kNbsp = "\u00A0";

// The cell texts of a page's first table.
Rows FirstTable(const std::string& html)
{
    const auto tables = Dump(*OpenHtmlDocument(html));
    return tables.empty() ? Rows{} : tables.front();
}

std::string CellText(const std::string& cellContent)
{
    const Rows rows = FirstTable("<table><tr><td>" + cellContent + "</td></tr></table>");
    return rows.at(0).at(0);
}

struct Browser final : FeedBrowser {
    std::unique_ptr<FeedDocument> document;
    void Navigate2(const std::string&) override {}
    int GetReadyState() const override { return kReadyStateComplete; }
    void Refresh() override {}
    const FeedDocument* GetHtmlDocument() const override { return document.get(); }
};

TEST(HtmlDocument, ClassicPageGivesItsQuakesWithTheirRenderedTexts)
{
    Browser browser;
    browser.document = OpenFeedDocument(ReadTestFile("classic_page.html"));
    const Rows rows = Dump(*browser.document).at(0);
    EXPECT_EQ(rows.at(0),
              (std::vector<std::string>{kNbsp, "MAG", "UTC DATE-TIME\ny/m/d h:m:s", "LAT\ndeg",
                                        "LON\ndeg", "DEPTH\nkm", "Region"}));

    QuakeList list;
    ASSERT_TRUE(list.ParsePage(browser, [](const std::string& text) { FAIL() << text; }));
    ASSERT_EQ(list.count(), 5);
    const QuakeRecord& first = list.at(0);
    EXPECT_DOUBLE_EQ(first.magnitude, 5.8);
    EXPECT_DOUBLE_EQ(first.latitude, 36.381);
    EXPECT_DOUBLE_EQ(first.longitude, 141.236);
    EXPECT_DOUBLE_EQ(first.depth, 24.6);
    EXPECT_EQ(first.region, kNbsp + " NEAR THE EAST COAST OF HONSHU, JAPAN");
    EXPECT_TRUE(first.time.valid);
    EXPECT_DOUBLE_EQ(first.time.value, OleDateFromCalendar(2011, 3, 15, 9, 1, 28).value);
    EXPECT_DOUBLE_EQ(list.at(1).magnitude, 6.2);
    EXPECT_EQ(list.at(1).region, kNbsp + " EASTERN HONSHU, JAPAN");
    EXPECT_DOUBLE_EQ(list.at(3).longitude, -72.89);
}

TEST(HtmlDocument, TablesAndRowsAreTheOnesABrowserBuilds)
{
    // Nested tables come after their outer table and keep their own rows.
    const auto nested = Dump(*OpenHtmlDocument(
        "<table><tr><td>a</td><td><table><tr><td>x</td><td>y</td></tr></table></td></tr>"
        "<tr><td>b</td></tr></table><table><tr><td>c</td></tr></table>"));
    ASSERT_EQ(nested.size(), 3u);
    EXPECT_EQ(nested[0], (Rows{{"a", "x\ty"}, {"b"}}));
    EXPECT_EQ(nested[1], (Rows{{"x", "y"}}));
    EXPECT_EQ(nested[2], (Rows{{"c"}}));

    // Unclosed cells and rows, an implicit tbody, th cells.
    EXPECT_EQ(FirstTable("<table><tr><th>h<td>1<td>2<tr><td>3</table>"),
              (Rows{{"h", "1", "2"}, {"3"}}));
    // thead rows first and tfoot rows last, wherever they stand.
    EXPECT_EQ(FirstTable("<table><tfoot><tr><td>f</tfoot><tr><td>b1<thead><tr><th>h</thead>"
                         "<tbody><tr><td>b2</tbody></table>"),
              (Rows{{"h"}, {"b1"}, {"b2"}, {"f"}}));
    // Tables written in any case, in a comment or in script text.
    const auto spelled = Dump(*OpenHtmlDocument(
        "<!-- <table> "
        "--><script>'<table>'</script><TABLE\n><tr><td>1<td><Table\tid=x><tr><td>2</TABLE>"));
    EXPECT_EQ(spelled, (std::vector<Rows>{{{"1", "2"}}, {{"2"}}}));
}

// Every character that may end a tag name after "table": a table missed by the
// count of table tags would end the walk before it.
TEST(HtmlDocument, EveryWayOfEndingTheTableTagNameCounts)
{
    for (const std::string end : {">", "/>", " >", "\t>", "\n>", "\r>", "\f>", " id=x>"}) {
        SCOPED_TRACE(testing::PrintToString(end));
        const auto tables = Dump(*OpenHtmlDocument("<table><tr><td>1</table><TABLE" + end
                                                   + "<tr><td>2</table><table><td>3</table>"));
        EXPECT_EQ(tables, (std::vector<Rows>{{{"1"}}, {{"2"}}, {{"3"}}}));
    }
}

// A maintenance or captive-portal page must not pass for a feed without quakes.
TEST(HtmlDocument, APageWithoutATableIsNoFeed)
{
    for (const std::string page : {"", "no tables here", "<!-- <table> --><p>Back soon</p>",
                                   "<template><table><tr><td>1</table></template>", "<tablex>"}) {
        SCOPED_TRACE(page);
        EXPECT_FALSE(OpenHtmlDocument(page)->ViewableAsTables());
    }
    EXPECT_TRUE(OpenHtmlDocument("<table></table>")->ViewableAsTables());

    Browser browser;
    browser.document = OpenHtmlDocument(ReadTestFile("classic_page.html"));
    QuakeList list;
    std::vector<std::string> reports;
    const auto report = [&](const std::string& text) { reports.push_back(text); };
    ASSERT_TRUE(list.ParsePage(browser, report));
    browser.document = OpenHtmlDocument("<html><body><h1>Down for maintenance</h1></body></html>");
    EXPECT_FALSE(list.ParsePage(browser, report));
    EXPECT_EQ(reports, std::vector<std::string>{"Error: no QueryInterface(IID_IHTMLDocument3..."});
    EXPECT_EQ(list.count(), 5);

    // Tables without a quake row are a feed with no quakes.
    browser.document = OpenHtmlDocument("<table><tr><td>Nothing happened</td></tr></table>");
    EXPECT_TRUE(list.ParsePage(browser, report));
    EXPECT_EQ(list.count(), 0);
}

TEST(HtmlDocument, CellTextIsWhatABrowserRenders)
{
    EXPECT_EQ(CellText("  a \n\t b  "), "a b");
    EXPECT_EQ(CellText("<b>a</b> <i>b</i>c"), "a bc");
    EXPECT_EQ(CellText("a <br> b<br/>"), "a\nb\n");
    EXPECT_EQ(CellText("<br>a"), "\na");
    EXPECT_EQ(CellText(" x <div> y </div> z "), "x\ny\nz");
    EXPECT_EQ(CellText("<p>x</p><p>y</p>"), "x\n\ny");
    EXPECT_EQ(CellText("<ul><li>1</li><li>2</li></ul>"), "1\n2");
    EXPECT_EQ(CellText("&amp;&lt;&eacute;&#x20AC;"), "&<\u00E9\u20AC");
    EXPECT_EQ(CellText("&nbsp;&nbsp; x&nbsp;"), kNbsp + kNbsp + " x" + kNbsp);
    EXPECT_EQ(CellText("a<script>var s = '<td>';</script>b<style>td{}</style><!-- c -->"), "ab");
    EXPECT_EQ(CellText("<pre>a  b\n c</pre>"), "a  b\n c");
}

TEST(HtmlDocument, HiddenElementsAddNoText)
{
    EXPECT_EQ(CellText("5.5<span hidden>9</span>"), "5.5");
    EXPECT_EQ(CellText("a<div HIDDEN=\"\"><b>x</b></div> b"), "a b");
    EXPECT_EQ(CellText("a<p hidden>x</p>b"), "ab");
    EXPECT_EQ(CellText("<table><tr><td hidden>x<td>y<td>z</table>"), "y\tz");
}

// No quake cell comes near the bound; it keeps a page of cells nested in
// cells from costing the square of its size.
TEST(HtmlDocument, CellTextIsBounded)
{
    std::string words;
    for (int i = 0; i < 100000; ++i)
        words += "word  ";
    const std::string text = CellText(words);
    EXPECT_EQ(text.size(), 4096u);
    EXPECT_EQ(text.substr(0, 10), "word word ");

    // The bound never cuts a character in two.
    std::string accents = "a";
    for (int i = 0; i < 100000; ++i)
        accents += "\u00E9";
    const std::string cut = CellText("<pre>" + accents + "</pre>");
    EXPECT_EQ(cut.size(), 4095u);
    EXPECT_TRUE(accents.starts_with(cut));
}

// Every tenth table holds a quake row whose region cell holds all the tables
// below it: each row read renders the rest of the page unless its text ends.
TEST(HtmlDocument, TablesNestedTenThousandDeepAreWalked)
{
    constexpr int kDepth = 10000;
    std::string page;
    for (int i = 0; i < kDepth; ++i)
        page += i % 10 == 0 ? "<table><tr><td>x<td>5.5<td>2011/03/15 09:01:28<td>1<td>2<td>3<td>"
                            : "<table><tr><td>";
    page += "innermost";
    Browser browser;
    browser.document = OpenHtmlDocument(page);
    QuakeList list;
    ASSERT_TRUE(list.ParsePage(browser, [](const std::string& text) { FAIL() << text; }));
    ASSERT_EQ(list.count(), kDepth / 10);
    EXPECT_EQ(list.at(kDepth / 10 - 1).region, "innermost");
    for (int i = 0; i < kDepth / 10; i += 97)
        EXPECT_LE(list.at(i).region.size(), 3 * 4096u) << i;
}

TEST(HtmlDocument, DeepNestingIsWalkedWithoutRecursion)
{
    // 900,000 levels: too deep for any walk or tree teardown that recurses.
    std::string deep;
    for (int i = 0; i < 900000; ++i)
        deep += "<span>";
    EXPECT_EQ(CellText(deep + "deep"), "deep");
}

TEST(HtmlDocument, PagesThatAreNotUtf8AreReadInTheirDeclaredCharset)
{
    const std::string latin1 =
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
        "<table><tr><td>Mal\xE9"
        "cot \x80 \x93q\x94</td></tr></table>";
    EXPECT_EQ(FirstTable(latin1), (Rows{{"Mal\u00E9cot \u20AC \u201Cq\u201D"}}));
    // Valid UTF-8 is left alone whatever the declaration says.
    EXPECT_EQ(FirstTable("<meta charset=iso-8859-1><table><td>\u00E9</table>"), (Rows{{"\u00E9"}}));
    // A page declaring UTF-8 keeps it, with a replacement for each bad byte.
    EXPECT_EQ(FirstTable("<meta charset='UTF-8'><table><td>a\xE9z</table>"), (Rows{{"a\uFFFDz"}}));
}

TEST(Charset, FindsTheDeclarationAndDecodes)
{
    EXPECT_EQ(DeclaredCharset("<html><head><META CHARSET=\"Windows-1252\">"), "windows-1252");
    EXPECT_EQ(
        DeclaredCharset("<meta http-equiv=Content-Type content='text/html;charset=ISO-8859-1'>"),
        "iso-8859-1");
    EXPECT_EQ(DeclaredCharset("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><html>"),
              "iso-8859-1");
    EXPECT_EQ(DeclaredCharset("<html><meta name=viewport content=width>"), "");
    EXPECT_EQ(DeclaredCharset(std::string(2000, ' ') + "<meta charset=latin1>"), "");

    EXPECT_EQ(ToUtf8("caf\xC3\xA9 \xE2\x82", ""), "caf\u00E9 ");  // a character cut off at the end
    EXPECT_EQ(ToUtf8("\xFF\x81", "x-unknown"), "\u00FF\u0081");
    EXPECT_EQ(ToUtf8("\xED\xA0\x80", "utf-8"),
              "\uFFFD\uFFFD\uFFFD");  // a surrogate is no character
}

}  // namespace
}  // namespace tremolux
