#include "core/list/QuakeText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>
#include <cstdio>

#include "core/feed/QuakeRecord.h"
#include "core/geo/CityPosition.h"

namespace tremolux {

namespace {

// printf's "%.*f" without the process locale, which Qt applications adopt
// from the environment.
std::string Fixed(double value, int precision)
{
    char digits[400];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    return std::string(digits, result.ptr);
}

// "3 h 12 min", "2 d 5 h", "45 min": the two largest units, the smaller
// left out when zero.
std::string Span(long long minutes)
{
    const long long days = minutes / 1440;
    const long long hours = minutes / 60 % 24;
    const long long rest = minutes % 60;
    std::string text;
    if (days > 0) {
        text = std::to_string(days) + " d";
        if (hours > 0)
            text += ' ' + std::to_string(hours) + " h";
    } else if (hours > 0) {
        text = std::to_string(hours) + " h";
        if (rest > 0)
            text += ' ' + std::to_string(rest) + " min";
    } else {
        text = std::to_string(rest) + " min";
    }
    return text;
}

}  // namespace

QuakePlace PlaceFrom(const CityPosition& city, const QuakeRecord& quake)
{
    double ccw = 0.0;
    QuakePlace place;
    place.distance =
        GreatCircle(city.latDecimal, city.lonDecimal, quake.latitude, quake.longitude, &ccw);
    place.bearing = ccw == 0.0 ? 0.0 : 360.0 - ccw;
    return place;
}

const char* CompassPoint(double bearing)
{
    static const char* const kPoints[] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                          "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
    if (!std::isfinite(bearing))
        return "";
    const double turn = std::fmod(std::fmod(bearing, 360.0) + 360.0, 360.0);
    return kPoints[static_cast<int>(std::floor(turn / 22.5 + 0.5)) % 16];
}

std::string DistanceText(const QuakePlace& place)
{
    if (!std::isfinite(place.distance))
        return {};
    const double km = place.distance * 0.001;
    if (km < 0.5)
        return "0 km";
    return Fixed(km, 0) + " km " + CompassPoint(place.bearing);
}

std::string DistanceFromText(const QuakePlace& place, const std::string& cityName)
{
    const std::string distance = DistanceText(place);
    if (distance.empty() || cityName.empty())
        return distance;
    if (place.distance * 0.001 < 0.5)
        return "at " + cityName;
    return distance + " of " + cityName;
}

double AgeSeconds(OleDate time, OleDate now)
{
    if (!time.valid || !now.valid)
        return std::nan("");
    return WholeUnitsOfAge(OleDayDifference(now, time), 86400.0);
}

std::string AgeText(OleDate time, OleDate now)
{
    const double seconds = AgeSeconds(time, now);
    if (!std::isfinite(seconds))
        return {};
    // Dates millennia apart still make a whole number of minutes.
    const long long minutes = static_cast<long long>(std::min(std::fabs(seconds) / 60.0, 1.0e15));
    if (minutes == 0)
        return "under a minute ago";
    if (seconds < 0.0)
        return "in " + Span(minutes);
    return Span(minutes) + " ago";
}

std::string UtcText(OleDate time)
{
    CalendarTime fields;
    if (!OleDateToCalendar(time, fields))
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", fields.year, fields.month,
                  fields.day, fields.hour, fields.minute, fields.second);
    return text;
}

std::string TimeText(OleDate time, TimeShown shown)
{
    if (shown == TimeShown::Utc)
        return UtcText(time);
    CalendarTime fields;
    if (!OleDateToCalendar(time, fields))
        return {};
    // The calendar fields are UTC: as seconds since 1970 they are the moment.
    const OleDate epoch = OleDateFromCalendar(1970, 1, 1);
    const std::time_t moment = static_cast<std::time_t>(
        std::llround((OleDateFromCalendar(fields.year, fields.month, fields.day, fields.hour,
                                          fields.minute, fields.second)
                          .value
                      - epoch.value)
                     * 86400.0));
    std::tm local{};
    if (localtime_r(&moment, &local) == nullptr)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

const char* TimeZoneName(TimeShown shown)
{
    return shown == TimeShown::Utc ? " UTC" : " local time";
}

std::string MagnitudeText(double magnitude)
{
    return std::isfinite(magnitude) ? Fixed(magnitude, 1) : std::string();
}

std::string DepthText(double depthKm)
{
    return std::isfinite(depthKm) ? Fixed(depthKm, 1) + " km" : std::string();
}

}  // namespace tremolux
