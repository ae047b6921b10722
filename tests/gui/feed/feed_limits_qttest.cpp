#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/common/Clock.h"
#include "gui/feed/FeedView.h"
#include "support/TestServer.h"
#include "support/Wait.h"

namespace tremolux {
namespace {

using test::GzipRepeated;
using test::TestServer;
using test::WaitUntil;

constexpr std::size_t kMiB = 1024 * 1024;

const std::string kFeedStart = R"({"type":"FeatureCollection","features":[)";
const std::string kFeature =
    R"({"type":"Feature","properties":{"mag":4.5,"place":"Somewhere","time":1765087200000},)"
    R"("geometry":{"type":"Point","coordinates":[139.7,35.7,10.0]}},)";
const std::string kRow =
    "<tr><td>MAP</td><td>5.8</td><td>2011/03/15 09:01:28</td><td>36.381</td>"
    "<td>141.236</td><td>24.6</td><td>NEAR THE EAST COAST OF HONSHU, JAPAN</td></tr>\n";

// Hostile or oversized answers end in a failure that says what happened, well
// before the load's deadline, and leave the last good document in place.
class FeedLimitsTest : public ::testing::Test {
protected:
    FeedLimitsTest() { view.SetTimeout(std::chrono::seconds(30)); }

    // Loads the current answer; the failure text, empty when the page was taken.
    std::string Load(const std::string& path = "/feed")
    {
        view.Navigate2(server.Url(path));
        if (!WaitUntil([this] { return view.GetReadyState() == FeedBrowser::kReadyStateComplete; },
                       40000))
            return "still loading";
        return view.LastFailure();
    }

    TestServer server;
    FixedClock clock{OleDateFromCalendar(2025, 12, 7, 6, 0, 0)};
    FeedView view{clock};
};

// Only a regular file under the caps is read as a feed: a FIFO, a device or
// an unknown scheme ends the load at once, saying why.
TEST_F(FeedLimitsTest, OnlyRegularFilesAreReadAsFeeds)
{
    QTemporaryDir dir;
    const std::string fifo = dir.filePath("fifo").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string sparse = dir.filePath("sparse.geojson").toStdString();
    std::ofstream{sparse};
    std::filesystem::resize_file(sparse, 65 * kMiB);
    const struct {
        std::string source;
        std::string reason;
    } rows[] = {
        {fifo, "it is a FIFO, not a regular file"},
        {"/dev/zero", "it is a device, not a regular file"},
        {"file:///dev/zero", "it is a device, not a regular file"},
        {dir.path().toStdString(), "it is a directory, not a file"},
        {sparse, "the file is larger than 64 MiB"},
        {"ftp://127.0.0.1/week.csv", "Only http, https and file addresses can be read, not ftp:."},
    };
    for (const auto& row : rows) {
        view.Navigate2(row.source);
        ASSERT_TRUE(
            WaitUntil([this] { return view.GetReadyState() == FeedBrowser::kReadyStateComplete; }));
        EXPECT_EQ(view.LastFailure(), row.reason) << row.source;
    }
}

TEST_F(FeedLimitsTest, AnEndlessBodyEndsAtTheCap)
{
    server.ServeEndless(kFeedStart, kFeature);
    EXPECT_EQ(Load(), "the page is larger than 64 MiB");

    const FetchResult fetched = FetchFeed(server.Url(), std::chrono::seconds(30));
    EXPECT_FALSE(fetched.ok);
    EXPECT_EQ(fetched.error, "the page is larger than 64 MiB");
}

// An HTML page is held to a lower cap than a JSON feed, since its document
// costs many times its size to build.
TEST_F(FeedLimitsTest, HtmlPagesAreCappedAt16MiB)
{
    std::string page = "<html><body><table>\n";
    while (page.size() < 17 * kMiB)
        page += kRow;
    server.Serve(page + "</table></body></html>", "application/octet-stream");  // uncompressed
    EXPECT_EQ(Load(), "the HTML page is larger than 16 MiB");

    // A feed of that size is taken: the cap follows the content, not the type.
    // The server compresses text/html, and blanks compress extremely well.
    server.Serve(kFeedStart + std::string(17 * kMiB, ' ') + "]}", "text/html");
    EXPECT_EQ(Load(), "");
    EXPECT_TRUE(view.HasLoaded());

    std::string fdsn = "#EventID|Time|Latitude|Longitude|Magnitude|EventLocationName\n";
    while (fdsn.size() < 17 * kMiB)
        fdsn += "id|2025-12-07T05:00:00|36.4|141.2|5.8|NEAR THE EAST COAST OF HONSHU, JAPAN\n";
    server.Serve(fdsn, "application/octet-stream");
    EXPECT_EQ(Load(), "");
}

TEST_F(FeedLimitsTest, CompressedAnswersAreCappedAfterDecompression)
{
    // Under a megabyte on the wire, far more once unpacked.
    server.ServeGzip(GzipRepeated(kFeedStart, kFeature, 100 * kMiB / kFeature.size()));
    EXPECT_EQ(Load(), "the page is larger than 64 MiB after decompression");

    server.ServeEndless(kFeedStart, kFeature, true);
    EXPECT_EQ(Load(), "the page is larger than 64 MiB after decompression");

    server.ServeGzip(GzipRepeated("<table>\n", kRow, 17 * kMiB / kRow.size()));
    EXPECT_EQ(Load(), "the HTML page is larger than 16 MiB after decompression");
}

TEST_F(FeedLimitsTest, RefusedRedirectsSayWhy)
{
    server.Serve(kFeedStart + "]}");
    EXPECT_EQ(Load("/hop/11"), "too many redirects");

    server.ServeRedirect("file:///etc/passwd");
    EXPECT_EQ(Load(), "redirect to a file: address refused");
    server.ServeRedirect("ftp://127.0.0.1/feed");
    EXPECT_EQ(Load(), "redirect to a ftp: address refused");
    server.ServeRedirect("data:application/json,{}");
    EXPECT_EQ(Load(), "redirect to a data: address refused");
    EXPECT_FALSE(view.HasLoaded());
}

}  // namespace
}  // namespace tremolux
