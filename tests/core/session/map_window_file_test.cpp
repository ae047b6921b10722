#include <gtest/gtest.h>

#include "core/session/MapWindowFile.h"

namespace tremolux {
namespace {

MapWindow Manila()
{
    MapWindow window;
    window.city = CityAt("Manila", 14.599512, 120.984222);
    window.settings.hours = 168;
    window.settings.nearestRadius = 15000000.0;
    window.settings.pieRadius = 0.0;
    window.settings.drawTexts = 0;
    return window;
}

TEST(MapWindowFileTest, EveryFieldSurvivesWriteAndRead)
{
    const MapWindow written = Manila();
    const std::string text = WriteMapWindow(written);
    EXPECT_EQ(text.substr(0, text.find('\n')), "Tremolux map window 1");

    const Result<MapWindow> read = ReadMapWindow(text);
    ASSERT_TRUE(read) << read.error();
    EXPECT_EQ(read->city.name, "Manila");
    EXPECT_EQ(read->city.position.latDecimal, 14.599512);
    EXPECT_EQ(read->city.position.lonDecimal, 120.984222);
    EXPECT_EQ(read->city.position.north, 1);
    EXPECT_EQ(read->city.position.west, 0);
    EXPECT_EQ(read->settings.hours, 168);
    EXPECT_EQ(read->settings.nearestRadius, 15000000.0);
    EXPECT_EQ(read->settings.pieRadius, 0.0);
    EXPECT_EQ(read->settings.drawTexts, 0);

    // South and west, a name beyond ASCII, CRLF line ends and a comment.
    std::string crlf = "Tremolux map window 1\r\n# mine\r\ncity=S\xC3\xA3o Paulo\r\n"
                       "latitude=-23.55\r\nlongitude=-46.633\r\nhours=0\r\nnearest_km=0\r\n"
                       "pie_km=1000\r\ntexts=1\r\n";
    const Result<MapWindow> south = ReadMapWindow(crlf);
    ASSERT_TRUE(south) << south.error();
    EXPECT_EQ(south->city.name, "S\xC3\xA3o Paulo");
    EXPECT_EQ(south->city.position.north, 0);
    EXPECT_EQ(south->city.position.west, 1);
    EXPECT_EQ(south->city.position.latDeg, 23.0);
    EXPECT_EQ(south->city.position.latMin, 33.0);
    EXPECT_EQ(south->settings.pieRadius, 1000000.0);
}

TEST(MapWindowFileTest, AnEmptyFileIsTheDefaultWindow)
{
    const Result<MapWindow> read = ReadMapWindow("");
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->city.name.empty());
    EXPECT_EQ(read->settings.hours, DisplaySettings().hours);
}

TEST(MapWindowFileTest, BadFilesNameTheLineAndTheReason)
{
    const std::string good = WriteMapWindow(Manila());
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    struct Case {
        std::string text;
        int line;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"\x89PNG\r\n", 1, "this is not a Tremolux map window file"},
        {replaced(" 1\n", " 2\n"), 1,
         "the file was written by a newer version of Tremolux (format version 2)"},
        {replaced(" 1\n", " one\n"), 1, "the format version is not a number"},
        {replaced(" 1\n", " 0\n"), 1, "the format version is not a number"},
        {replaced("city=Manila", "city="), 2, "the city name must be one line of text"},
        {replaced("city=Manila", "city=Ma\x01la"), 2, "the city name must be one line of text"},
        {replaced("city=Manila", "city=Ma\xFFla"), 2, "the city name must be one line of text"},
        {replaced("latitude=14.599512", "latitude=91"), 3,
         "latitude must be a number of degrees inside -90 ... 90"},
        {replaced("latitude=14.599512", "latitude=-91"), 3,
         "latitude must be a number of degrees inside -90 ... 90"},
        {replaced("longitude=120.984222", "longitude=nan"), 4,
         "longitude must be a number of degrees inside -180 ... 180"},
        {replaced("hours=168", "hours=169"), 5, "hours must be a whole number inside 0 ... 168"},
        {replaced("hours=168", "hours=48.5"), 5, "hours must be a whole number inside 0 ... 168"},
        {replaced("nearest_km=15000", "nearest_km=-1"), 6,
         "nearest_km must be a whole number inside 0 ... 15000"},
        {replaced("pie_km=0", "pie_km=1001"), 7, "pie_km must be a whole number inside 0 ... 1000"},
        {replaced("texts=0", "texts=yes"), 8, "texts must be 0 or 1"},
        {replaced("texts=0", "colour=red"), 8, "unknown key \"colour\""},
        {replaced("texts=0", "just words"), 8, "a key=value line was expected"},
        {replaced("texts=0", "hours=1"), 8, "\"hours\" is given twice"},
        {replaced("texts=0\n", ""), 7, "\"texts\" is missing"},
    };
    for (const Case& c : cases) {
        const Result<MapWindow> read = ReadMapWindow(c.text);
        ASSERT_FALSE(read) << c.text;
        EXPECT_EQ(read.error(), "line " + std::to_string(c.line) + ": " + c.error) << c.text;
    }
}

}  // namespace
}  // namespace tremolux
