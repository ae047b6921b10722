#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/feed/DocumentDump.h"
#include "core/feed/HtmlDocument.h"
#include "core/feed/PlainTablePage.h"

namespace tremolux {
namespace {

// Every cell's link of every table, in walk order.
std::vector<std::string> Links(const FeedDocument& document)
{
    std::vector<std::string> links;
    const FeedTables* tables = document.Tables();
    for (int t = 0; tables && t < tables->Count(); ++t) {
        const FeedTable* table = tables->Table(t);
        for (int r = 0; table && r < table->RowCount(); ++r) {
            const FeedRow* row = table->Row(r);
            for (int c = 0; row && c < row->CellCount(); ++c)
                links.push_back(row->CellLink(c));
        }
    }
    return links;
}

// Pages the scanner reads itself and pages it leaves to the tree: either way
// the document is the one the full parser builds.
TEST(PlainTablePage, ReadsPlainTablesAsTheTreeDoesAndLeavesTheRestToIt)
{
    struct Case {
        std::string page;
        bool scanned;
    };
    const Case cases[] = {
        {ReadTestFile("classic_page.html"), true},
        {"<table><tr><td>a<td>b<tr><th>c</table><table><td>d</table>", true},
        {"<table><tfoot><tr><td>f</tfoot><tr><td>b<thead><tr><td>h</thead></table>", true},
        {"<table><tr><td> x&amp;y &nbsp;<br> z <b>w</b> &#65;&#x42;&lt;</td></tr>", true},
        {"<table><tr><td><a name=top>t</a><A HREF='/q/1' href=/other>1</A><a href=x>2</a>", true},
        {"<!DOCTYPE html><title>a <table> b</title><p>c<table><!-- <td> --><tr><td>d", true},
        {"<table><tr><td>a < b <br/>c</td></tr></table>", true},
        {"<table><tr><td>a<script>b</script></td></tr></table>", false},
        {"<table><tr><td>a<table><tr><td>b</table>c</td></tr></table>", false},
        {"<table><tr><td><b><i>a</b>b</i></td></tr></table>", false},
        {"<table><tr>stray<td>a</td></tr></table>", false},
        {"<table><tr><td>&eacute; &amp</td></tr></table>", false},
        {"<table><tr><td>a<!-->b</td></tr></table>", false},
        {"<table><tr><td><span hidden>a</span>b</td></tr></table>", false},
        {"<table><tr><td><a href='a&amp;b'>a</a></td></tr></table>", false},
        {"<svg><table><tr><td>a</td></tr></table></svg>", false},
        {"<table><tr><td>a\x05b\u0085c</td></tr></table>", false},
        {"<p>no table</p>", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page.substr(0, 80));
        EXPECT_EQ(ScanPlainTablePage(c.page) != nullptr, c.scanned);
        const auto read = OpenHtmlDocument(c.page);
        const auto built = OpenHtmlTreeDocument(c.page);
        EXPECT_EQ(read->ViewableAsTables(), built->ViewableAsTables());
        EXPECT_EQ(Dump(*read), Dump(*built));
        EXPECT_EQ(Links(*read), Links(*built));
    }
}

}  // namespace
}  // namespace tremolux
