#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/cycle/MainCycle.h"
#include "core/feed/FeedDocument.h"
#include "core/feed/OpenFeedDocument.h"

namespace tremolux {
namespace {

// A page of quake rows in the classic table layout, parsed by the real parser.
struct Row {
    double magnitude;
    double latitude;
    double longitude;
};

std::string Page(const std::vector<Row>& rows)
{
    std::string html = "<html><body><table><tr><th></th><th>MAG</th><th>DATE</th><th>LAT</th>"
                       "<th>LON</th><th>DEPTH</th><th>Region</th></tr>";
    for (const Row& row : rows) {
        html += "<tr><td>MAP</td><td>" + std::to_string(row.magnitude)
                + "</td><td>2011/03/15 09:01:28</td><td>" + std::to_string(row.latitude)
                + "</td><td>" + std::to_string(row.longitude)
                + "</td><td>10.0</td><td>SOMEWHERE</td></tr>";
    }
    return html + "</table></body></html>";
}

// The feed view: a ready state the test sets, a document it swaps, a call log.
class FakeBrowser : public FeedBrowser {
public:
    void Navigate2(const std::string&) override {}
    int GetReadyState() const override
    {
        ++readyStateCalls;
        return readyState;
    }
    void Refresh() override
    {
        ++refreshCalls;
        readyState = 1;
    }
    const FeedDocument* GetHtmlDocument() const override { return document.get(); }

    void Complete(const std::string& page)
    {
        document = OpenFeedDocument(page);
        readyState = kReadyStateComplete;
    }

    int readyState = 1;
    std::unique_ptr<FeedDocument> document;
    mutable int readyStateCalls = 0;
    int refreshCalls = 0;
};

struct RecordingTone : Tone {
    void Play(int frequencyHz, int durationMs) override
    {
        frequencies.push_back(frequencyHz);
        EXPECT_EQ(durationMs, 500);
    }
    std::vector<int> frequencies;
};

struct CountingRepaint : Repaint {
    void RepaintAll() override { ++count; }
    int count = 0;
};

struct RecordingFailures : FailureSink {
    void ShowFailure(const std::string& message) override
    {
        shown.push_back(message);
        if (whileOpen)
            whileOpen();
    }
    void NoteFailure(const std::string& message) override { noted.push_back(message); }
    std::vector<std::string> shown;
    std::vector<std::string> noted;
    std::function<void()> whileOpen;
};

class MainCycleTest : public ::testing::Test {
protected:
    MainCycleTest() { cycle.Start(); }

    // Completes a load of the page and runs the poll that picks it up.
    void Load(const std::vector<Row>& rows)
    {
        cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);
        browser.Complete(Page(rows));
        cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
    }

    QuakeList quakes;
    FakeBrowser browser;
    RecordingTone tone;
    CountingRepaint repaint;
    RecordingFailures failures;
    MainCycle cycle{quakes, tone, repaint, failures};
};

TEST_F(MainCycleTest, FirstLoadIsParsedAlertedAgainstZeroAndRepainted)
{
    EXPECT_TRUE(cycle.PagePending());
    browser.Complete(Page({{5.4, 35.3, 138.7}, {2.7, 33.5, -116.5}}));
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);

    EXPECT_FALSE(cycle.PagePending());
    ASSERT_EQ(quakes.count(), 2);
    EXPECT_EQ(tone.frequencies, std::vector<int>{1080});
    EXPECT_EQ(repaint.count, 1);
    EXPECT_DOUBLE_EQ(cycle.LastNewest().latitude, 35.3);
    EXPECT_TRUE(cycle.LastParseFailure().empty());
}

TEST_F(MainCycleTest, FirstQuakeOnTheEquatorOrMeridianGivesNoFirstAlert)
{
    browser.Complete(Page({{5.0, 0.0, 100.0}}));
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
    EXPECT_TRUE(tone.frequencies.empty());
}

TEST_F(MainCycleTest, PollWaitsForCompleteAndIgnoresIdleAndMissingView)
{
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, nullptr);
    EXPECT_TRUE(cycle.PagePending());

    browser.readyState = 3;
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
    EXPECT_TRUE(cycle.PagePending());
    EXPECT_EQ(repaint.count, 0);

    browser.Complete(Page({{3.0, 10.0, 10.0}}));
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
    EXPECT_FALSE(cycle.PagePending());

    const int calls = browser.readyStateCalls;
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
    EXPECT_EQ(browser.readyStateCalls, calls);
    EXPECT_EQ(repaint.count, 1);
}

TEST_F(MainCycleTest, OtherTimerIdsChangeNothing)
{
    browser.Complete(Page({{3.0, 10.0, 10.0}}));
    for (int id : {0, 3, 57600, -1})
        cycle.OnTimer(id, &browser);
    EXPECT_TRUE(cycle.PagePending());
    EXPECT_EQ(browser.refreshCalls, 0);
    EXPECT_EQ(browser.readyStateCalls, 0);
    EXPECT_EQ(quakes.count(), 0);
    EXPECT_EQ(repaint.count, 0);
}

TEST_F(MainCycleTest, ReloadWhilePendingRequestsAnotherReload)
{
    cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);
    cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);
    EXPECT_EQ(browser.refreshCalls, 2);
    EXPECT_TRUE(cycle.PagePending());
    cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, nullptr);
    EXPECT_TRUE(cycle.PagePending());
}

TEST_F(MainCycleTest, AlertNeedsBothCoordinatesToDiffer)
{
    Load({{4.0, 20.0, 30.0}});
    ASSERT_EQ(tone.frequencies.size(), 1u);

    Load({{4.0, 20.0, 30.0}});  // unchanged page
    Load({{6.0, 20.0, 31.0}});  // same latitude
    Load({{6.0, 21.0, 31.0}});  // same longitude as the last list's first
    EXPECT_EQ(tone.frequencies.size(), 1u);
    EXPECT_EQ(repaint.count, 4);

    Load({{6.0, 22.0, 32.0}});
    EXPECT_EQ(tone.frequencies.back(), 1200);
    EXPECT_DOUBLE_EQ(cycle.LastNewest().latitude, 22.0);
    Load({{6.0, 22.0, 32.0}});
    EXPECT_EQ(tone.frequencies.size(), 2u);
}

TEST_F(MainCycleTest, ToneFrequencyIsTruncatedInDoublePrecision)
{
    EXPECT_EQ(MainCycle::ToneFrequency(4.1), 819);
    EXPECT_EQ(MainCycle::ToneFrequency(8.2), 1639);
    EXPECT_EQ(MainCycle::ToneFrequency(7.0), 1400);
    EXPECT_EQ(MainCycle::ToneFrequency(10.0), 2000);

    Load({{4.1, -12.0, 60.0}});
    EXPECT_EQ(tone.frequencies, std::vector<int>{819});
}

TEST_F(MainCycleTest, EmptyPageKeepsLastNewestForTheNextComparison)
{
    Load({{5.0, 20.0, 30.0}});
    Load({});
    EXPECT_EQ(quakes.count(), 0);
    EXPECT_EQ(tone.frequencies.size(), 1u);
    EXPECT_EQ(repaint.count, 2);
    EXPECT_DOUBLE_EQ(cycle.LastNewest().latitude, 20.0);

    Load({{5.0, 20.0, 30.0}});  // the same quake back: compared with the remembered one
    EXPECT_EQ(tone.frequencies.size(), 1u);
    Load({{5.0, 25.0, 35.0}});
    EXPECT_EQ(tone.frequencies.size(), 2u);
}

TEST_F(MainCycleTest, UnreadablePageKeepsListGivesNoToneButRepaints)
{
    Load({{5.0, 20.0, 30.0}});
    cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);
    browser.document.reset();
    browser.readyState = FeedBrowser::kReadyStateComplete;
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);

    ASSERT_EQ(failures.shown.size(), 1u);
    EXPECT_EQ(failures.shown[0].rfind("Error: no", 0), 0u);
    EXPECT_EQ(cycle.LastParseFailure(), failures.shown[0]);
    EXPECT_EQ(quakes.count(), 1);
    EXPECT_EQ(tone.frequencies.size(), 1u);
    EXPECT_EQ(repaint.count, 2);

    Load({{5.0, 20.0, 30.0}});
    EXPECT_TRUE(cycle.LastParseFailure().empty());
}

// Offline, every reload fails alike: one box for the outage, the rest go to
// the status; a good load ends the outage, and a different failure is boxed.
TEST_F(MainCycleTest, OneFailureBoxPerOutage)
{
    const auto fail = [this] {
        cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);
        browser.document.reset();
        browser.readyState = FeedBrowser::kReadyStateComplete;
        cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
    };
    fail();
    fail();
    fail();
    EXPECT_EQ(failures.shown.size(), 1u);
    EXPECT_EQ(failures.noted.size(), 2u);

    cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);
    browser.Complete("<html><body><p>Back soon.</p></body></html>");
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
    EXPECT_EQ(failures.shown.size(), 2u);

    Load({{5.0, 20.0, 30.0}});
    fail();
    EXPECT_EQ(failures.shown.size(), 3u);
}

// An HTTP 200 maintenance page in place of the feed must not blank the maps.
TEST_F(MainCycleTest, PageWithoutATableKeepsTheList)
{
    Load({{5.0, 20.0, 30.0}, {4.0, 21.0, 31.0}});
    cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);
    browser.Complete("<html><body><h1>Scheduled maintenance</h1><p>Back soon.</p></body></html>");
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);

    EXPECT_EQ(failures.shown,
              std::vector<std::string>{"Error: no QueryInterface(IID_IHTMLDocument3..."});
    EXPECT_EQ(quakes.count(), 2);
    EXPECT_EQ(tone.frequencies.size(), 1u);
    EXPECT_EQ(repaint.count, 2);
}

// A failure box left open across a reload: the reload is parsed inside the
// box, a further failure meanwhile only goes to the status, and closing the
// box sounds no second tone for the same first record.
TEST_F(MainCycleTest, ReloadCompletingInsideAnOpenFailureBox)
{
    Load({{5.0, 20.0, 30.0}});
    cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);
    browser.document.reset();
    browser.readyState = FeedBrowser::kReadyStateComplete;

    failures.whileOpen = [this] {
        failures.whileOpen = nullptr;
        cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);  // nothing pending
        EXPECT_EQ(repaint.count, 1);

        cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);  // still no document
        browser.readyState = FeedBrowser::kReadyStateComplete;
        cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
        EXPECT_EQ(failures.noted.size(), 1u);

        cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);
        browser.Complete(Page({{7.0, 40.0, 50.0}, {3.0, 1.0, 2.0}}));
        cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
        EXPECT_EQ(tone.frequencies.back(), 1400);
    };
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);

    EXPECT_EQ(failures.shown.size(), 1u);
    EXPECT_EQ(failures.noted.size(), 1u);
    EXPECT_EQ(quakes.count(), 2);
    EXPECT_EQ(tone.frequencies, (std::vector<int>{1000, 1400}));
    EXPECT_DOUBLE_EQ(cycle.LastNewest().latitude, 40.0);
    EXPECT_EQ(repaint.count, 4);
    EXPECT_FALSE(cycle.PagePending());

    // Once the box is closed the next failure opens a box again.
    cycle.OnTimer(MainCycle::ID_TIMER_REFRESH, &browser);
    browser.document.reset();
    browser.readyState = FeedBrowser::kReadyStateComplete;
    cycle.OnTimer(MainCycle::ID_TIMER_POLL, &browser);
    EXPECT_EQ(failures.shown.size(), 2u);
}

}  // namespace
}  // namespace tremolux
