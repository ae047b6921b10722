#include "core/view/QuakeDetails.h"

#include <cmath>
#include <cstdio>

#include "core/feed/QuakeRecord.h"
#include "core/geo/CityPosition.h"

namespace tremolux {

namespace {

// Whole minutes, hours and days of a span of seconds, the two largest shown.
std::string SpanText(long long seconds)
{
    const long long minutes = seconds / 60;
    const long long hours = minutes / 60;
    const long long days = hours / 24;
    char text[64];
    if (days > 0)
        std::snprintf(text, sizeof text, "%lld d %lld h", days, hours % 24);
    else if (hours > 0)
        std::snprintf(text, sizeof text, "%lld h %lld min", hours, minutes % 60);
    else
        std::snprintf(text, sizeof text, "%lld min", minutes);
    return text;
}

// A number without the process locale's decimal comma.
std::string Fixed(double value, int precision)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", precision, value);
    for (char& c : text) {
        if (c == ',')
            c = '.';
    }
    return text;
}

std::string UtcText(OleDate time)
{
    CalendarTime t;
    if (!OleDateToCalendar(time, t))
        return "unknown time";
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d UTC", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

}  // namespace

std::string AgeText(double ageDays)
{
    if (!std::isfinite(ageDays))
        return "age unknown";
    const double seconds = std::round(ageDays * 86400.0);
    if (seconds < -59.0)
        return SpanText(static_cast<long long>(-seconds)) + " ahead of the clock";
    if (seconds < 60.0)
        return "less than a minute ago";
    return SpanText(static_cast<long long>(seconds)) + " ago";
}

std::string CompassPoint(double bearingDegrees)
{
    static const char* const kPoints[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    if (!std::isfinite(bearingDegrees))
        return "N";
    double turn = std::fmod(bearingDegrees, 360.0);
    if (turn < 0.0)
        turn += 360.0;
    return kPoints[static_cast<int>(std::floor(turn / 45.0 + 0.5)) % 8];
}

std::string DistanceText(const QuakeRecord& quake, const std::string& cityName,
                         const CityPosition& city)
{
    double ccw = 0.0;
    const double metres =
        GreatCircle(city.latDecimal, city.lonDecimal, quake.latitude, quake.longitude, &ccw);
    if (!std::isfinite(metres))
        return "distance unknown";
    if (metres < 500.0)
        return "at " + cityName;
    return Fixed(metres / 1000.0, 0) + " km " + CompassPoint(360.0 - ccw) + " of " + cityName;
}

std::string QuakeDetails(const QuakeRecord& quake, const std::string& cityName,
                         const CityPosition& city, OleDate now)
{
    std::string text = "M " + Fixed(quake.magnitude, 1) + "  " + quake.region + "\n";
    text += UtcText(quake.time) + " (" + AgeText(OleDayDifference(now, quake.time)) + ")\n";
    text += "Depth " + Fixed(quake.depth, 1) + " km\n";
    text += DistanceText(quake, cityName, city);
    return text;
}

}  // namespace tremolux
