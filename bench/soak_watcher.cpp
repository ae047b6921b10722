// The watcher's main frame with three map windows, on the offscreen platform,
// run through 2,000 refresh cycles against the tests' local HTTP server, whose
// feed moves its newest quake with every request. Prints the resident memory
// at the start, after 200 cycles and after 2,000: growth between the last two
// is what a leak would look like.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>
#include <QEventLoop>
#include <QStandardPaths>

#include "core/common/OleDate.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CTremoluxApp.h"
#include "support/GeoJsonFeature.h"
#include "support/TestServer.h"

namespace {

using namespace tremolux;

constexpr int kCycles = 2000;
constexpr int kQuakes = 200;
// 2025-12-07 06:00:00 UTC, the watcher's fixed clock, in ms since 1970.
constexpr long long kNowMs = 1765087200000LL;

// A GeoJSON feed of kQuakes over the last two days; the newest moves with
// every request, so each parse sounds the alert.
std::string Feed(int request)
{
    std::string json = R"({"type":"FeatureCollection","features":[)";
    for (int i = 0; i < kQuakes; ++i) {
        double latitude = -50.0 + i % 100;
        double longitude = -170.0 + i * 1.7;
        if (i == 0) {
            latitude = -60.0 + request * 7919 % 12000 / 100.0;
            longitude = -170.0 + request * 104729 % 34000 / 100.0;
        }
        const long long time = kNowMs - 1000LL * 60 * (1 + i * 14);
        json += (i ? "," : "")
                + test::GeoJsonFeature(2.0 + (i % 60) / 10.0, "Soak region " + std::to_string(i),
                                       time, longitude, latitude);
    }
    return json + "]}";
}

// A line of /proc/self/status in MiB, "VmRSS" or "VmHWM".
double StatusMiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
    }
    return -1;
}

// Every completed cycle sounds the alert, so the tone counts the cycles.
class CycleCounter final : public Tone {
public:
    CycleCounter(QEventLoop& loop, const test::TestServer& server)
        : m_loop(loop), m_server(server), m_start(std::chrono::steady_clock::now())
    {
        std::printf("%8s %10s %10s %10s %10s\n", "cycles", "requests", "seconds", "RSS MiB",
                    "peak MiB");
    }

    void Play(int, int) override
    {
        ++m_cycles;
        if (m_cycles == 1 || m_cycles == 200 || m_cycles == kCycles) {
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
            std::printf("%8d %10d %10.1f %10.1f %10.1f\n", m_cycles, m_server.RequestCount(),
                        seconds, StatusMiB("VmRSS"), StatusMiB("VmHWM"));
            std::fflush(stdout);
        }
        if (m_cycles == kCycles)
            m_loop.quit();
    }

private:
    QEventLoop& m_loop;
    const test::TestServer& m_server;
    std::chrono::steady_clock::time_point m_start;
    int m_cycles = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the user's settings stay as they are

    test::TestServer server;
    server.ServeEach(Feed);
    QEventLoop loop;
    CycleCounter counter(loop, server);

    AppOptions options;
    options.feedAddress = server.Url();
    options.now = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
    options.tone = &counter;
    options.timings.poll = std::chrono::milliseconds(5);
    // Time for a load, its build and the repaint on a busy machine: a reload
    // that comes sooner drops the load under way.
    options.timings.refresh = std::chrono::milliseconds(150);
    CTremoluxApp watcher(std::move(options));
    if (!watcher.InitInstance())
        return 1;
    CMainFrame* frame = watcher.MainFrame();
    frame->OnFileNew();
    frame->OnFileNew();
    frame->OnWindowTileVert();

    loop.exec();
    return 0;
}
