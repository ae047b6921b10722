#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/feed/QuakeList.h"
#include "core/feed/WebAddress.h"
#include "support/HeldPage.h"

namespace tremolux {
namespace {

using test::HeldPage;

QuakeList Parse(const std::string& page)
{
    QuakeList quakes;
    EXPECT_TRUE(quakes.ParsePage(HeldPage(page), [](const std::string& m) { FAIL() << m; }));
    return quakes;
}

TEST(EventPage, EachFeedNamesTheQuakesPage)
{
    const QuakeList geojson = Parse(R"json({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{"mag":5.1,"place":"A","time":1765083600000,
         "url":"https://earthquake.usgs.gov/earthquakes/eventpage/us6000rk1a","type":"earthquake"},
         "geometry":{"type":"Point","coordinates":[142.05,37.52,31.2]}},
        {"type":"Feature","properties":{"mag":4.1,"place":"B","time":1765083600000,
         "url":"javascript:alert(1)","type":"earthquake"},
         "geometry":{"type":"Point","coordinates":[142.05,37.52,31.2]}}]})json");
    ASSERT_EQ(geojson.count(), 2);
    EXPECT_EQ(geojson.at(0).eventPage,
              "https://earthquake.usgs.gov/earthquakes/eventpage/us6000rk1a");
    EXPECT_EQ(geojson.at(1).eventPage, "");

    const QuakeList csv =
        Parse("time,latitude,longitude,depth,mag,net,id,place,type\n"
              "2025-12-07T05:00:00.000Z,37.52,142.05,31.2,5.1,nc,nc75012345,\"A\",earthquake\n"
              "2025-12-07T05:00:00.000Z,37.52,142.05,31.2,4.1,us,,\"B\",earthquake\n"
              "2025-12-07T05:00:00.000Z,37.52,142.05,31.2,3.1,us,a b,\"C\",earthquake\n");
    ASSERT_EQ(csv.count(), 3);
    EXPECT_EQ(csv.at(0).eventPage, "https://earthquake.usgs.gov/earthquakes/eventpage/nc75012345");
    EXPECT_EQ(csv.at(1).eventPage, "");
    EXPECT_EQ(csv.at(2).eventPage, "");  // an id no address can carry as it is

    const std::string row = "<td>%s</td><td>5.8</td><td>2011/03/15 09:01:28</td><td>36.4</td>"
                            "<td>141.2</td><td>24.6</td><td>HONSHU</td>";
    std::string page = "<table>";
    for (const char* link : {R"(<a href="https://example.org/map/1.php"><b>MAP</b></a>)",
                             R"(<a href="/Maps/10/140_35.php">MAP</a>)", "MAP"}) {
        std::string cells = row;
        page += "<tr>" + cells.replace(cells.find("%s"), 2, link) + "</tr>";
    }
    const QuakeList classic = Parse(page + "</table>");
    ASSERT_EQ(classic.count(), 3);
    EXPECT_EQ(classic.at(0).eventPage, "https://example.org/map/1.php");
    EXPECT_EQ(classic.at(1).eventPage, "");  // relative: no page of its own to open
    EXPECT_EQ(classic.at(2).eventPage, "");
}

TEST(EventPage, OnlyPlainWebAddressesPass)
{
    EXPECT_EQ(WebAddress("HTTPS://Example.org/x?a=1#b"), "HTTPS://Example.org/x?a=1#b");
    EXPECT_EQ(WebAddress("http://127.0.0.1:8080/q"), "http://127.0.0.1:8080/q");
    for (const char* refused : {"", "https://", "https:///path", "ftp://example.org/",
                                "file:///etc/passwd", "javascript:alert(1)", "example.org/page",
                                "https://exa mple.org/", "https://example.org/\n", "https://a\"b/"})
        EXPECT_EQ(WebAddress(refused), "") << refused;
    EXPECT_EQ(WebAddress("https://example.org/" + std::string(3000, 'a')), "");
}

}  // namespace
}  // namespace tremolux
