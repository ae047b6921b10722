// A year of a month feed (about 10,000 events, 330 new ones a day) reloaded
// into one store, compressed: one load per simulated day rather than every
// five minutes, since a reload that brings nothing writes nothing but its time.
// Prints the store's size after the year and the time of a reload in the
// first month and in the last (wall clock and CPU, medians of seven), which
// should be alike.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include <QFileInfo>
#include <QTemporaryDir>

#include "StoreEvents.h"
#include "core/events/CompareLoad.h"
#include "gui/store/SqlEventStore.h"

using namespace tremolux;

namespace {

constexpr int kMonthEvents = 10000;
constexpr double kInterval = 30.0 / kMonthEvents;
constexpr int kLoadsPerDay = 1;

struct ReloadTime {
    double wallMs = 0.0;
    double cpuMs = 0.0;
};

// The medians of several reloads: one alone is at the mercy of the disk's
// flush and of whatever else the machine runs.
ReloadTime Reload(SqlEventStore& store, const QuakeList& feed, OleDate at)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int run = 0; run < 7; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t startCpu = std::clock();
        CompareLoad(store, "feed", feed, at);
        cpu.push_back(1000.0 * static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC);
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::nth_element(wall.begin(), wall.begin() + 3, wall.end());
    std::nth_element(cpu.begin(), cpu.begin() + 3, cpu.end());
    return {wall[3], cpu[3]};
}

}  // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("year.sqlite");
    ReloadTime firstMonth;
    ReloadTime lastMonth;
    {
        SqlEventStore store(path);
        for (int load = 0; load < 365 * kLoadsPerDay; ++load) {
            const long long last =
                static_cast<long long>(load) * kMonthEvents / 30 / kLoadsPerDay + kMonthEvents;
            const QuakeList feed = bench::StoreFeed(last, kMonthEvents, kInterval);
            const OleDate at{46000.0 + static_cast<double>(last) * kInterval, true};
            CompareLoad(store, "feed", feed, at);
            if (load == 30 * kLoadsPerDay)
                firstMonth = Reload(store, feed, at);
            if (load == 365 * kLoadsPerDay - 1)
                lastMonth = Reload(store, feed, at);
        }
    }
    std::printf("store after a year of a month feed %12.1f MB\n", QFileInfo(path).size() / 1e6);
    std::printf("unchanged reload, first month      %12.1f ms (%.1f ms CPU)\n", firstMonth.wallMs,
                firstMonth.cpuMs);
    std::printf("unchanged reload, last month       %12.1f ms (%.1f ms CPU)\n", lastMonth.wallMs,
                lastMonth.cpuMs);
    return 0;
}
