#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/common/CNumbers.h"
#include "core/common/OleDate.h"
#include "core/feed/DocumentDump.h"
#include "core/feed/GeoJsonDocument.h"
#include "core/feed/OpenFeedDocument.h"

namespace tremolux {
namespace {

std::string Feature(const std::string& properties,
                    const std::string& coordinates = "[10.5, -20.25, 33]")
{
    return R"({"type":"Feature","properties":{)" + properties
           + R"(},"geometry":{"type":"Point","coordinates":)" + coordinates + "}}";
}

std::string Collection(const std::vector<std::string>& features)
{
    std::string json = R"({"type":"FeatureCollection","features":[)";
    for (std::size_t i = 0; i < features.size(); ++i)
        json += (i ? "," : "") + features[i];
    return json + "]}";
}

Rows RowsOf(const std::string& json)
{
    const auto document = OpenGeoJsonDocument(json);
    EXPECT_TRUE(document->ViewableAsTables()) << json;
    const auto tables = Dump(*document);
    return tables.size() == 1 ? tables[0] : Rows{};
}

TEST(GeoJsonDocument, SampleFeedGivesOneSevenCellRowPerEarthquake)
{
    const auto document = OpenFeedDocument(ReadTestFile("usgs_all_week.geojson"));
    ASSERT_TRUE(document->ViewableAsTables());
    const Rows rows = Dump(*document).at(0);
    ASSERT_EQ(rows.size(), 4u);  // the quarry blast is left out
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{
                  "https://earthquake.usgs.gov/earthquakes/eventpage/us6000rk1a", "5.1",
                  "2025/12/07 05:00:00", "37.52", "142.05", "31.2", "93 km E of Namie, Japan"}));
    EXPECT_EQ(rows[2][1], "");
    EXPECT_EQ(rows[3][6], "South Sandwich Islands region");
    EXPECT_EQ(rows[3][5], "10");
}

TEST(GeoJsonDocument, PropertiesReadWhateverTheirOrderAndNulls)
{
    const Rows rows = RowsOf(Collection({
        Feature(R"("place":null,"mag":5,"time":-1,"type":"earthquake","url":"u\"1\"")"),
        Feature(R"("mag":2.5,"type":"explosion","time":0)"),
        Feature(R"("time":1500,"mag":null)", "[1, 2]"),
        Feature(R"("time":-86400001,"place":"Caf\u00e9")"),
    }));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"u\"1\"", "5", "1969/12/31 23:59:59", "-20.25",
                                                 "10.5", "33", ""}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"", "", "1970/01/01 00:00:01", "2", "1", "", ""}));
    EXPECT_EQ(rows[2][2], "1969/12/30 23:59:59");
    EXPECT_EQ(rows[2][6], "Caf\u00E9");
}

// The walk takes the numbers without their text; what it takes must be what
// the text reads as, to the last bit, for every value a feed may hold.
TEST(GeoJsonDocument, NumbersAreWhatTheirTextReadsAs)
{
    const std::vector<std::string> values = {"0",
                                             "-0",
                                             "0.1",
                                             "-33.333333333333336",
                                             "179.99999999999997",
                                             "1e-7",
                                             "5e-324",
                                             "2.2250738585072014e-308",
                                             "1.7976931348623157e308",
                                             "12345678901234567890",
                                             "4.35",
                                             "0.30000000000000004",
                                             "-1.5E+2",
                                             "7e22"};
    std::vector<std::string> features;
    for (const std::string& value : values)
        features.push_back(
            Feature(R"("mag":)" + value, "[" + value + ", " + value + ", " + value + "]"));
    const auto document = OpenGeoJsonDocument(Collection(features));
    const FeedTable* table = document->Tables()->Table(0);
    ASSERT_EQ(table->RowCount(), static_cast<int>(values.size()));
    for (int r = 0; r < table->RowCount(); ++r) {
        const FeedRow* row = table->Row(r);
        for (const int cell : {1, 3, 4, 5}) {
            const std::optional<double> number = row->CellNumber(cell);
            ASSERT_TRUE(number.has_value()) << values[r];
            const double fromText = CAtof(row->CellText(cell));
            EXPECT_EQ(std::memcmp(&*number, &fromText, sizeof fromText), 0)
                << values[r] << " reads as " << row->CellText(cell);
        }
        for (const int cell : {0, 2, 6, 7, -1})
            EXPECT_FALSE(row->CellNumber(cell).has_value());
    }
}

// The walk takes the dates without parsing their text; what it takes must be
// what the date parser reads in the text, to the last bit, from the first
// four-digit year to the last, and nothing where the parser's rules differ.
TEST(GeoJsonDocument, DatesAreWhatTheirTextReadsAs)
{
    std::vector<std::string> times = {
        "-30610224000000",  // 1000-01-01 00:00:00
        "253402300799999",  // 9999-12-31 23:59:59.999
        "-30610224000001",  // 999-12-31 23:59:59.999: no fast date
        "253402300800000",  // 10000-01-01: no fast date
        "-2209161600000",   // 1899-12-30, day 0
        "-2209161600001",  "-2209118400000", "-2209204800000", "951782400000", "0", "-1",
        "1765087200000",   "1765087199999.5"};
    std::uint64_t state = 88172645463325252ULL;
    for (int i = 0; i < 2000; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        times.push_back(
            std::to_string(-30610224000000LL + static_cast<long long>(state % 284012524800000ULL)));
    }
    std::vector<std::string> features;
    for (const std::string& time : times)
        features.push_back(Feature(R"("time":)" + time));
    const auto document = OpenGeoJsonDocument(Collection(features));
    const FeedTable* table = document->Tables()->Table(0);
    ASSERT_EQ(table->RowCount(), static_cast<int>(times.size()));
    int fast = 0;
    for (int r = 0; r < table->RowCount(); ++r) {
        const FeedRow* row = table->Row(r);
        const OleDate parsed = ParseOleDate(row->CellText(2));
        if (const std::optional<OleDate> date = row->CellDate(2)) {
            ++fast;
            EXPECT_TRUE(parsed.valid) << times[r];
            EXPECT_EQ(std::memcmp(&date->value, &parsed.value, sizeof parsed.value), 0)
                << times[r] << " reads as " << row->CellText(2);
        }
        EXPECT_FALSE(row->CellDate(1).has_value());
    }
    EXPECT_FALSE(table->Row(2)->CellDate(2).has_value());
    EXPECT_FALSE(table->Row(3)->CellDate(2).has_value());
    EXPECT_EQ(fast, static_cast<int>(times.size()) - 2);
}

TEST(GeoJsonDocument, JsonThatIsNoFeatureCollectionCannotBeViewed)
{
    for (const char* json : {R"({"type":"Feature","features":[]})", "[1,2]", "{\"features\":[]}",
                             "{oops", "", "\"FeatureCollection\"", "}{"})
        EXPECT_FALSE(OpenGeoJsonDocument(json)->ViewableAsTables()) << json;
    EXPECT_TRUE(
        OpenFeedDocument("\xEF\xBB\xBF {\"type\":\"FeatureCollection\"}")->ViewableAsTables());
}

TEST(GeoJsonDocument, FeaturesWithoutAPositionAreSkippedAndANullDepthIsEmpty)
{
    const Rows rows = RowsOf(Collection({
        Feature(R"("mag":4.0,"place":"null depth")", "[1, 2, null]"),
        Feature(R"("mag":4.0,"place":"null coordinates")", "null"),
        Feature(R"("mag":4.0,"place":"no coordinates")", "[]"),
        Feature(R"("mag":4.0,"place":"one number")", "[1]"),
        Feature(R"("mag":4.0,"place":"null latitude")", "[1, null, 3]"),
        Feature(R"("mag":4.0,"place":"text")", R"("1, 2")"),
        R"({"type":"Feature","properties":{"mag":4.0,"place":"no geometry"}})",
        R"({"type":"Feature","properties":{"mag":4.0,"place":"null geometry"},"geometry":null})",
        R"({"type":"Feature","properties":null,"geometry":{"coordinates":[1,2]}})",
        "null",
        Feature(R"("mag":4.0,"place":"kept")"),
    }));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"", "4", "", "2", "1", "", "null depth"}));
    EXPECT_EQ(rows[1][6], "kept");
}

TEST(GeoJsonDocument, ANumberNoDoubleCanHoldSkipsItsFeature)
{
    const Rows rows = RowsOf(Collection({
        Feature(R"("mag":4.0,"place":"latitude")", "[1, 1e309, 3]"),
        Feature(R"("mag":4.0,"place":"depth")", "[1, 2, -1e999]"),
        Feature(R"("mag":4.0,"time":1e400,"place":"time")"),
        Feature(R"("mag":1e309,"place":"magnitude")"),
        Feature(R"("mag":4.0,"felt":1e999,"place":"unread member")"),
        Feature(R"("mag":4.0,"place":"kept")"),
    }));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][6], "unread member");
    EXPECT_EQ(rows[1][6], "kept");
}

TEST(GeoJsonDocument, BrokenJsonEndsTheTableThere)
{
    const auto document = OpenGeoJsonDocument(Collection({
        Feature(R"("mag":4.0,"place":"kept")"),
        Feature(R"("mag":4.0,"place":"broken",,)"),
        Feature(R"("mag":4.0,"place":"never read")"),
    }));
    ASSERT_TRUE(document->ViewableAsTables());
    const FeedTable* table = document->Tables()->Table(0);
    ASSERT_EQ(table->RowCount(), 2);
    EXPECT_EQ(table->Row(0)->CellText(6), "kept");
    EXPECT_EQ(table->Row(1), nullptr);
}

// Cut anywhere, the feed keeps exactly the rows completed before the cut and
// fails at the next one, or cannot be viewed at all if the cut came too early.
TEST(GeoJsonDocument, ATruncatedFeedKeepsTheRowsBeforeTheCut)
{
    const std::string full = ReadTestFile("usgs_all_week.geojson");
    const Rows all = Dump(*OpenGeoJsonDocument(full)).at(0);
    int viewable = 0;
    for (std::size_t length = 0; length < full.size(); ++length) {
        const auto document = OpenGeoJsonDocument(full.substr(0, length));
        if (!document->ViewableAsTables())
            continue;
        ++viewable;
        const Rows rows = Dump(*document).at(0);
        const FeedTable* table = document->Tables()->Table(0);
        ASSERT_EQ(table->RowCount(), static_cast<int>(rows.size()) + 1) << length;
        ASSERT_LE(rows.size(), all.size());
        ASSERT_TRUE(std::equal(rows.begin(), rows.end(), all.begin())) << length;
    }
    EXPECT_GT(viewable, static_cast<int>(full.size()) * 9 / 10);
}

// JSON is UTF-8: a bad byte is replaced, and the text around it stays as it is.
TEST(GeoJsonDocument, BytesThatAreNotUtf8AreReplaced)
{
    const Rows rows = RowsOf(Collection({Feature("\"place\":\"Mal\xE9"
                                                 "cot, Caf\xC3\xA9\"")}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][6], "Mal\uFFFDcot, Caf\u00E9");
}

}  // namespace
}  // namespace tremolux
