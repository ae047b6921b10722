#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/feed/CsvDocument.h"
#include "core/feed/DocumentDump.h"
#include "core/feed/GeoJsonDocument.h"
#include "core/feed/OpenFeedDocument.h"

namespace tremolux {
namespace {

const std::string kQuakeTable =
    "<table><tr><td>MAP</td><td>4.5</td><td>2025/12/07 05:00:00</td>"
    "<td>37.52</td><td>142.05</td><td>31.2</td><td>Namie</td></tr></table>";

std::vector<Rows> Open(const std::string& bytes)
{
    const auto document = OpenFeedDocument(bytes);
    EXPECT_TRUE(document->ViewableAsTables()) << bytes;
    return Dump(*document);
}

TEST(OpenFeedDocument, PagesThatMerelyStartLikeJsonOrCsvAreReadAsHtml)
{
    for (const std::string start :
         {"Earthquakes, past 7 days\n", "Time,Place,Magnitude\n", "[Earthquakes]\n",
          "[1] Earthquakes, past day\n", "{{banner}}\n", "[]<p>none</p>\n", "{\"a\":1} trailing\n",
          "{\"a\":1,}\n", "time,latitude,longitude,depth\n",
          "#EventID|Time|Latitude|Longitude\n"}) {
        const std::vector<Rows> tables = Open(start + "<html><body>" + kQuakeTable);
        ASSERT_EQ(tables.size(), 1u) << start;
        EXPECT_EQ(tables[0].at(0).at(6), "Namie") << start;
    }
}

TEST(OpenFeedDocument, OnlyAHeaderNamingTheQuakeColumnsMakesCsv)
{
    EXPECT_FALSE(OpenCsvDocument("time,latitude,longitude,depth\n1,2,3,4\n")->ViewableAsTables());
    EXPECT_FALSE(IsCsvHeader("Earthquakes, past 7 days"));
    EXPECT_TRUE(IsCsvHeader("\"place\",mag,time,extra,latitude,longitude\r"));
}

// Cut anywhere, a feed still reaches its own reader and reads as it does there.
TEST(OpenFeedDocument, CutFeedsReachTheirOwnReader)
{
    const std::string json = ReadTestFile("usgs_all_week.geojson");
    for (std::size_t length = 1; length <= json.size(); ++length) {
        const std::string cut = json.substr(0, length);
        const auto expected = OpenGeoJsonDocument(cut);
        const auto document = OpenFeedDocument(" \r\n" + cut);
        ASSERT_EQ(document->ViewableAsTables(), expected->ViewableAsTables()) << length;
        ASSERT_EQ(Dump(*document), Dump(*expected)) << length;
        ASSERT_EQ(document->Tables()->Table(0)->RowCount(),
                  expected->Tables()->Table(0)->RowCount())
            << length;
    }
    const std::string csv = ReadTestFile("usgs_all_week.csv");
    for (std::size_t length = csv.find('\n') + 1; length <= csv.size(); ++length) {
        const std::string cut = csv.substr(0, length);
        const auto document = OpenFeedDocument(cut);
        ASSERT_TRUE(document->ViewableAsTables()) << length;
        ASSERT_EQ(Dump(*document), Dump(*OpenCsvDocument(cut))) << length;
    }
}

std::string Utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(OpenFeedDocument, Utf16FeedsOfEveryFormatAreRead)
{
    for (const bool bigEndian : {false, true}) {
        const std::vector<Rows> page =
            Open(Utf16(u"<html><head><meta charset=iso-8859-1></head><body>"
                       u"<table><tr><td>Krak\u00F3w \u6771\u4EAC \U0001F30B</td></tr></table>",
                       bigEndian));
        ASSERT_EQ(page.size(), 1u);
        EXPECT_EQ(page[0], (Rows{{"Krak\u00F3w \u6771\u4EAC \U0001F30B"}}));

        const std::vector<Rows> json =
            Open(Utf16(u" {\"type\":\"FeatureCollection\",\"features\":[{\"type\":"
                       u"\"Feature\",\"properties\":{\"place\":\"\u0141\u00F3d\u017A\",\"mag\":3},"
                       u"\"geometry\":{\"coordinates\":[19.5,51.8,10]}}]}",
                       bigEndian));
        ASSERT_EQ(json.at(0).size(), 1u);
        EXPECT_EQ(json[0][0][6], "\u0141\u00F3d\u017A");

        const std::vector<Rows> csv =
            Open(Utf16(u"time,latitude,longitude,mag,place\r\nt,1,2,3,\u00C9vora\r\n", bigEndian));
        ASSERT_EQ(csv.at(0).size(), 1u);
        EXPECT_EQ(csv[0][0][6], "\u00C9vora");
    }
}

}  // namespace
}  // namespace tremolux
