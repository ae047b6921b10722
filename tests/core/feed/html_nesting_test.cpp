#include <string>

#include <gtest/gtest.h>

#include "core/feed/HtmlDocument.h"
#include "core/feed/HtmlNesting.h"

using namespace tremolux;

namespace {

std::string Repeated(const std::string& text, std::size_t times)
{
    std::string repeated;
    repeated.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

const std::string kTable = "<table><tr><td>5.8</td><td>Honshu</td></tr></table>";

TEST(HtmlNesting, StartTagsBeyondTheDepthAreTakenOutAndTheRestKept)
{
    const std::string deep = Repeated("<div>", kMaxHtmlDepth);
    const struct {
        std::string page;
        std::string built;
    } rows[] = {
        {deep + "<div class=\"a>b\"><b>x</b>", deep + "x</b>"},
        {deep + "<p><li><br><img src=x><table>", deep + "<p><li><br><img src=x><table>"},
        {deep + "<!-- <div> --><script><div></SCRIPT>",
         deep + "<!-- <div> --><script><div></SCRIPT>"},
        {"<div></div>" + deep + "</div><span>", "<div></div>" + deep + "</div><span>"},
        {"<b><i></b>" + deep + "<u>", "<b><i></b>" + deep},
    };
    for (const auto& row : rows) {
        const CappedHtml capped = CapHtmlNesting(row.page);
        EXPECT_EQ(capped.page, row.built) << row.page.substr(kMaxHtmlDepth * 5);
    }
    EXPECT_EQ(CapHtmlNesting("<p><div></div><td><!--<p>-->").startTags, 3u);
}

// 100,000 nested elements build fast and keep the table inside them; a page
// of more elements than the tree may take is refused, saying why, however
// plain its tables look.
TEST(HtmlNesting, DeepPagesAreBuiltAndHugeOnesRefused)
{
    const std::string deep = Repeated("<div>", 100'000) + kTable;
    const auto document = OpenHtmlDocument(deep);
    ASSERT_TRUE(document->ViewableAsTables());
    EXPECT_EQ(document->Tables()->Table(0)->Row(0)->CellText(1), "Honshu");
    EXPECT_EQ(document->Failure(), "");

    const auto huge = OpenHtmlDocument(Repeated("<p>", 1'000'001) + kTable);
    EXPECT_FALSE(huge->ViewableAsTables());
    EXPECT_EQ(huge->Failure(), "the page holds more than 1,000,000 elements");
}

}  // namespace
