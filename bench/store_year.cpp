// A year of a month feed (about 10,000 events, 330 new ones a day) reloaded
// into one store, compressed: one load per simulated day rather than every
// five minutes, since a reload that brings nothing writes nothing but its time.
// Prints the store's size after the year and the time of a reload in the
// first month and in the last, which should be alike.
#include <chrono>
#include <cstdio>

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

double ReloadMs(SqlEventStore& store, const QuakeList& feed, OleDate at)
{
    const auto start = std::chrono::steady_clock::now();
    CompareLoad(store, "feed", feed, at);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("year.sqlite");
    double firstMonthMs = 0.0;
    double lastMonthMs = 0.0;
    {
        SqlEventStore store(path);
        for (int load = 0; load < 365 * kLoadsPerDay; ++load) {
            const long long last = static_cast<long long>(load) * kMonthEvents / 30 / kLoadsPerDay + kMonthEvents;
            const QuakeList feed = bench::StoreFeed(last, kMonthEvents, kInterval);
            const OleDate at{46000.0 + static_cast<double>(last) * kInterval, true};
            CompareLoad(store, "feed", feed, at);
            if (load == 30 * kLoadsPerDay)
                firstMonthMs = ReloadMs(store, feed, at);
            if (load == 365 * kLoadsPerDay - 1)
                lastMonthMs = ReloadMs(store, feed, at);
        }
    }
    std::printf("store after a year of a month feed %12.1f MB\n", QFileInfo(path).size() / 1e6);
    std::printf("unchanged reload, first month      %12.1f ms\n", firstMonthMs);
    std::printf("unchanged reload, last month       %12.1f ms\n", lastMonthMs);
    return 0;
}
