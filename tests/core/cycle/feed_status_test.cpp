#include <gtest/gtest.h>

#include "core/cycle/FeedStatus.h"

namespace tremolux {
namespace {

const OleDate kLoaded = OleDateFromCalendar(2025, 12, 7, 12, 5, 0);

OleDate Later(int minutes)
{
    return OleDate{kLoaded.value + minutes / 1440.0, true};
}

TEST(FeedStatusTest, CountAndTimeOfTheLastGoodLoad)
{
    FeedStatus status;
    EXPECT_EQ(FeedStatusText(status, 0, kLoaded), "Loading the feed...");

    status.anyLoadEnded = true;
    status.hasData = true;
    status.lastGoodLoad = kLoaded;
    EXPECT_EQ(FeedStatusText(status, 412, Later(3)), "412 quakes, updated 12:05 UTC");
    EXPECT_EQ(FeedStatusText(status, 1, Later(3)), "1 quake, updated 12:05 UTC");
}

TEST(FeedStatusTest, FailureWithTheAgeOfTheDataShown)
{
    FeedStatus status;
    status.anyLoadEnded = true;
    status.hasData = true;
    status.lastGoodLoad = kLoaded;
    status.loadFailure = "HTTP 500 Internal Server Error";
    EXPECT_EQ(FeedStatusText(status, 412, Later(25)),
              "Feed failed: HTTP 500 Internal Server Error; showing 412 quakes from 12:05 UTC "
              "(25 min old)");
    EXPECT_NE(FeedStatusText(status, 412, Later(0)).find("(less than a minute old)"),
              std::string::npos);
    EXPECT_NE(FeedStatusText(status, 412, Later(5 * 60)).find("(5 h old)"), std::string::npos);
    EXPECT_NE(FeedStatusText(status, 412, Later(3 * 1440)).find("(3 days old)"), std::string::npos);

    status.hasData = false;
    status.loadFailure = "Connection refused";
    status.parseFailure = "Error: no GetHtmlDocument()";
    EXPECT_EQ(FeedStatusText(status, 0, kLoaded), "Feed failed: Connection refused; no quakes yet");

    status.loadFailure.clear();
    EXPECT_EQ(FeedStatusText(status, 0, kLoaded), "Error: no GetHtmlDocument(); no quakes yet");
}

// A maintenance or captive-portal page in place of the feed: the pane says so
// in words, while the message box keeps the parser's own text.
TEST(FeedStatusTest, APageWithoutATableIsNamed)
{
    FeedStatus status;
    status.anyLoadEnded = true;
    status.hasData = true;
    status.lastGoodLoad = kLoaded;
    status.parseFailure = "Error: no QueryInterface(IID_IHTMLDocument3...";
    EXPECT_EQ(FeedStatusText(status, 412, Later(25)),
              "Feed failed: the page holds no table; showing 412 quakes from 12:05 UTC "
              "(25 min old)");
}

}  // namespace
}  // namespace tremolux
