#include <gtest/gtest.h>

#include "core/feed/CatchUp.h"
#include "core/feed/FeedChoice.h"

namespace tremolux {
namespace {

TEST(FeedChoiceTest, PresetsCoverEveryUsgsSummaryAndTheClassicPage)
{
    const std::vector<FeedPreset>& presets = FeedPresets();
    ASSERT_EQ(presets.size(), 4u * 5u + 1u);
    EXPECT_EQ(presets.front().address,
              "https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/all_hour.geojson");
    EXPECT_EQ(presets[13].label, "Past week, M4.5+ (USGS GeoJSON)");
    EXPECT_EQ(presets[13].address,
              "https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/4.5_week.geojson");
    EXPECT_EQ(
        presets[19].address,
        "https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/significant_month.geojson");
    EXPECT_NE(presets.back().address.find(".html"), std::string::npos);
    for (const FeedPreset& preset : presets)
        EXPECT_TRUE(CheckFeedAddress(preset.address)) << preset.address;
}

TEST(FeedChoiceTest, AddressesThatCannotBeReadSayWhy)
{
    for (const char* good : {"http://127.0.0.1:8080/feed.geojson", "HTTPS://example.org",
                             "file:///home/me/week.csv", "data/sample_week.geojson"})
        EXPECT_TRUE(CheckFeedAddress(good)) << good;

    const std::pair<const char*, const char*> bad[] = {
        {"", "Enter the address of a feed, or choose a file."},
        {"ftp://example.org/feed", "Only http, https and file addresses can be read, not ftp:."},
        {"https:///feed.geojson", "The address has no server name after https://."},
        {"file://relative/x.csv",
         "A file address must name an absolute path, as in file:///home/me/quakes.geojson."},
        {"http://a\nb", "The address must not hold control characters or line breaks."},
    };
    for (const auto& [address, why] : bad) {
        const Result<> check = CheckFeedAddress(address);
        EXPECT_EQ(check ? "accepted" : check.error(), why) << address;
    }
}

// A gap is filled only when it runs past what the polled feed reaches.
TEST(FeedChoiceTest, CatchUpOnlyPastTheFeedsReach)
{
    const OleDate now = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
    const std::string week =
        "https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/all_week.geojson";
    struct Case {
        const char* feed;
        double daysAway;
        const char* since;  // empty: no query
    };
    for (const Case& c : {
             Case{week.c_str(), 6.9, ""},
             Case{week.c_str(), 7.5, "2025-11-29T18:00:00"},
             Case{"http://127.0.0.1:8000/summary/2.5_day.csv", 1.5, "2025-12-05T18:00:00"},
             Case{"http://127.0.0.1:8000/summary/2.5_day.csv", 0.5, ""},
             Case{"https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/4.5_hour.geojson?x=1",
                  0.5, "2025-12-06T18:00:00"},
             Case{"data/sample_week.geojson", 30.0, ""},
             Case{"https://www.seismicportal.eu/fdsnws/event/1/query?format=text", 30.0, ""},
         }) {
        const OleDate last{now.value - c.daysAway, true};
        const std::string address = CatchUpAddress("http://127.0.0.1:9/q", c.feed, last, now);
        const std::string expected =
            *c.since ? std::string("http://127.0.0.1:9/q?format=geojson&updatedafter=") + c.since
                           + "&includedeleted=true&orderby=time&limit=20000"
                     : "";
        EXPECT_EQ(address, expected) << c.feed << " " << c.daysAway;
    }
    EXPECT_EQ(CatchUpAddress("http://127.0.0.1:9/q", week, OleDate{0.0, false}, now), "");

    EXPECT_EQ(FdsnQueryAddress(FdsnAgencies()[0], now, 3.0),
              "https://www.seismicportal.eu/fdsnws/event/1/"
              "query?format=text&starttime=2025-11-30T06:00:00"
              "&minmagnitude=3.0&orderby=time&limit=5000");
    EXPECT_EQ(SourceName(kEmscPushAddress), "EMSC push");
    EXPECT_TRUE(CheckOtherSource("ws://127.0.0.1:9000/"));
    const Result<> noHost = CheckOtherSource("wss:///x");
    EXPECT_EQ(noHost ? "accepted" : noHost.error(), "The address has no server name after wss://.");
}

}  // namespace
}  // namespace tremolux
