#include "core/world/QuakeTip.h"

#include <cmath>
#include <cstdio>

#include "core/feed/QuakeRecord.h"
#include "core/geo/CityPosition.h"

namespace tremolux {

namespace {

std::string Format(const char* format, auto... values)
{
    char text[128];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string TimeLine(OleDate time, OleDate now)
{
    CalendarTime at;
    if (!time.valid || !OleDateToCalendar(time, at))
        return "Time unknown";
    std::string line = Format("%04d-%02d-%02d %02d:%02d:%02d UTC", at.year, at.month, at.day,
                              at.hour, at.minute, at.second);
    // A quake "from the future" (the clocks disagree) gets no age.
    const long long minutes =
        std::llround(WholeUnitsOfAge(OleDayDifference(now, time), 24.0 * 60.0));
    if (minutes >= 48 * 60)
        line += Format(", %lld days ago", minutes / (24 * 60));
    else if (minutes >= 60)
        line += Format(", %lld h ago", minutes / 60);
    else if (minutes >= 0)
        line += Format(", %lld min ago", minutes);
    return line;
}

}  // namespace

std::string QuakeTipText(const QuakeRecord& quake, const std::string& cityName,
                         const CityPosition& city, OleDate now)
{
    double ccwBearing = 0.0;
    const double metres = GreatCircle(city.latDecimal, city.lonDecimal, quake.latitude,
                                      quake.longitude, &ccwBearing);
    const long bearing = (360 - std::lround(ccwBearing)) % 360;
    std::string text = Format("M %.1f", quake.magnitude);
    if (!quake.region.empty())
        text += "  " + quake.region;
    text += "\n" + TimeLine(quake.time, now);
    text += "\n" + Format("%.0f km from ", metres / 1000.0)
            + (cityName.empty() ? std::string("the centre") : cityName)
            + Format(", bearing %ld\u00B0", bearing);
    text += "\n" + Format("Depth %.0f km", quake.depth);
    return text;
}

}  // namespace tremolux
