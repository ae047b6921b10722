#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QThreadPool>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "gui/feed/DocumentBuild.h"
#include "gui/feed/FeedView.h"
#include "support/TestServer.h"
#include "support/Wait.h"

namespace tremolux {
namespace {

using test::TestServer;
using test::WaitUntil;

const std::string kRow =
    "<tr><td>MAP</td><td>5.8</td><td>2011/03/15 09:01:28</td><td>36.381</td>"
    "<td>141.236</td><td>24.6</td><td>NEAR THE EAST COAST OF HONSHU, JAPAN</td></tr>\n";

std::string Page(int rows)
{
    std::string page = "<html><body><table>\n";
    for (int i = 0; i < rows; ++i)
        page += kRow;
    return page + "</table></body></html>";
}

// Rows of the held document's first table; -1 when none is held.
int HeldRows(const FeedView& view)
{
    const FeedDocument* document = view.GetHtmlDocument();
    if (document == nullptr || document->Tables() == nullptr || document->Tables()->Count() == 0)
        return -1;
    return document->Tables()->Table(0)->RowCount();
}

// The document of a large page is built away from the GUI thread.
class FeedBuildTest : public ::testing::Test {
protected:
    static constexpr int kLargeRows = 15000;  // about 2 MB, a second or so to build

    bool LoadEnds(FeedView& feed)
    {
        return WaitUntil([&] { return feed.GetReadyState() == FeedBrowser::kReadyStateComplete; },
                         60000);
    }
    bool Building(FeedView& feed)
    {
        return WaitUntil([&] { return feed.GetReadyState() == FeedView::kReadyStateLoaded; });
    }

    TestServer server;
    FixedClock clock{OleDateFromCalendar(2025, 12, 7, 6, 0, 0)};
    FeedView view{clock};
};

TEST_F(FeedBuildTest, EventsGoOnAndTheLastGoodPageStaysWhileABuildRuns)
{
    server.Serve(Page(1), "text/html");
    view.Navigate2(server.Url());
    ASSERT_TRUE(LoadEnds(view));
    const FeedDocument* good = view.GetHtmlDocument();
    ASSERT_EQ(HeldRows(view), 1);

    int ticksWhileBuilding = 0;
    bool goodHeldThroughout = true;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (view.GetReadyState() != FeedView::kReadyStateLoaded)
            return;
        ++ticksWhileBuilding;
        goodHeldThroughout = goodHeldThroughout && view.GetHtmlDocument() == good;
    });
    ticker.start(5);

    server.Serve(Page(kLargeRows), "text/html");
    view.Refresh();
    ASSERT_TRUE(LoadEnds(view));
    EXPECT_GE(ticksWhileBuilding, 3);
    EXPECT_TRUE(goodHeldThroughout);
    EXPECT_EQ(HeldRows(view), kLargeRows);
    EXPECT_TRUE(view.LastFailure().empty()) << view.LastFailure();
}

// The rows come read with the document and the list swaps them in; a load
// that keeps the document finds them in the list, unless the list changed.
TEST_F(FeedBuildTest, TheRowsAreReadWithTheDocument)
{
    server.Serve(Page(3), "text/html");
    view.Navigate2(server.Url());
    ASSERT_TRUE(LoadEnds(view));
    QuakeList list;
    std::vector<std::string> reports;
    const auto report = [&](const std::string& text) { reports.push_back(text); };
    ASSERT_TRUE(view.ReadPageInto(list, report));
    EXPECT_EQ(list.count(), 3);
    const unsigned long long revision = list.Revision();

    server.ServeStatus(500);
    view.Refresh();
    ASSERT_TRUE(LoadEnds(view));
    ASSERT_FALSE(view.LastFailure().empty());
    EXPECT_TRUE(view.ReadPageInto(list, report));
    EXPECT_EQ(list.Revision(), revision);

    list.Clear();
    EXPECT_TRUE(view.ReadPageInto(list, report));
    EXPECT_EQ(list.count(), 3);
    EXPECT_TRUE(reports.empty());
}

TEST_F(FeedBuildTest, AReloadDuringABuildWins)
{
    server.Serve(Page(kLargeRows), "text/html");
    view.Navigate2(server.Url());
    ASSERT_TRUE(Building(view));

    server.Serve(Page(2), "text/html");
    view.Refresh();
    ASSERT_TRUE(LoadEnds(view));
    EXPECT_EQ(HeldRows(view), 2);

    // The superseded build ends later and is dropped.
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(view.GetReadyState(), FeedBrowser::kReadyStateComplete);
    EXPECT_EQ(HeldRows(view), 2);
}

std::string Repeated(const std::string& text, int times)
{
    std::string out;
    out.reserve(text.size() * times);
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// Pages built to be slow: the small feed that replaces one is shown at once,
// never after the abandoned build.
TEST_F(FeedBuildTest, ASmallFeedAfterAHostilePageIsShownWithoutWaitingForIt)
{
    // Each table's last cell is left open and holds the next table.
    const std::string openRow = kRow.substr(0, kRow.size() - 11);
    const std::vector<std::pair<const char*, std::string>> pages = {
        {"300,000 nested divs", Repeated("<div>", 300000) + Page(1)},
        {"10,000 nested quake tables", Repeated("<table>" + openRow, 10000)},
    };
    for (const auto& [what, hostile] : pages) {
        FeedView feed(clock);
        server.Serve(hostile, "text/html");
        feed.Navigate2(server.Url());
        ASSERT_TRUE(Building(feed)) << what;

        server.Serve(Page(1), "text/html");
        feed.Refresh();
        EXPECT_TRUE(WaitUntil(
            [&] { return feed.GetReadyState() == FeedBrowser::kReadyStateComplete; }, 2000))
            << what;
        EXPECT_EQ(HeldRows(feed), 1) << what;
    }
}

// A build nobody wants any more stops rather than running on beside the next.
TEST_F(FeedBuildTest, AnAbandonedBuildStops)
{
    const std::string openRow = kRow.substr(0, kRow.size() - 11);
    server.Serve(Repeated("<table>" + openRow, 10000), "text/html");  // most of a second
    view.Navigate2(server.Url());
    ASSERT_TRUE(Building(view));
    const int stoppedBefore = DocumentBuild::StoppedCount();

    server.Serve(Page(1), "text/html");
    view.Refresh();
    ASSERT_TRUE(LoadEnds(view));
    EXPECT_EQ(HeldRows(view), 1);
    EXPECT_TRUE(WaitUntil([&] { return DocumentBuild::StoppedCount() == stoppedBefore + 1; }));
}

TEST_F(FeedBuildTest, TheViewMayGoWhileItsBuildRuns)
{
    server.Serve(Page(kLargeRows), "text/html");
    auto doomed = std::make_unique<FeedView>(clock);
    doomed->Navigate2(server.Url());
    ASSERT_TRUE(Building(*doomed));
    doomed.reset();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();

    // The pool is free for the next view.
    view.Navigate2(server.Url());
    ASSERT_TRUE(LoadEnds(view));
    EXPECT_EQ(HeldRows(view), kLargeRows);
}

}  // namespace
}  // namespace tremolux
