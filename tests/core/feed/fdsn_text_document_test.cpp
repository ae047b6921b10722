#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/feed/DocumentDump.h"
#include "core/feed/FdsnTextDocument.h"
#include "core/feed/FeedFormat.h"
#include "core/feed/OpenFeedDocument.h"
#include "core/feed/QuakeList.h"

namespace tremolux {
namespace {

const std::string kHeader =
    "#EventID|Time|Latitude|Longitude|Depth/km|Author|Catalog|Contributor|ContributorID|MagType|"
    "Magnitude|MagAuthor|EventLocationName\n";

struct Browser final : FeedBrowser {
    std::unique_ptr<FeedDocument> document;
    void Navigate2(const std::string&) override {}
    int GetReadyState() const override { return kReadyStateComplete; }
    void Refresh() override {}
    const FeedDocument* GetHtmlDocument() const override { return document.get(); }
};

TEST(FdsnTextDocument, AnAgencysAnswerIsReadIntoQuakeRowsWithIdAndMagnitudeType)
{
    const std::string answer = ReadTestFile("emsc_fdsn.txt");
    EXPECT_EQ(GuessFeedFormat(" \r\n" + answer), FeedFormat::FdsnText);
    const std::vector<Rows> tables = Dump(*OpenFeedDocument(answer));
    ASSERT_EQ(tables.size(), 1u);
    ASSERT_EQ(tables[0].size(), 3u);
    EXPECT_EQ(tables[0][0],
              (std::vector<std::string>{"20251207_0000071", "5.2", "2025/12/07 05:00:20", "37.61",
                                        "142.11", "30.0", "NEAR EAST COAST OF HONSHU, JAPAN"}));

    Browser browser;
    browser.document = OpenFdsnTextDocument(answer);
    QuakeList quakes;
    ASSERT_TRUE(quakes.ParsePage(browser, [](const std::string& text) { ADD_FAILURE() << text; }));
    ASSERT_EQ(quakes.count(), 3);
    EXPECT_EQ(quakes.at(1).eventId, "20251207_0000065");
    EXPECT_EQ(quakes.at(1).magnitudeType, "ML");
    EXPECT_EQ(quakes.at(1).eventPage, "");
    EXPECT_EQ(quakes.at(1).region, "SOUTHERN ITALY");
    EXPECT_DOUBLE_EQ(quakes.at(1).depth, 2.0);
}

// Only whole lines become rows: a short line is skipped, a long one read, and
// a line the end of the text cuts off fails to fetch.
TEST(FdsnTextDocument, OnlyWholeLinesAreRows)
{
    const std::string line = "id1|2025-12-07T05:00:00|1|2|3|a|c|c|1|mb|4.5|a|Here\n";
    struct Case {
        std::string body;
        std::size_t rows;
        bool brokenOff;
    };
    for (const Case& c : std::vector<Case>{
             {line + line, 2, false},
             {line + "# a comment\n\r\n" + line, 2, false},
             {"id0|2025-12-07T05:00:00|1|2\n" + line, 1, false},
             {line + "id3|2025-12-07T05:00:00|1|2|3|a|c|c|1|mb|4.5|a|Here|earthquake|more\n", 2,
              false},
             {line + line.substr(0, 30), 1, true},
             {line + line.substr(0, line.size() - 1), 2, false},
         }) {
        const auto document = OpenFdsnTextDocument(kHeader + c.body);
        ASSERT_TRUE(document->ViewableAsTables()) << c.body;
        const FeedTable* table = document->Tables()->Table(0);
        EXPECT_EQ(table->RowCount(), static_cast<int>(c.rows + (c.brokenOff ? 1 : 0))) << c.body;
        EXPECT_EQ(table->Row(static_cast<int>(c.rows)) == nullptr, true) << c.body;
    }
}

TEST(FdsnTextDocument, AnswersThatAreNoEventTextSaySo)
{
    for (const std::string& answer :
         {std::string(), std::string("Error 400: Bad Request\n\nSyntax Error"),
          std::string("#EventID|Time|Latitude|Longitude\n1|t|1|2\n"),
          kHeader.substr(0, kHeader.size() - 1)})
        EXPECT_FALSE(OpenFdsnTextDocument(answer)->ViewableAsTables()) << answer;
    EXPECT_TRUE(IsFdsnTextHeader("# eventid | TIME|latitude|Longitude|magnitude\r"));
    EXPECT_FALSE(IsFdsnTextHeader("EventID|Time|Latitude|Longitude|Magnitude"));
}

}  // namespace
}  // namespace tremolux
