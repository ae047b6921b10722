#include "core/list/ReadingsText.h"

#include "core/list/QuakeText.h"

namespace tremolux {

std::string ReadingsText(const std::vector<SourceReading>& readings)
{
    if (readings.size() < 2)
        return {};
    std::string text;
    for (const SourceReading& reading : readings) {
        if (!text.empty())
            text += ", ";
        text += reading.source + " M " + MagnitudeText(reading.magnitude);
        if (!reading.magnitudeType.empty())
            text += " " + reading.magnitudeType;
    }
    return text;
}

}  // namespace tremolux
