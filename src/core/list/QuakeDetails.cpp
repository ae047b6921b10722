#include "core/list/QuakeDetails.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "core/feed/QuakeRecord.h"
#include "core/list/QuakeText.h"
#include "core/list/ReadingsText.h"

namespace tremolux {

namespace {

// "Depth 10.0 km"; a value the feed left out (or gave beyond numbers) is
// said to be unknown rather than shown as an empty gap.
std::string Line(const char* what, const std::string& value)
{
    return std::string(what) + (value.empty() ? " unknown" : " " + value);
}

// "1,204": a count a person reads at a glance.
std::string GroupedNumber(int count)
{
    std::string digits = std::to_string(count < 0 ? 0 : count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

}  // namespace

std::string QuakeDetails(const QuakeRecord& quake, const std::string& cityName,
                         const CityPosition& city, OleDate now, TimeShown shown)
{
    const std::string magnitude = MagnitudeText(quake.magnitude);
    std::string text = magnitude.empty() ? "Magnitude unknown" : "M " + magnitude;
    if (!quake.region.empty())
        text += "  " + quake.region;
    const std::string time = TimeText(quake.time, shown);
    const std::string age = AgeText(quake.time, now);
    text += "\n" + (time.empty() ? std::string("Time unknown") : time + TimeZoneName(shown));
    if (!age.empty())
        text += " (" + age + ")";
    text += "\n" + Line("Depth", DepthText(quake.depth));
    const std::string where = DistanceFromText(PlaceFrom(city, quake), cityName);
    text += "\n" + (where.empty() ? std::string("Distance unknown") : where);
    const std::string readings = ReadingsText(quake.readings);
    if (!readings.empty())
        text += "\n" + readings;
    if (const std::string impact = ImpactText(quake); !impact.empty())
        text += "\n" + impact;
    return text;
}

std::string IntensityText(const std::optional<double>& intensity)
{
    if (!intensity || !std::isfinite(*intensity))
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", *intensity);
    return text;
}

std::string ImpactText(const QuakeRecord& quake)
{
    std::vector<std::string> lines;
    if (quake.feltReports)
        lines.push_back(*quake.feltReports == 1
                            ? std::string("Felt by 1 person")
                            : "Felt by " + GroupedNumber(*quake.feltReports) + " people");
    std::string intensity;
    if (const std::string cdi = IntensityText(quake.cdi); !cdi.empty())
        intensity = "CDI " + cdi;
    if (const std::string mmi = IntensityText(quake.mmi); !mmi.empty())
        intensity += (intensity.empty() ? "MMI " : ", MMI ") + mmi;
    if (!intensity.empty())
        lines.push_back("Intensity: " + intensity);
    if (!quake.alert.empty())
        lines.push_back("PAGER alert: " + quake.alert);
    if (!quake.status.empty())
        lines.push_back("Status: " + quake.status);
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace tremolux
