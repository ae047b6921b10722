// A push service's flood: 10,000 messages read and kept (what one second of
// a 10,000-a-second flood costs the GUI thread), and the pushed events' feed
// built at the cap of 20,000, as once a second under such a flood.
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "core/feed/PushMessage.h"
#include "core/feed/PushedQuakes.h"

namespace {

using namespace tremolux;

std::vector<std::string> Messages(int count)
{
    std::vector<std::string> messages;
    for (int i = 0; i < count; ++i) {
        const int second = i % 3600;
        char time[32];
        std::snprintf(time, sizeof time, "2025-12-07T%02d:%02d:%02dZ", 5 - (i / 3600) % 5,
                      second / 60, second % 60);
        messages.push_back(
            R"({"action":"create","data":{"type":"Feature","geometry":{"type":"Point",)"
            R"("coordinates":[26.1,38.2,-10]},"properties":{"unid":"2025120)"
            + std::to_string(i) + R"(","time":")" + time + R"(","lastupdate":")" + time
            + R"(","lat":)" + std::to_string(i % 170 - 85) + R"(,"lon":)"
            + std::to_string(i % 350 - 175)
            + R"(,"depth":10.0,"mag":4.2,"magtype":"mb","flynn_region":"SOMEWHERE ON EARTH",)"
              R"("auth":"EMSC","evtype":"ke","source_catalog":"EMSC-RTS"}}})");
    }
    return messages;
}

void BM_PushTenThousandMessages(benchmark::State& state)
{
    const std::vector<std::string> messages = Messages(10000);
    for (auto _ : state) {
        PushMessageReader reader;
        PushedQuakes pushed;
        for (const std::string& message : messages)
            pushed.Take(*reader.Read(message));
        benchmark::DoNotOptimize(pushed.Count());
    }
}
BENCHMARK(BM_PushTenThousandMessages)->Unit(benchmark::kMillisecond);

void BM_PushedDocumentAtTheCap(benchmark::State& state)
{
    PushMessageReader reader;
    PushedQuakes pushed;
    for (const std::string& message : Messages(20000))
        pushed.Take(*reader.Read(message));
    for (auto _ : state)
        benchmark::DoNotOptimize(pushed.Document());
}
BENCHMARK(BM_PushedDocumentAtTheCap)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
