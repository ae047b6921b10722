#include "core/cycle/FeedStatus.h"

#include <cmath>
#include <cstdio>

#include "core/feed/QuakeList.h"

namespace tremolux {

namespace {

std::string Quakes(int count)
{
    return std::to_string(count) + (count == 1 ? " quake" : " quakes");
}

std::string ClockTime(OleDate date)
{
    CalendarTime time;
    if (!OleDateToCalendar(date, time))
        return "?";
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d UTC", time.hour, time.minute);
    return text;
}

std::string Age(OleDate then, OleDate now)
{
    const double seconds = std::round(OleDayDifference(now, then) * 86400.0);
    const double minutes = std::floor(seconds / 60.0);
    if (!(minutes >= 1.0))
        return "less than a minute old";
    if (minutes < 120.0)
        return std::to_string(static_cast<long long>(minutes)) + " min old";
    if (minutes < 2880.0)
        return std::to_string(static_cast<long long>(minutes / 60.0)) + " h old";
    return std::to_string(static_cast<long long>(minutes / 1440.0)) + " days old";
}

// Why the latest load or parse failed, empty when neither did. The parser's
// text for a page it cannot view as tables, such as a maintenance page served
// in place of the feed, means nothing to a reader: the pane says it in words.
std::string Failure(const FeedStatus& status)
{
    if (!status.loadFailure.empty())
        return "Feed failed: " + status.loadFailure;
    if (status.parseFailure == kNoTablesFailure)
        return "Feed failed: the page holds no table";
    return status.parseFailure;
}

}  // namespace

std::string FeedStatusText(const FeedStatus& status, int quakeCount, OleDate now)
{
    const std::string failure = Failure(status);
    if (!failure.empty()) {
        if (!status.hasData)
            return failure + "; no quakes yet";
        return failure + "; showing " + Quakes(quakeCount) + " from "
               + ClockTime(status.lastGoodLoad) + " (" + Age(status.lastGoodLoad, now) + ")";
    }
    if (!status.anyLoadEnded)
        return "Loading the feed...";
    return Quakes(quakeCount) + ", updated " + ClockTime(status.lastGoodLoad);
}

}  // namespace tremolux
