#include "core/common/Clock.h"

#include <chrono>
#include <cstddef>

namespace tremolux {

namespace {

// 1970-01-01 00:00 as an OLE Automation date.
constexpr double kUnixEpoch = 25569.0;

// The digits at text[from, from + count) as a number; -1 if any is no digit.
int Digits(std::string_view text, std::size_t from, std::size_t count)
{
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<OleDate> ParseClockText(std::string_view text)
{
    constexpr std::string_view kShape = "YYYY-MM-DD HH:MM:SS";
    if (text.size() != kShape.size())
        return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const bool separator = kShape[i] == '-' || kShape[i] == ' ' || kShape[i] == ':';
        if (separator && text[i] != kShape[i])
            return std::nullopt;
    }
    const int fields[] = {Digits(text, 0, 4),  Digits(text, 5, 2),  Digits(text, 8, 2),
                          Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2)};
    for (int field : fields) {
        if (field < 0)
            return std::nullopt;
    }
    if (fields[1] < 1 || fields[1] > 12 || fields[2] < 1 || fields[2] > 31 || fields[3] > 23
        || fields[4] > 59 || fields[5] > 59)
        return std::nullopt;
    const OleDate date =
        OleDateFromCalendar(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
    if (!date.valid)
        return std::nullopt;
    return date;
}

OleDate SystemUtcClock::Now() const
{
    const auto seconds = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    return {kUnixEpoch + static_cast<double>(seconds.time_since_epoch().count()) / 86400.0, true};
}

}  // namespace tremolux
