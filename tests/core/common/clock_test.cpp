#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "core/common/Clock.h"

namespace tremolux {
namespace {

TEST(ClockText, TakesOnlyTheFullDateAndTime)
{
    const std::optional<OleDate> date = ParseClockText("2025-12-07 06:00:00");
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->value, OleDateFromCalendar(2025, 12, 7, 6, 0, 0).value);
    EXPECT_TRUE(ParseClockText("1900-03-01 23:59:59").has_value());

    for (const char* text :
         {"18:00", "2025-12-07", "2025-12-07 06:00", "2025-12-07T06:00:00", "2025/12/07 06:00:00",
          " 2025-12-07 06:00:00", "2025-12-07 06:00:00 ", "2025-13-07 06:00:00",
          "2025-02-30 06:00:00", "2025-12-07 24:00:00", "2025-12-07 06:60:00",
          "2025-12-07 06:00:60", "+025-12-07 06:00:00", "2025-12-07 6:00:00 ", ""})
        EXPECT_FALSE(ParseClockText(text).has_value()) << text;
}

// The feed writes UTC, so the present moment must not follow the local zone.
TEST(ClockText, SystemClockIsUtcInEveryZone)
{
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "JST-9", 1);
    tzset();
    // The system clock itself: time() may read a coarser clock that lags it
    // by a tick, a second behind just after a second begins.
    const auto days = [] {
        const std::chrono::duration<double> since =
            std::chrono::system_clock::now().time_since_epoch();
        return since.count() / 86400.0 + 25569.0;
    };
    const double before = days();
    const double now = SystemUtcClock().Now().value;
    const double after = days();
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_GE(now, before - 1.0 / 86400.0);
    EXPECT_LE(now, after);
}

}  // namespace
}  // namespace tremolux
