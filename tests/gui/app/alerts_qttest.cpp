#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "core/alerts/AlertRulesJson.h"
#include "core/common/Clock.h"
#include "gui/app/WatcherTest.h"
#include "gui/feed/FeedView.h"

namespace tremolux {
namespace {

using test::AnswerModal;
using test::Feed;
using test::kFirstFeed;
using test::Quake;
using test::WaitUntil;
using test::WatcherTest;

QAction* Action(CMainFrame* frame, const QString& text)
{
    for (QAction* action : frame->findChildren<QAction*>()) {
        if (action->text().remove('&') == text)
            return action;
    }
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

QLabel* FeedPane(CMainFrame* frame)
{
    for (QLabel* label : frame->statusBar()->findChildren<QLabel*>()) {
        if (label->text() == frame->FeedStatus())
            return label;
    }
    return nullptr;
}

TEST_F(WatcherTest, RefreshNowReloadsAtOnceButNeverRestartsALoad)
{
    Start(std::chrono::milliseconds(300));
    ASSERT_TRUE(FirstLoad());
    ASSERT_EQ(server.RequestCount(), 1);

    // F5 while a load hangs: the load runs on to its end, no second one starts.
    server.ServeStall();
    QAction* refresh = Action(frame, "Refresh Now");
    refresh->trigger();
    ASSERT_TRUE(WaitUntil([&] { return server.RequestCount() == 2; }));
    refresh->trigger();
    ASSERT_TRUE(WaitUntil([&] { return frame->FeedStatus().contains("no complete answer"); }));
    EXPECT_EQ(server.RequestCount(), 2);
    EXPECT_EQ(frame->m_quakes.count(), 3);

    std::vector<Quake> moved = kFirstFeed;
    moved.insert(moved.begin(), {4.1, -12.5, 166.7, 1});
    server.Serve(Feed(moved));
    frame->activateWindow();
    QTest::keyClick(frame, Qt::Key_F5);
    ASSERT_TRUE(WaitUntil([&] { return frame->m_quakes.count() == 4; }));
    EXPECT_EQ(server.RequestCount(), 3);
}

// The tone entry sounds for a new newest quake; the rules notify once per
// load for every quake it brought that matches; a snooze silences both.
TEST_F(WatcherTest, TheRulesDecideWhatSoundsAndNotifies)
{
    Start();
    QSignalSpy alerts(frame, &CMainFrame::quakeAlert);
    ASSERT_TRUE(FirstLoad());
    EXPECT_EQ(tone.frequencies, std::vector<int>{1080});
    EXPECT_EQ(alerts.count(), 0);

    // A far M 4.1 heads the list: the tone, but no rule matches it.
    std::vector<Quake> feed = kFirstFeed;
    feed.insert(feed.begin(), {4.1, -12.5, 166.7, 1});
    server.Serve(Feed(feed));
    ASSERT_TRUE(Reload());
    EXPECT_EQ(tone.frequencies.size(), 2u);
    EXPECT_EQ(alerts.count(), 0);

    // Three that match, one not at the head: one notification for them all.
    feed.insert(feed.begin(), {{2.6, 35.5, 139.5, 0}, {6.1, -11.0, 161.0, 0}, {4.6, 0.0, 0.0, 0}});
    server.Serve(Feed(feed));
    ASSERT_TRUE(Reload());
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.at(0).at(0).toString(), "3 quakes match");
    EXPECT_EQ(alerts.at(0).at(1).toString(), "largest M6.1 Test region 1");

    // Neither heads the list, both are news: the M 4.4 revised to 6.5 and an
    // M 5.0 posted late, older than it.
    feed[5].magnitude = 6.5;
    feed.insert(feed.begin() + 6, {5.0, 10.0, 10.0, 150});
    server.Serve(Feed(feed));
    ASSERT_TRUE(Reload());
    ASSERT_EQ(alerts.count(), 2);
    EXPECT_EQ(alerts.at(1).at(0).toString(), "2 quakes match");
    EXPECT_TRUE(alerts.at(1).at(1).toString().startsWith("largest M6.5 Test region 5,"));

    // The tone entry switched off, then everything snoozed: silence.
    AlertSettings settings = frame->Alerts();
    settings.newestTone.enabled = false;
    frame->SetAlerts(settings);
    feed.insert(feed.begin(), {5.0, 35.0, 140.0, 0});
    server.Serve(Feed(feed));
    ASSERT_TRUE(Reload());
    EXPECT_EQ(tone.frequencies.size(), 3u);
    ASSERT_EQ(alerts.count(), 3);
    EXPECT_EQ(alerts.at(2).at(0).toString(), "M 2.5 or more within 300 km");
    EXPECT_EQ(alerts.at(2).at(1).toString(),
              "M5.0 Test region 0, 82 km from Tokyo\nEstimated intensity III at Tokyo "
              "(M 2.5 or more within 300 km)");
    frame->SnoozeAlerts(1.0);
    feed.insert(feed.begin(), {7.0, 35.0, 140.0, 0});
    server.Serve(Feed(feed));
    ASSERT_TRUE(Reload());
    EXPECT_EQ(alerts.count(), 3);
    EXPECT_EQ(AppSettings().value(settings::kAlertRules).toString().toStdString(),
              WriteAlertSettings(settings));
}

// The earlier Sound, Sound from Magnitude and Notifications choices become
// the tone entry and the notification rules of a first start.
// A load is parsed while the history still compares and writes the one
// before, a long one: each new event sounds and notifies once, the two
// loads' news told together.
TEST_F(WatcherTest, EachNewEventAlertsOnceWhenLoadsOverlapInTheHistory)
{
    QTemporaryDir dir;
    historyFile = dir.filePath("history.sqlite");
    Start();
    QSignalSpy alerts(frame, &CMainFrame::quakeAlert);
    ASSERT_TRUE(FirstLoad());

    const long long now = test::kNow.toMSecsSinceEpoch();
    std::vector<std::string> known;
    for (std::size_t i = 0; i < kFirstFeed.size(); ++i) {
        const Quake& q = kFirstFeed[i];
        known.push_back(test::GeoJsonFeature(q.magnitude, "Test region " + std::to_string(i),
                                             now - 60000LL * q.minutesAgo, q.longitude,
                                             q.latitude));
    }
    const std::string a = test::GeoJsonEvent("a", 5.0, now - 60000, 35.0);
    const std::string b = test::GeoJsonFeature(5.5, "somewhere", now, 139.5, 35.2);
    // Small quakes far away, older than the rest: news that no rule takes.
    std::vector<std::string> longLoad = {a};
    longLoad.insert(longLoad.end(), known.begin(), known.end());
    for (int i = 0; i < 20000; ++i)
        longLoad.push_back(
            test::GeoJsonEvent("far" + std::to_string(i), 1.5, now - 60000LL * (300 + i), -60.0));

    server.Serve(test::FeatureCollection(longLoad));
    frame->OnTimer(MainCycle::ID_TIMER_REFRESH);
    ASSERT_TRUE(WaitUntil([&] { return frame->m_quakes.count() == 20004; }, 30000));
    ASSERT_TRUE(frame->History().Busy());
    std::vector<std::string> next = {b, a};
    next.insert(next.end(), known.begin(), known.end());
    server.Serve(test::FeatureCollection(next));
    frame->OnTimer(MainCycle::ID_TIMER_REFRESH);
    ASSERT_TRUE(
        WaitUntil([&] { return frame->m_quakes.count() == 5 && !frame->History().Busy(); }, 30000));

    EXPECT_EQ(tone.frequencies, (std::vector<int>{1080, 1000, 1100}));
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.at(0).at(0).toString(), "2 quakes match");
    EXPECT_TRUE(alerts.at(0).at(1).toString().startsWith("largest M5.5 somewhere,"));
    ASSERT_TRUE(Reload());
    EXPECT_EQ(alerts.count(), 1);
}

TEST_F(WatcherTest, TheFirstRulesCarryOverTheEarlierOptions)
{
    AppSettings().setValue(settings::kSoundOn, false);
    AppSettings().setValue(settings::kSoundMinMagnitude, 4.5);
    AppSettings().setValue(settings::kNotificationsOn, false);
    Start();
    const AlertSettings& alerts = frame->Alerts();
    EXPECT_FALSE(alerts.newestTone.enabled);
    EXPECT_EQ(alerts.newestTone.minMagnitude, 4.5);
    ASSERT_EQ(alerts.rules.size(), 3u);
    for (const AlertRule& rule : alerts.rules)
        EXPECT_FALSE(rule.enabled) << rule.name;
    ASSERT_TRUE(FirstLoad());
    EXPECT_TRUE(tone.frequencies.empty());
}

// Without any data the windows say so, the pane warns and the box gives the
// reason below its own text; the first good load clears all three.
TEST_F(WatcherTest, NoDataIsShownAsSuch)
{
    server.Stop();
    Start();
    EXPECT_EQ(View(0)->Notice(), "Waiting for the feed…");

    QString text, reason, notice;
    AnswerModal<QMessageBox>(
        [&](QMessageBox* box) {
            text = box->text();
            reason = box->informativeText();
            notice = View(0)->Notice();
            box->accept();
            return true;
        },
        [&] { ASSERT_TRUE(WaitUntil([&] { return !text.isEmpty(); })); });
    EXPECT_EQ(text, "Error: no GetHtmlDocument()");
    EXPECT_EQ(reason, "The feed could not be loaded: connection refused. "
                      "Check the network, or File > Open Feed… to read a saved feed.");
    EXPECT_EQ(notice, "No data: the feed could not be loaded: connection refused.");
    ASSERT_NE(FeedPane(frame), nullptr);
    EXPECT_FALSE(FeedPane(frame)->styleSheet().isEmpty());

    test::TestServer second;
    second.Serve(Feed(kFirstFeed));
    g_pFeedView->Navigate2(second.Url());
    ASSERT_TRUE(Reload());
    EXPECT_EQ(View(0)->Notice(), "");
    EXPECT_TRUE(FeedPane(frame)->styleSheet().isEmpty());
}

TEST_F(WatcherTest, MapMenuAndKeysReachTheActiveWindow)
{
    Start();
    ASSERT_TRUE(WaitUntil([&] { return View(0)->City().name == "Tokyo"; }));
    frame->OnFileNew();
    ASSERT_EQ(frame->MapWindows().size(), 2);
    EXPECT_EQ(frame->ActiveMapWindow(), frame->MapWindows().at(1));
    QTest::keyClick(frame->ActiveMapWindow()->GetView(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(frame->ActiveMapWindow(), frame->MapWindows().at(0));
    Action(frame, "Next Window")->trigger();
    EXPECT_EQ(frame->ActiveMapWindow(), frame->MapWindows().at(1));

    bool asked = false;
    AnswerModal<QDialog>(
        [&](QDialog* dialog) {
            asked = dialog->windowTitle() == "Parameters";
            dialog->reject();
            return true;
        },
        [&] { Action(frame, "Parameters…")->trigger(); });
    EXPECT_TRUE(asked);

    // Ctrl+F4 closes the active window, the focus in it or not; with none
    // left the map commands rest.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame->ActiveMapWindow()->GetView(), Qt::Key_F4, Qt::ControlModifier);
    ASSERT_TRUE(WaitUntil([&] { return frame->MapWindows().size() == 1; }));
    QTest::keyClick(frame, Qt::Key_F4, Qt::ControlModifier);
    ASSERT_TRUE(WaitUntil([&] { return frame->MapWindows().isEmpty(); }));
    EXPECT_FALSE(Action(frame, "Parameters…")->isEnabled());
    EXPECT_FALSE(Action(frame, "Choose City…")->isEnabled());
}

}  // namespace
}  // namespace tremolux

namespace tremolux {
namespace {

struct SteppingClock final : Clock {
    OleDate now = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
    OleDate Now() const override { return now; }
};

struct SilentTone final : Tone {
    void Play(int, int) override {}
};

// Data that missed two reloads look out of date, though no load failed.
TEST(FeedStalenessTest, OldDataWarn)
{
    QStandardPaths::setTestModeEnabled(true);
    AppSettings().clear();
    test::TestServer server;
    server.Serve(Feed(kFirstFeed));
    SteppingClock clock;
    FeedView feed(clock);
    // The frame reaches the feed through the program's one feed window.
    struct Installed {
        explicit Installed(FeedView& view) { g_pFeedView = &view; }
        ~Installed() { g_pFeedView = nullptr; }
    } installed(feed);
    SilentTone tone;
    CycleTimings timings;
    timings.poll = std::chrono::milliseconds(10);
    timings.refresh = std::chrono::minutes(5);
    CMainFrame frame(clock, tone, timings);
    frame.OnCreate();
    feed.Navigate2(server.Url());
    ASSERT_TRUE(WaitUntil([&] { return frame.m_quakes.count() == 3; }));
    ASSERT_NE(FeedPane(&frame), nullptr);
    EXPECT_TRUE(FeedPane(&frame)->styleSheet().isEmpty());

    clock.now.value += 9.0 / 1440.0;  // not yet two periods old
    frame.UpdateFeedStatus();
    EXPECT_TRUE(FeedPane(&frame)->styleSheet().isEmpty());
    clock.now.value += 2.0 / 1440.0;
    frame.UpdateFeedStatus();
    EXPECT_FALSE(FeedPane(&frame)->styleSheet().isEmpty());
}

}  // namespace
}  // namespace tremolux
