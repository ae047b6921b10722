#include "core/feed/CatchUp.h"

#include <cstdio>
#include <utility>

namespace tremolux {

std::optional<double> FeedReachDays(std::string_view address)
{
    const std::string_view path = address.substr(0, address.find_first_of("?#"));
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || path.find("/summary/") == std::string_view::npos)
        return std::nullopt;
    const std::string_view stem = path.substr(0, dot);
    const std::string_view extension = path.substr(dot);
    if (extension != ".geojson" && extension != ".csv")
        return std::nullopt;
    const std::pair<std::string_view, double> periods[] = {
        {"_hour", 1.0 / 24.0}, {"_day", 1.0}, {"_week", 7.0}, {"_month", 30.0}};
    for (const auto& [suffix, days] : periods)
        if (stem.ends_with(suffix))
            return days;
    return std::nullopt;
}

std::string CatchUpAddress(std::string_view service, std::string_view feed, OleDate lastGoodLoad,
                           OleDate now)
{
    const std::optional<double> reach = FeedReachDays(feed);
    CalendarTime since;
    if (!reach || !lastGoodLoad.valid || !now.valid || OleDayDifference(now, lastGoodLoad) <= *reach
        || !OleDateToCalendar(lastGoodLoad, since))
        return {};
    char sinceText[32];
    std::snprintf(sinceText, sizeof sinceText, "%04d-%02d-%02dT%02d:%02d:%02d", since.year,
                  since.month, since.day, since.hour, since.minute, since.second);
    return std::string(service) + "?format=geojson&updatedafter=" + sinceText
           + "&includedeleted=true&orderby=time&limit=20000";
}

}  // namespace tremolux
