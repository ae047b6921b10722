#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/feed/CsvDocument.h"
#include "core/feed/DocumentDump.h"
#include "core/feed/OpenFeedDocument.h"
#include "core/feed/QuakeList.h"

namespace tremolux {
namespace {

struct Browser final : FeedBrowser {
    std::unique_ptr<FeedDocument> document;
    void Navigate2(const std::string&) override {}
    int GetReadyState() const override { return kReadyStateComplete; }
    void Refresh() override {}
    const FeedDocument* GetHtmlDocument() const override { return document.get(); }
};

QuakeList Walk(const std::string& feed)
{
    Browser browser;
    browser.document = OpenFeedDocument(feed);
    QuakeList list;
    EXPECT_TRUE(list.ParsePage(browser, [](const std::string& text) { ADD_FAILURE() << text; }));
    return list;
}

Rows RowsOf(const std::string& csv)
{
    const auto document = OpenCsvDocument(csv);
    EXPECT_TRUE(document->ViewableAsTables());
    return Dump(*document).at(0);
}

TEST(CsvDocument, SampleFeedGivesTheSameQuakesAsTheGeoJsonFeed)
{
    const Rows rows = Dump(*OpenFeedDocument(ReadTestFile("usgs_all_week.csv"))).at(0);
    ASSERT_EQ(rows.size(), 4u);  // the quarry blast is left out
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"us6000rk1a", "5.1", "2025/12/07 05:00:00", "37.52",
                                        "142.05", "31.2", "93 km E of Namie, Japan"}));
    EXPECT_EQ(rows[2][1], "");

    const QuakeList fromCsv = Walk(ReadTestFile("usgs_all_week.csv"));
    const QuakeList fromJson = Walk(ReadTestFile("usgs_all_week.geojson"));
    ASSERT_EQ(fromCsv.count(), 3);
    ASSERT_EQ(fromJson.count(), fromCsv.count());
    for (int i = 0; i < fromCsv.count(); ++i) {
        const QuakeRecord& a = fromCsv.at(i);
        const QuakeRecord& b = fromJson.at(i);
        EXPECT_EQ(a.magnitude, b.magnitude);
        EXPECT_EQ(a.latitude, b.latitude);
        EXPECT_EQ(a.longitude, b.longitude);
        EXPECT_EQ(a.depth, b.depth);
        EXPECT_EQ(a.region, b.region);
        EXPECT_TRUE(a.time.valid && b.time.valid);
        EXPECT_EQ(a.time.value, b.time.value);
    }
}

TEST(CsvDocument, ColumnsAreFoundByNameAndFieldsUnquoted)
{
    const Rows rows =
        RowsOf("place,mag,longitude,latitude,time\r\n"
               "\"Near \"\"Big\"\" Town, CA\",4.5,-120.5,35.25,2025-12-07T05:43:57.120Z\r\n"
               "\r\n"
               "\"two\nlines\",3,1,2,2025-12-07 01:02:03,extra\r\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"", "4.5", "2025/12/07 05:43:57", "35.25",
                                                 "-120.5", "", "Near \"Big\" Town, CA"}));
    EXPECT_EQ(rows[1][6], "two\nlines");
    EXPECT_EQ(rows[1][2], "2025-12-07 01:02:03");

    // A repeated name means its first column.
    EXPECT_EQ(RowsOf("mag,place,time,latitude,longitude,mag\n4.5,P,t,1,2,9.9\n").at(0).at(1),
              "4.5");
}

TEST(CsvDocument, OnlyEarthquakesAreRows)
{
    const Rows rows =
        RowsOf("time,latitude,longitude,mag,place,type\n"
               "t,1,2,3,a,earthquake\nt,1,2,3,b,explosion\nt,1,2,3,c,\nt,1,2,3,d,quarry blast\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][6], "a");
    EXPECT_EQ(rows[1][6], "c");
}

TEST(CsvDocument, WhatIsNotAQuakeFeedSaysSo)
{
    EXPECT_FALSE(OpenCsvDocument("")->ViewableAsTables());
    EXPECT_TRUE(IsCsvHeader("time,latitude,\"longitude\",mag,place\r"));
    EXPECT_FALSE(IsCsvHeader("<html>,<body>"));
    EXPECT_FALSE(IsCsvHeader("just words"));
    EXPECT_FALSE(IsCsvHeader("a,,b"));
}

TEST(CsvDocument, RecordsShortOfFieldsAreSkipped)
{
    const Rows rows = RowsOf("time,latitude,longitude,mag,place\n"
                             "t,1,2,3,a\n"
                             "short,2.5\n"
                             "t,1,2,3\n"
                             "t,1,2,3,b");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][6], "a");
    EXPECT_EQ(rows[1][6], "b");
}

TEST(CsvDocument, ARecordCutOffAtTheEndEndsTheTableThere)
{
    for (const char* cut : {"t,1,2,3", "t,1,2,3,\"cut off", "t,1,2,3,\"cut\"\"", "t,1,2,3,\"\n"}) {
        const auto document = OpenCsvDocument(
            std::string("time,latitude,longitude,mag,place\nt,1,2,3,\"kept\"\n") + cut);
        ASSERT_TRUE(document->ViewableAsTables());
        const FeedTable* table = document->Tables()->Table(0);
        ASSERT_EQ(table->RowCount(), 2) << cut;
        EXPECT_EQ(table->Row(0)->CellText(6), "kept");
        EXPECT_EQ(table->Row(1), nullptr);
    }
}

// Cut anywhere after its header, the feed keeps exactly the rows before the
// cut: a record cut short never gives a row.
TEST(CsvDocument, ATruncatedFeedKeepsTheRowsBeforeTheCut)
{
    const std::string full = ReadTestFile("usgs_all_week.csv");
    const Rows all = RowsOf(full);
    for (std::size_t length = full.find('\n') + 1; length < full.size(); ++length) {
        const Rows rows = RowsOf(full.substr(0, length));
        ASSERT_LE(rows.size(), all.size());
        ASSERT_TRUE(std::equal(rows.begin(), rows.end(), all.begin())) << length;
    }
}

}  // namespace
}  // namespace tremolux
