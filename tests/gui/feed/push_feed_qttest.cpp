#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTemporaryDir>
#include <QWebSocketServer>

#include <gtest/gtest.h>

#include "core/common/Clock.h"
#include "core/feed/DocumentDump.h"
#include "core/feed/LoadedDocument.h"
#include "core/feed/QuakeList.h"
#include "core/list/ReadingsText.h"
#include "gui/feed/FeedView.h"
#include "gui/feed/PushFeed.h"
#include "gui/feed/SourceStates.h"
#include "support/PushServer.h"
#include "support/TestServer.h"
#include "support/Wait.h"

namespace tremolux {
namespace {

using test::PushedEvent;
using test::PushServer;
using test::TestServer;
using test::WaitUntil;

class PushFeedTest : public ::testing::Test {
protected:
    PushFeedTest()
    {
        // Retries after a few milliseconds rather than seconds.
        feed.SetRetryScale(0.01);
    }

    QuakeList Pushed() const
    {
        QuakeList quakes;
        if (const FeedDocument* document = feed.GetHtmlDocument())
            quakes.ParsePage(LoadedDocument(*document),
                             [](const std::string& text) { ADD_FAILURE() << text; });
        return quakes;
    }

    PushServer server;
    FixedClock clock{OleDateFromCalendar(2025, 12, 7, 6, 0, 0)};
    int published = 0;
    PushFeed feed{clock, [this] { ++published; }};
};

// Creations and updates become one event each; what is not an event is
// skipped and counted, a message over the cap costs the connection but not
// the events, and a dropped connection comes back.
TEST_F(PushFeedTest, KeepsEventsThroughGarbageOversizeAndDrops)
{
    feed.Navigate2(server.Url());
    ASSERT_TRUE(WaitUntil([&] { return feed.Connected(); }));
    server.Send(PushedEvent("create", "A", "2025-12-07T05:50:00Z", 38.2, 26.1, 4.1));
    server.Send("{not json");
    server.SendBinary("\x01\x02");
    server.Send(PushedEvent("update", "A", "2025-12-07T05:50:00Z", 38.2, 26.1, 4.4));
    server.Send(PushedEvent("create", "B", "2025-12-07T05:55:00Z", 40.0, 20.0, 3.0));
    ASSERT_TRUE(WaitUntil([&] { return Pushed().count() == 2; }));
    EXPECT_EQ(Pushed().at(0).eventId, "B");
    EXPECT_DOUBLE_EQ(Pushed().at(1).magnitude, 4.4);
    EXPECT_EQ(feed.SkippedMessages(), 2);
    EXPECT_TRUE(feed.HasLoaded());

    server.Send(std::string(PushFeed::kMaxMessageBytes + 1, ' '));
    ASSERT_TRUE(WaitUntil([&] { return server.Accepted() == 2 && feed.Connected(); }));
    EXPECT_EQ(feed.SkippedMessages(), 3);
    EXPECT_EQ(Pushed().count(), 2);

    server.DropAll();
    ASSERT_TRUE(WaitUntil([&] { return !feed.Connected(); }));
    EXPECT_NE(feed.LastFailure().find("trying again in"), std::string::npos) << feed.LastFailure();
    ASSERT_TRUE(WaitUntil([&] { return server.Accepted() == 3 && feed.Connected(); }));
    EXPECT_TRUE(feed.LastFailure().empty()) << feed.LastFailure();
    server.Send(PushedEvent("create", "C", "2025-12-07T05:58:00Z", 10.0, 10.0, 5.0));
    ASSERT_TRUE(WaitUntil([&] { return Pushed().count() == 3; }));
}

// A flood is published at most once a second, and brings at most a hundred
// new events each time; the rest is skipped.
TEST_F(PushFeedTest, AFloodIsPublishedAtMostOnceASecond)
{
    feed.Navigate2(server.Url());
    ASSERT_TRUE(WaitUntil([&] { return feed.Connected() && published == 1; }));
    const int before = published;
    QElapsedTimer elapsed;
    elapsed.start();
    for (int i = 0; i < 3000; ++i)
        server.Send(PushedEvent("create", "F" + std::to_string(i), "2025-12-07T05:00:00Z", i % 80,
                                i % 170, 3.0));
    ASSERT_TRUE(
        WaitUntil([&] { return feed.EventCount() + feed.SkippedMessages() == 3000; }, 60000));
    const int publications = published - before;
    EXPECT_LE(publications, elapsed.elapsed() / 1000 + 1);
    EXPECT_LE(feed.EventCount(),
              static_cast<std::size_t>(PushFeed::kMostNewPerPublication * (publications + 1)));
    EXPECT_GE(feed.EventCount(), static_cast<std::size_t>(PushFeed::kMostNewPerPublication));
}

// A service whose certificate does not check out is never talked to.
TEST_F(PushFeedTest, RefusesACertificateThatDoesNotCheckOut)
{
    QTemporaryDir dir;
    const QString key = dir.filePath("key.pem");
    const QString certificate = dir.filePath("cert.pem");
    ASSERT_EQ(QProcess::execute("openssl",
                                {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
                                 "-out", certificate, "-days", "1", "-subj", "/CN=127.0.0.1"}),
              0);
    QFile keyFile(key);
    QFile certificateFile(certificate);
    ASSERT_TRUE(keyFile.open(QIODevice::ReadOnly) && certificateFile.open(QIODevice::ReadOnly));
    QSslConfiguration tls;
    tls.setPrivateKey(QSslKey(&keyFile, QSsl::Rsa));
    tls.setLocalCertificate(QSslCertificate(&certificateFile));
    QWebSocketServer secure("self-signed", QWebSocketServer::SecureMode);
    secure.setSslConfiguration(tls);
    ASSERT_TRUE(secure.listen(QHostAddress::LocalHost, 0));
    int accepted = 0;
    QObject::connect(&secure, &QWebSocketServer::newConnection, [&] { ++accepted; });

    feed.Navigate2("wss://127.0.0.1:" + std::to_string(secure.serverPort()) + "/");
    ASSERT_TRUE(WaitUntil(
        [&] { return feed.LastFailure().find("certificate is refused") != std::string::npos; }));
    EXPECT_FALSE(feed.Connected());
    EXPECT_EQ(accepted, 0);
}

// A push source beside a polled feed: its events join the merged list as
// they come, the same event of both sources once with both readings.
TEST_F(PushFeedTest, PushedEventsJoinTheMergedList)
{
    TestServer http;
    http.Serve(ReadTestFile("usgs_all_week.geojson"));
    FeedView view{clock};
    bool pushed = false;
    view.SetOnPushed([&] { pushed = true; });
    view.SetOtherSources({server.Url()});
    view.Navigate2(http.Url());
    ASSERT_TRUE(
        WaitUntil([&] { return view.GetReadyState() == FeedBrowser::kReadyStateComplete; }));
    const auto* push = dynamic_cast<const PushFeed*>(view.OtherSources().front().get());
    ASSERT_NE(push, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return push->Connected(); }));
    QuakeList quakes;
    ASSERT_TRUE(quakes.ParsePage(view, [](const std::string& text) { ADD_FAILURE() << text; }));
    const int polled = quakes.count();

    pushed = false;
    // 20 s after and 10 km from the first quake of the file, and a new one.
    server.Send(PushedEvent("create", "NAMIE", "2025-12-07T05:00:20Z", 37.61, 142.05, 5.3,
                            "NEAR EAST COAST OF HONSHU"));
    server.Send(PushedEvent("create", "NEW", "2025-12-07T05:59:00Z", 0.0, 0.0, 2.0));
    ASSERT_TRUE(WaitUntil([&] {
        return pushed && view.GetReadyState() == FeedBrowser::kReadyStateComplete
               && quakes.ParsePage(view, [](const std::string&) {}) && quakes.count() == polled + 1;
    }));
    EXPECT_EQ(quakes.at(0).eventId, "NEW");
    EXPECT_EQ(quakes.at(1).region, "93 km E of Namie, Japan");
    EXPECT_EQ(ReadingsText(quakes.at(1).readings), "127.0.0.1 M 5.1 ml, 127.0.0.1 push M 5.3 mb");
    EXPECT_EQ(CompactSourceStates(view, clock.Now()),
              "127.0.0.1 0 min \u00b7 127.0.0.1 push 0 min");
}

}  // namespace
}  // namespace tremolux
