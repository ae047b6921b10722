#include "core/list/QuakeDetails.h"

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

}  // namespace

std::string QuakeDetails(const QuakeRecord& quake, const std::string& cityName,
                         const CityPosition& city, OleDate now)
{
    const std::string magnitude = MagnitudeText(quake.magnitude);
    std::string text = magnitude.empty() ? "Magnitude unknown" : "M " + magnitude;
    if (!quake.region.empty())
        text += "  " + quake.region;
    const std::string utc = UtcText(quake.time);
    const std::string age = AgeText(quake.time, now);
    text += "\n" + (utc.empty() ? std::string("Time unknown") : utc + " UTC");
    if (!age.empty())
        text += " (" + age + ")";
    text += "\n" + Line("Depth", DepthText(quake.depth));
    const std::string where = DistanceFromText(PlaceFrom(city, quake), cityName);
    text += "\n" + (where.empty() ? std::string("Distance unknown") : where);
    const std::string readings = ReadingsText(quake.readings);
    if (!readings.empty())
        text += "\n" + readings;
    return text;
}

}  // namespace tremolux
