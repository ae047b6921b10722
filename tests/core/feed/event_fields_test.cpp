#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "core/feed/QuakeList.h"
#include "support/HeldPage.h"

namespace tremolux {
namespace {

QuakeRecord FirstQuake(const std::string& bytes)
{
    const test::HeldPage page(bytes);
    QuakeList quakes;
    EXPECT_TRUE(quakes.ParsePage(page, [](const std::string&) {}));
    return quakes.count() > 0 ? quakes.at(0) : QuakeRecord{};
}

std::string Sample(const char* name)
{
    std::ifstream file(std::string(TREMOLUX_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// What each format says of the event; what it does not say stays unknown,
// never a zero.
TEST(EventFields, ReadWhereTheFeedHasThemUnknownElsewhere)
{
    const QuakeRecord json = FirstQuake(Sample("usgs_all_week.geojson"));
    EXPECT_EQ(json.eventId, "us6000rk1a");
    EXPECT_EQ(json.ids, ",us6000rk1a,");
    EXPECT_EQ(json.status, "reviewed");
    EXPECT_EQ(json.magnitudeType, "ml");
    EXPECT_EQ(json.network, "us");
    EXPECT_EQ(json.significance, 306);
    EXPECT_EQ(json.tsunami, false);
    EXPECT_FALSE(json.feltReports || json.cdi || json.mmi) << "null in the feed";
    EXPECT_EQ(json.alert, "");
    EXPECT_TRUE(json.updated.valid);

    const QuakeRecord csv = FirstQuake(Sample("usgs_all_week.csv"));
    EXPECT_EQ(csv.eventId, "us6000rk1a");
    EXPECT_EQ(csv.status, "reviewed");
    EXPECT_EQ(csv.magnitudeType, "mb");
    EXPECT_EQ(csv.network, "us");
    EXPECT_DOUBLE_EQ(csv.updated.value, json.updated.value);
    EXPECT_FALSE(csv.significance || csv.tsunami);

    const QuakeRecord page = FirstQuake(Sample("classic_page.html"));
    EXPECT_EQ(page.eventId, "");
    EXPECT_FALSE(page.updated.valid || page.significance || page.tsunami);

    // A hostile feed: ids with control characters and absurd lengths come
    // out bounded and printable; a number no double holds is unknown.
    const QuakeRecord hostile = FirstQuake(
        R"({"type":"FeatureCollection","features":[{"type":"Feature","id":"a\u0007b\tc","properties":)"
        R"({"mag":4.0,"felt":1e999,"ids":",)"
        + std::string(100000, 'x')
        + R"(,"},"geometry":)"
          R"({"type":"Point","coordinates":[1,2,3]}}]})");
    EXPECT_EQ(hostile.eventId, "a\xEF\xBF\xBD"
                               "b\xEF\xBF\xBD"
                               "c");
    EXPECT_LE(hostile.ids.size(), 4096u);
    EXPECT_FALSE(hostile.feltReports);
}

}  // namespace
}  // namespace tremolux
