#include <gtest/gtest.h>

#include "core/feed/FeedAddress.h"
#include "core/feed/FeedPublisher.h"

namespace tremolux {
namespace {

const std::string kUsgs = "U.S. Geological Survey";

TEST(FeedPublisher, TheSurveysOwnServersAreCreditedByName)
{
    for (const char* address :
         {kDefaultFeedAddress,
          "http://earthquake.usgs.gov/earthquakes/recenteqsww/Quakes/quakes_all.php",
          "HTTPS://Earthquake.USGS.Gov/feed.csv",
          "https://reader@earthquake.usgs.gov:8443/feed.geojson",
          "https://earthquake.usgs.gov./feed.geojson", "https://usgs.gov?all_week"}) {
        EXPECT_EQ(FeedPublisher(address), kUsgs) << address;
    }
}

// A name that merely contains the survey's domain somewhere else is someone
// else's feed, and so is a local copy.
TEST(FeedPublisher, OtherSourcesAreNamedByTheirAddress)
{
    for (const char* address : {"https://usgs.gov.mirror.example/all_week.geojson",
                                "https://notusgs.gov/all_week.geojson",
                                "https://mirror.example/earthquake.usgs.gov/all_week.geojson",
                                "https://mirror.example?from=earthquake.usgs.gov",
                                "https://earthquake.usgs.gov@mirror.example/all_week.geojson",
                                "ftp://earthquake.usgs.gov/all_week.geojson",
                                "file:///home/ann/earthquake.usgs.gov/all_week.geojson",
                                "data/sample_week.geojson", ""}) {
        EXPECT_EQ(FeedPublisher(address), address) << address;
    }
}

}  // namespace
}  // namespace tremolux
