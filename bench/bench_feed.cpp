// The page walk: gumbo's own parse of a 10,000-row classic page against the
// same page opened and walked, and the GeoJSON and CSV feeds of 10,000 quakes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include <benchmark/benchmark.h>
#include <gumbo.h>

#include "core/feed/FeedDocument.h"
#include "core/feed/OpenFeedDocument.h"
#include "core/feed/QuakeList.h"

namespace {

using namespace tremolux;

constexpr int kQuakes = 10000;

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Generated once next to the benchmark program by the project's page generator.
std::string GeneratedClassicPage(int rows)
{
    const auto path = std::filesystem::read_symlink("/proc/self/exe").parent_path()
                      / ("classic_" + std::to_string(rows) + ".html");
    if (!std::filesystem::exists(path)) {
        const std::string command = "python3 '" TREMOLUX_BENCH_TOOLS "/gen_classic_page.py' "
                                    + std::to_string(rows) + " '" + path.string() + "' > /dev/null";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("cannot generate " + path.string());
    }
    return ReadFile(path);
}

const std::string& ClassicPage()
{
    static const std::string page = GeneratedClassicPage(kQuakes);
    return page;
}

// The size of the page the classic feed serves on an ordinary day.
constexpr int kSmallPageRows = 300;

const std::string& SmallClassicPage()
{
    static const std::string page = GeneratedClassicPage(kSmallPageRows);
    return page;
}

// A small fixed-seed generator, so every run measures the same bytes.
class Random {
public:
    std::uint64_t Below(std::uint64_t n) { return Next() % n; }

private:
    std::uint64_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }
    std::uint64_t m_state = 20261207;
};

const char* const kPlaces[] = {"93 km E of Namie, Japan",          "6 km NW of The Geysers, CA",
                               "21 km SE of Anchor Point, Alaska", "South Sandwich Islands region",
                               "Kermadec Islands, New Zealand",    "45 km SSW of Tonga"};

struct Quake {
    char id[11];
    double magnitude, latitude, longitude, depth;
    std::int64_t timeMs;
    const char* place;
    const char* type;
};

Quake MakeQuake(Random& random, int i)
{
    Quake quake{};
    std::snprintf(quake.id, sizeof quake.id, "us%08d", 60000000 + i);
    quake.magnitude = static_cast<double>(random.Below(70) + 10) / 10.0;
    quake.latitude = static_cast<double>(random.Below(130001)) / 1000.0 - 60.0;
    quake.longitude = static_cast<double>(random.Below(360001)) / 1000.0 - 180.0;
    quake.depth = static_cast<double>(random.Below(7001)) / 10.0;
    quake.timeMs = 1765083600000 - static_cast<std::int64_t>(random.Below(7 * 86400)) * 1000;
    quake.place = kPlaces[random.Below(std::size(kPlaces))];
    quake.type = random.Below(50) == 0 ? "quarry blast" : "earthquake";
    return quake;
}

const std::string& GeoJsonFeed()
{
    static const std::string feed = [] {
        Random random;
        std::string json =
            R"({"type":"FeatureCollection","metadata":{"generated":1765084000000,)"
            R"("url":"https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/all_week.geojson",)"
            R"("title":"USGS All Earthquakes, Past Week","status":200,"api":"1.14.1","count":10000},)"
            R"("features":[)";
        char buffer[2048];
        for (int i = 0; i < kQuakes; ++i) {
            const Quake q = MakeQuake(random, i);
            std::snprintf(
                buffer, sizeof buffer,
                R"(%s{"type":"Feature","properties":{"mag":%.1f,"place":"%s","time":%lld,)"
                R"("updated":%lld,"tz":null,"url":"https://earthquake.usgs.gov/earthquakes/eventpage/%s",)"
                R"("detail":"https://earthquake.usgs.gov/earthquakes/feed/v1.0/detail/%s.geojson",)"
                R"("felt":null,"cdi":null,"mmi":null,"alert":null,"status":"reviewed","tsunami":0,)"
                R"("sig":306,"net":"us","code":"%s","ids":",%s,","sources":",us,",)"
                R"("types":",origin,phase-data,","nst":null,"dmin":null,"rms":0.41,"gap":null,)"
                R"("magType":"mb","type":"%s","title":"M %.1f - %s"},"geometry":{"type":"Point",)"
                R"("coordinates":[%.3f,%.3f,%.1f]},"id":"%s"})",
                i ? "," : "", q.magnitude, q.place, static_cast<long long>(q.timeMs),
                static_cast<long long>(q.timeMs + 120000), q.id, q.id, q.id + 2, q.id, q.type,
                q.magnitude, q.place, q.longitude, q.latitude, q.depth, q.id);
            json += buffer;
        }
        return json + R"(],"bbox":[-180,-60,0,180,70,700]})";
    }();
    return feed;
}

const std::string& CsvFeed()
{
    static const std::string feed = [] {
        Random random;
        std::string csv =
            "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,place,type,"
            "horizontalError,depthError,magError,magNst,status,locationSource,magSource\n";
        char buffer[1024];
        for (int i = 0; i < kQuakes; ++i) {
            const Quake q = MakeQuake(random, i);
            const std::time_t seconds = static_cast<std::time_t>(q.timeMs / 1000);
            char when[32];
            std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S.000Z", std::gmtime(&seconds));
            std::snprintf(
                buffer, sizeof buffer,
                "%s,%.3f,%.3f,%.1f,%.1f,mb,,71,2.9,0.77,us,%s,%s,\"%s\",%s,6.8,1.9,0.04,180,"
                "reviewed,us,us\n",
                when, q.latitude, q.longitude, q.depth, q.magnitude, q.id, when, q.place, q.type);
            csv += buffer;
        }
        return csv;
    }();
    return feed;
}

struct Browser final : FeedBrowser {
    const FeedDocument* document = nullptr;
    void Navigate2(const std::string&) override {}
    int GetReadyState() const override { return kReadyStateComplete; }
    void Refresh() override {}
    const FeedDocument* GetHtmlDocument() const override { return document; }
};

// Copies the bytes outside the timing: the document takes them by value.
std::string Untimed(benchmark::State& state, const std::string& bytes)
{
    state.PauseTiming();
    std::string copy;
    copy.reserve(bytes.size() + 64);
    copy = bytes;
    state.ResumeTiming();
    return copy;
}

void OpenAndWalk(benchmark::State& state, const std::string& feed, bool walk, int quakes = kQuakes)
{
    QuakeList list;
    Browser browser;
    for (auto _ : state) {
        const auto document = OpenFeedDocument(Untimed(state, feed));
        if (walk) {
            browser.document = document.get();
            if (!list.ParsePage(browser, [](const std::string&) {}))
                state.SkipWithError("the walk failed");
        }
        benchmark::DoNotOptimize(document.get());
    }
    if (walk && list.count() < quakes * 9 / 10)
        state.SkipWithError("too few quakes read");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * feed.size()));
}

void BM_ClassicPageGumboParse(benchmark::State& state)
{
    const std::string& page = ClassicPage();
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;  // as the document parses
    for (auto _ : state) {
        GumboOutput* output = gumbo_parse_with_options(&options, page.data(), page.size());
        benchmark::DoNotOptimize(output);
        gumbo_destroy_output(&options, output);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

void BM_ClassicPageOpen(benchmark::State& state)
{
    OpenAndWalk(state, ClassicPage(), false);
}
void BM_ClassicPageWalk(benchmark::State& state)
{
    OpenAndWalk(state, ClassicPage(), true);
}
void BM_ClassicPage300Walk(benchmark::State& state)
{
    OpenAndWalk(state, SmallClassicPage(), true, kSmallPageRows);
}
void BM_GeoJsonOpen(benchmark::State& state)
{
    OpenAndWalk(state, GeoJsonFeed(), false);
}
void BM_GeoJsonWalk(benchmark::State& state)
{
    OpenAndWalk(state, GeoJsonFeed(), true);
}
void BM_CsvOpen(benchmark::State& state)
{
    OpenAndWalk(state, CsvFeed(), false);
}
void BM_CsvWalk(benchmark::State& state)
{
    OpenAndWalk(state, CsvFeed(), true);
}

}  // namespace

BENCHMARK(BM_ClassicPageGumboParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassicPageOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassicPageWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassicPage300Walk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeoJsonOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeoJsonWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvWalk)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
