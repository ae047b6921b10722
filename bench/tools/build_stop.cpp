// How soon an abandoned document build stops: for each page named, the time
// its build takes when left alone, then the time from raising its stop flag
// (at a quarter, a half and three quarters of that) to the build's end.
//
// Usage: build_stop PAGE...   (bench/tools/hostile_inputs.py writes such pages)
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "core/feed/OpenFeedDocument.h"

using namespace tremolux;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

std::string Read(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The time from the stop to the end of the build, or of the build itself
// when stopAfter is negative.
double Build(const std::string& page, double stopAfterMs)
{
    StopFlag stop;
    Clock::time_point ended;
    std::thread build([&] {
        try {
            OpenFeedDocument(page, stop);
        } catch (const Stopped&) {
        }
        ended = Clock::now();
    });
    const Clock::time_point started = Clock::now();
    if (stopAfterMs < 0) {
        build.join();
        return Ms(ended - started);
    }
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(stopAfterMs));
    const Clock::time_point raised = Clock::now();
    stop.Raise();
    build.join();
    return ended > raised ? Ms(ended - raised) : 0.0;
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string page = Read(argv[i]);
        const double whole = Build(page, -1);
        std::printf("%s: build %.0f ms; stopped after", argv[i], whole);
        for (const double part : {0.25, 0.5, 0.75})
            std::printf(" %.0f ms: %.1f ms;", whole * part, Build(page, whole * part));
        std::printf("\n");
    }
}
