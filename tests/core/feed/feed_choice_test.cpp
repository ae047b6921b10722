#include <gtest/gtest.h>

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
    EXPECT_EQ(presets[19].address,
              "https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/significant_month.geojson");
    EXPECT_NE(presets.back().address.find(".html"), std::string::npos);
    for (const FeedPreset& preset : presets)
        EXPECT_FALSE(FeedAddressProblem(preset.address)) << preset.address;
}

TEST(FeedChoiceTest, AddressesThatCannotBeReadSayWhy)
{
    for (const char* good : {"http://127.0.0.1:8080/feed.geojson", "HTTPS://example.org",
                             "file:///home/me/week.csv", "data/sample_week.geojson"})
        EXPECT_FALSE(FeedAddressProblem(good)) << good;

    const std::pair<const char*, const char*> bad[] = {
        {"", "Enter the address of a feed, or choose a file."},
        {"ftp://example.org/feed", "Only http, https and file addresses can be read, not ftp:."},
        {"https:///feed.geojson", "The address has no server name after https://."},
        {"file://relative/x.csv",
         "A file address must name an absolute path, as in file:///home/me/quakes.geojson."},
        {"http://a\nb", "The address must not hold control characters or line breaks."},
    };
    for (const auto& [address, why] : bad)
        EXPECT_EQ(FeedAddressProblem(address).value_or("accepted"), why) << address;
}

}  // namespace
}  // namespace tremolux
