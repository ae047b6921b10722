#include "feed/Clock.h"

#include <chrono>

namespace tremolux {

namespace {

// 1970-01-01 00:00 as an OLE Automation date.
constexpr double kUnixEpoch = 25569.0;

}  // namespace

OleDate SystemUtcClock::Now() const
{
    const auto seconds = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    return {kUnixEpoch + static_cast<double>(seconds.time_since_epoch().count()) / 86400.0, true};
}

}  // namespace tremolux
