#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/common/Clock.h"
#include "core/feed/DocumentDump.h"
#include "core/feed/QuakeList.h"
#include "gui/feed/FeedView.h"
#include "gui/feed/SourceStates.h"
#include "support/GeoJsonFeature.h"
#include "support/TestServer.h"
#include "support/Wait.h"

namespace tremolux {
namespace {

using test::TestServer;
using test::WaitUntil;

const std::string kPage =
    "<table><tr><td>MAP</td><td>5.8</td><td>2011/03/15 09:01:28</td><td>36.381</td>"
    "<td>141.236</td><td>24.6</td><td>NEAR THE EAST COAST OF HONSHU, JAPAN</td></tr></table>";

class FeedViewTest : public ::testing::Test {
protected:
    bool LoadEnds()
    {
        return WaitUntil(
            [this] { return view.GetReadyState() == FeedBrowser::kReadyStateComplete; });
    }

    TestServer server;
    FixedClock clock{OleDateFromCalendar(2025, 12, 7, 6, 0, 0)};
    FeedView view{clock};
};

TEST_F(FeedViewTest, LoadsOverHttpWithItsUserAgentAndGzip)
{
    EXPECT_EQ(view.GetReadyState(), 0);
    EXPECT_EQ(view.GetHtmlDocument(), nullptr);
    // A JSON body is sent gzip-compressed when the client accepts it.
    const std::string json =
        R"({"type":"FeatureCollection","features":[)" + std::string(2000, ' ') + "]}";
    server.Serve(json, "application/json");
    view.Navigate2(server.Url());
    EXPECT_EQ(view.GetReadyState(), FeedView::kReadyStateLoading);
    ASSERT_TRUE(LoadEnds());

    EXPECT_TRUE(view.HasLoaded());
    EXPECT_TRUE(view.LastFailure().empty()) << view.LastFailure();
    EXPECT_DOUBLE_EQ(view.LastGoodLoad().value, clock.Now().value);
    EXPECT_EQ(server.LastUserAgent(), "Tremolux/2.0.0 (+desktop earthquake watcher)");
    EXPECT_NE(server.LastAcceptEncoding().find("gzip"), std::string::npos);
    ASSERT_NE(view.GetHtmlDocument(), nullptr);
    EXPECT_TRUE(view.GetHtmlDocument()->ViewableAsTables());
}

TEST_F(FeedViewTest, RefreshReloadsTheSameAddress)
{
    view.Refresh();  // nothing navigated yet
    EXPECT_EQ(view.GetReadyState(), 0);

    server.Serve(kPage, "text/html");
    view.Navigate2(server.Url("/a"));
    ASSERT_TRUE(LoadEnds());
    view.Refresh();
    EXPECT_EQ(view.GetReadyState(), FeedView::kReadyStateLoading);
    ASSERT_TRUE(LoadEnds());
    EXPECT_EQ(server.RequestCount(), 2);
}

// A reload asks with the page's ETag and date; 304 is a good load that keeps
// the document. An FDSN answer is read like any other feed.
TEST_F(FeedViewTest, AnUnchangedPageIsAGoodLoadWithNothingNew)
{
    server.ServeConditional("#EventID|Time|Latitude|Longitude|Magnitude|EventLocationName\n"
                            "id1|2025-12-07T05:00:00|36.4|141.2|5.8|HONSHU\n",
                            "\"v1\"", "Sun, 07 Dec 2025 05:00:00 GMT");
    view.Navigate2(server.Url());
    ASSERT_TRUE(LoadEnds());
    const FeedDocument* document = view.GetHtmlDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(document->ViewableAsTables());

    view.Refresh();
    ASSERT_TRUE(LoadEnds());
    EXPECT_EQ(server.NotModifiedCount(), 1);
    EXPECT_EQ(view.GetHtmlDocument(), document);
    EXPECT_TRUE(view.LastFailure().empty()) << view.LastFailure();

    // An FDSN service is asked no more often than every five minutes.
    const int asked = server.RequestCount();
    view.Navigate2(server.Url("/fdsnws/event/1/query?format=text"));
    ASSERT_TRUE(LoadEnds());
    view.Refresh();
    EXPECT_EQ(view.GetReadyState(), FeedBrowser::kReadyStateComplete);
    EXPECT_EQ(server.RequestCount(), asked + 1);
    EXPECT_TRUE(view.HasLoaded());

    // Without a document to keep, nothing is asked conditionally.
    FeedView fresh{clock};
    fresh.Navigate2(server.Url());
    ASSERT_TRUE(
        WaitUntil([&] { return fresh.GetReadyState() == FeedBrowser::kReadyStateComplete; }));
    EXPECT_EQ(server.NotModifiedCount(), 1);
    EXPECT_TRUE(fresh.HasLoaded());
}

// Sources read beside the address: one merged list, which a failing source
// leaves as it was.
TEST_F(FeedViewTest, SeveralSourcesGiveOneMergedList)
{
    TestServer emsc;
    server.Serve(ReadTestFile("usgs_all_week.geojson"));
    emsc.Serve(ReadTestFile("emsc_fdsn.txt"), "text/plain");
    view.SetOtherSources({emsc.Url("/fdsnws/event/1/query")});
    view.Navigate2(server.Url());
    ASSERT_TRUE(LoadEnds());
    const auto parsed = [this] {
        QuakeList quakes;
        EXPECT_TRUE(quakes.ParsePage(view, [](const std::string& text) { ADD_FAILURE() << text; }));
        return quakes;
    };
    QuakeList quakes = parsed();
    ASSERT_EQ(quakes.count(), 4);
    EXPECT_EQ(quakes.at(0).region, "93 km E of Namie, Japan");
    EXPECT_EQ(quakes.at(2).region, "SOUTHERN ITALY");
    EXPECT_EQ(quakes.at(2).magnitudeType, "ML");

    server.ServeStatus(500);
    view.Refresh();
    ASSERT_TRUE(LoadEnds());
    EXPECT_EQ(view.LastFailure(), "HTTP 500 Internal Server Error");
    EXPECT_EQ(parsed().count(), 4);
    EXPECT_EQ(SourceStatesText(view, clock.Now()),
              "127.0.0.1: HTTP 500 Internal Server Error, last loaded 0 min ago\n127.0.0.1: loaded "
              "0 min ago");
}

// The catch-up query joins the loads until it has loaded once; a quake it
// shares with the feed is one, and the query says nothing of it.
TEST_F(FeedViewTest, CatchUpJoinsTheLoadsUntilItHasLoaded)
{
    TestServer catchUp;
    server.Serve(ReadTestFile("usgs_all_week.geojson"));
    catchUp.Serve(test::FeatureCollection(
        {test::GeoJsonFeature(5.1, "Namie again", 1765083600000, 142.05, 37.52),
         test::GeoJsonFeature(6.0, "Long ago", 1764000000000, 10.0, 10.0)}));
    view.SetCatchUp(catchUp.Url("/fdsnws/event/1/query?format=geojson"));
    view.Navigate2(server.Url());
    ASSERT_TRUE(LoadEnds());
    QuakeList withCatchUp;
    ASSERT_TRUE(
        withCatchUp.ParsePage(view, [](const std::string& text) { ADD_FAILURE() << text; }));

    view.Refresh();
    ASSERT_TRUE(LoadEnds());
    QuakeList quakes;
    ASSERT_TRUE(quakes.ParsePage(view, [](const std::string& text) { ADD_FAILURE() << text; }));
    ASSERT_EQ(withCatchUp.count(), quakes.count() + 1);
    EXPECT_EQ(withCatchUp.at(0).region, "93 km E of Namie, Japan");
    EXPECT_TRUE(withCatchUp.at(0).readings.empty());
    EXPECT_EQ(withCatchUp.at(withCatchUp.count() - 1).region, "Long ago");
    EXPECT_EQ(quakes.at(0).region, "93 km E of Namie, Japan");
    EXPECT_EQ(catchUp.RequestCount(), 1);
}

TEST_F(FeedViewTest, FollowsTenRedirectsButNotEleven)
{
    server.Serve(kPage, "text/html");
    view.Navigate2(server.Url("/hop/10"));
    ASSERT_TRUE(LoadEnds());
    EXPECT_TRUE(view.LastFailure().empty()) << view.LastFailure();
    const FeedDocument* good = view.GetHtmlDocument();
    ASSERT_NE(good, nullptr);

    view.Navigate2(server.Url("/hop/11"));
    ASSERT_TRUE(LoadEnds());
    EXPECT_FALSE(view.LastFailure().empty());
    EXPECT_EQ(view.GetHtmlDocument(), good);
}

// Every kind of failed load completes, keeps the last good document and says why.
TEST_F(FeedViewTest, FailedLoadsKeepTheLastGoodDocument)
{
    view.SetTimeout(std::chrono::milliseconds(300));
    server.Serve(kPage, "text/html");
    view.Navigate2(server.Url());
    ASSERT_TRUE(LoadEnds());
    const FeedDocument* good = view.GetHtmlDocument();
    ASSERT_NE(good, nullptr);

    struct Case {
        std::function<void()> arrange;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {[&] { server.ServeStatus(500); }, "HTTP 500"},
        {[&] { server.ServeStatus(404); }, "HTTP 404"},
        {[&] { server.ServeTruncated(std::string(5000, 'x'), 1000); }, "incomplete"},
        {[&] { server.ServeTruncated(std::string(5000, 'x'), 1000, "identity"); }, "incomplete"},
        {[&] { server.Serve(R"({"type":"Feature"})"); }, "not a quake feed"},
        {[&] { server.Serve("<p>Down for maintenance</p>", "text/html"); },
         "the page holds no table"},
        {[&] { server.ServeStall(); }, "no complete answer within 0.3 s"},
    };
    for (const Case& c : cases) {
        c.arrange();
        view.Refresh();
        ASSERT_TRUE(LoadEnds()) << c.reason;
        EXPECT_NE(view.LastFailure().find(c.reason), std::string::npos) << view.LastFailure();
        EXPECT_EQ(view.GetHtmlDocument(), good) << c.reason;
    }

    server.Stop();
    view.Refresh();
    ASSERT_TRUE(LoadEnds());
    EXPECT_NE(view.LastFailure().find("refused"), std::string::npos) << view.LastFailure();
    EXPECT_EQ(view.GetHtmlDocument(), good);
}

TEST_F(FeedViewTest, ReadsLocalPathsAndFileUrls)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kPage.data(), static_cast<qint64>(kPage.size()));
    file.close();

    view.Navigate2(path.toStdString());
    ASSERT_TRUE(LoadEnds());
    EXPECT_TRUE(view.HasLoaded()) << view.LastFailure();

    FeedView fromUrl(clock);
    fromUrl.Navigate2("file://" + path.toStdString());
    ASSERT_TRUE(WaitUntil([&] { return fromUrl.GetReadyState() == 4; }));
    EXPECT_TRUE(fromUrl.HasLoaded()) << fromUrl.LastFailure();

    FeedView missing(clock);
    missing.Navigate2(dir.filePath("none.html").toStdString());
    ASSERT_TRUE(WaitUntil([&] { return missing.GetReadyState() == 4; }));
    EXPECT_FALSE(missing.HasLoaded());
    EXPECT_FALSE(missing.LastFailure().empty());
}

TEST_F(FeedViewTest, FetchFeedWaitsForTheAnswer)
{
    server.Serve(kPage, "text/html");
    FetchResult result = FetchFeed(server.Url());
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.bytes, kPage);

    server.ServeStatus(503);
    result = FetchFeed(server.Url());
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("HTTP 503"), std::string::npos) << result.error;
    EXPECT_TRUE(result.bytes.empty());
}

}  // namespace
}  // namespace tremolux
