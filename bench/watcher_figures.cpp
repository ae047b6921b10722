// The watcher as a user runs it, on the offscreen platform: four map windows
// (168 h, 15,000 km) over a month-sized feed of 10,000 quakes served from the
// tests' local HTTP server. Prints, one figure a line:
// - the poll tick that takes a loaded page (median of 7); the page's rows read
//   alone, which the thread building the page does before the tick; the time
//   from the tick until all four windows show the new load (their pictures are
//   drawn on worker threads);
// - the main thread's wake-ups and CPU while it waits for the next refresh;
// - the proportional set size after the first refresh and after ten.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QEventLoop>
#include <QMdiArea>
#include <QStandardPaths>
#include <QTimer>

#include "core/common/OleDate.h"
#include "core/feed/QuakeList.h"
#include "core/session/MapWindowFile.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CTremoluxApp.h"
#include "gui/feed/FeedView.h"
#include "gui/view/CTremoluxView.h"
#include "support/GeoJsonFeature.h"
#include "support/TestServer.h"

namespace {

using namespace tremolux;
using Stopwatch = std::chrono::steady_clock;

constexpr int kQuakes = 10000;
constexpr int kRuns = 7;
constexpr int kIdleSeconds = 20;
// 2025-12-07 06:00:00 UTC, the watcher's fixed clock, in ms since 1970.
constexpr long long kNowMs = 1765087200000LL;

// A month of quakes the world over, newest first.
std::string MonthFeed()
{
    std::string json = R"({"type":"FeatureCollection","features":[)";
    for (int i = 0; i < kQuakes; ++i) {
        const double latitude = -70.0 + (i * 7919 % 14000) / 100.0;
        const double longitude = -180.0 + (i * 104729 % 36000) / 100.0;
        const long long time = kNowMs - 1000LL * 259 * (1 + i);
        if (i > 0)
            json += ',';
        json += test::GeoJsonFeature(1.0 + (i % 70) / 10.0, "Region " + std::to_string(i), time,
                                     longitude, latitude);
    }
    return json + "]}";
}

class SilentTone final : public Tone {
public:
    void Play(int, int) override {}
};

double PssMiB()
{
    std::ifstream rollup("/proc/self/smaps_rollup");
    std::string line;
    while (std::getline(rollup, line)) {
        if (line.rfind("Pss:", 0) == 0)
            return std::stod(line.substr(4)) / 1024.0;
    }
    return -1;
}

long VoluntarySwitches()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw + usage.ru_nivcsw;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Until every map window shows a picture of the list as it is now.
void WaitForPictures(CMainFrame& frame)
{
    const auto current = [&frame] {
        for (CChildFrame* window : frame.MapWindows()) {
            if (!window->GetView()->PictureIsCurrent())
                return false;
        }
        return true;
    };
    while (!current())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

void WaitForPage()
{
    while (g_pFeedView->GetReadyState() != FeedBrowser::kReadyStateComplete)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// Runs the event loop for a while, as a watcher waiting for its next refresh.
void Idle(std::chrono::seconds seconds)
{
    QEventLoop loop;
    QTimer::singleShot(seconds, &loop, &QEventLoop::quit);
    loop.exec();
}

double Ms(Stopwatch::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The watcher with its four windows, reading server's feed.
std::unique_ptr<CTremoluxApp> StartWatcher(const test::TestServer& server, Tone& tone,
                                           CycleTimings timings)
{
    AppOptions options;
    options.feedAddress = server.Url();
    options.now = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
    options.tone = &tone;
    options.timings = timings;
    auto watcher = std::make_unique<CTremoluxApp>(std::move(options));
    if (!watcher->InitInstance())
        return nullptr;
    CMainFrame* frame = watcher->MainFrame();
    frame->resize(1280, 900);
    const DisplaySettings wide{1, 168.0, 15000000.0, 300000.0};
    frame->MapWindows().at(0)->GetView()->SetSettings(wide);
    frame->OpenMapWindow({CityAt("Manila", 14.5995, 120.9842), wide});
    frame->OpenMapWindow({CityAt("Los Angeles", 34.0522, -118.2437), wide});
    frame->OpenMapWindow({CityAt("Anchorage", 61.2181, -149.9003), wide});
    frame->MdiArea()->tileSubWindows();
    return watcher;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the user's settings stay as they are

    test::TestServer server;
    server.Serve(MonthFeed());
    SilentTone tone;

    std::vector<double> ticks;
    std::vector<double> parses;
    std::vector<double> afterwards;
    std::vector<double> shown;
    double pssFirst = 0;
    double pssTenth = 0;
    {
        // The ticks come from here, so that each one can be timed.
        CycleTimings manual;
        manual.poll = std::chrono::hours(1);
        manual.refresh = std::chrono::hours(1);
        const std::unique_ptr<CTremoluxApp> watcher = StartWatcher(server, tone, manual);
        if (!watcher)
            return 1;
        CMainFrame* frame = watcher->MainFrame();
        // A delivered page is otherwise read at once from the event queue,
        // where it could not be timed apart from the wait for it.
        g_pFeedView->SetOnLoadEnded({});
        for (int refresh = 1; refresh <= 10; ++refresh) {
            if (refresh > 1)
                frame->OnTimer(MainCycle::ID_TIMER_REFRESH);
            WaitForPage();
            const Stopwatch::time_point start = Stopwatch::now();
            frame->OnTimer(MainCycle::ID_TIMER_POLL);
            const Stopwatch::time_point ticked = Stopwatch::now();
            WaitForPictures(*frame);
            const Stopwatch::time_point pictured = Stopwatch::now();
            QApplication::processEvents();  // what is left for later, such as giving memory back
            const Stopwatch::time_point settled = Stopwatch::now();
            QuakeList parsed;
            parsed.ParsePage(*g_pFeedView, [](const std::string&) {});
            const Stopwatch::time_point end = Stopwatch::now();
            if (frame->m_quakes.count() < kQuakes * 9 / 10) {
                std::fprintf(stderr, "refresh %d read %d quakes of %d: %s\n", refresh,
                             frame->m_quakes.count(), kQuakes,
                             frame->Cycle().LastParseFailure().c_str());
                return 1;
            }
            if (refresh <= kRuns) {
                ticks.push_back(Ms(ticked - start));
                parses.push_back(Ms(end - settled));
                shown.push_back(Ms(pictured - start));
                afterwards.push_back(Ms(settled - pictured));
            }
            if (refresh == 1)
                pssFirst = PssMiB();
        }
        pssTenth = PssMiB();
    }

    // Idle as a user runs it: the program's own timings, the first load done.
    const std::unique_ptr<CTremoluxApp> watcher = StartWatcher(server, tone, CycleTimings{});
    if (!watcher)
        return 1;
    while (watcher->MainFrame()->Cycle().PagePending())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    // What the load left for later (giving memory back, late paints) is not idling.
    Idle(std::chrono::seconds(2));
    const long switchesBefore = VoluntarySwitches();
    const double cpuBefore = CpuSeconds();
    Idle(std::chrono::seconds(kIdleSeconds));
    const double idleSwitches = VoluntarySwitches() - switchesBefore;
    const double idleCpu = CpuSeconds() - cpuBefore;

    const double tick = Median(ticks);
    const double parse = Median(parses);
    std::printf("poll tick that takes a page of 10,000 quakes          %8.1f ms\n", tick);
    std::printf("its rows read alone (on the page's build thread)      %8.1f ms\n", parse);
    std::printf("the tick until 4 windows show the load (workers)      %8.1f ms\n", Median(shown));
    std::printf("then the events left queued (memory given back)       %8.1f ms\n",
                Median(afterwards));
    std::printf("idle main thread: wake-ups a minute                   %8.0f\n",
                idleSwitches * 60.0 / kIdleSeconds);
    std::printf("idle main thread: CPU, share of a core                %8.3f %%\n",
                100.0 * idleCpu / kIdleSeconds);
    std::printf("PSS with 10,000 quakes and 4 windows, 1st refresh     %8.1f MiB\n", pssFirst);
    std::printf("PSS with 10,000 quakes and 4 windows, 10th refresh    %8.1f MiB\n", pssTenth);
    return 0;
}
