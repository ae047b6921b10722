#include "gui/common/AlertNotes.h"

#include "core/alerts/IntensityPrediction.h"
#include "core/events/EventIdentity.h"
#include "core/list/QuakeText.h"

namespace tremolux {

AlertNotes& AlertNotes::Shared()
{
    static AlertNotes notes;
    return notes;
}

void AlertNotes::Record(const std::vector<AlertFiring>& firings)
{
    for (const AlertFiring& firing : firings) {
        if (m_rules.size() >= kMaxEvents)
            m_rules.clear();  // a month's burst does not grow without end
        std::string& rules = m_rules[EventKey(firing.event)];
        if (rules.find(firing.ruleName) == std::string::npos)
            rules += (rules.empty() ? "" : ", ") + firing.ruleName;
    }
}

std::string AlertNotes::For(const QuakeRecord& quake, const std::string& cityName,
                            const CityPosition& city) const
{
    std::string note;
    if (!cityName.empty()) {
        const double km = PlaceFrom(city, quake).distance / 1000.0;
        const char* level =
            IntensityNumeral(EstimatedIntensity(quake.magnitude, HypocentralKm(km, quake.depth)));
        if (*level != '\0')
            note += "\nEstimated intensity " + std::string(level) + " at " + cityName;
    }
    const auto rules = m_rules.find(EventKey(quake));
    if (rules != m_rules.end())
        note += "\nAlert: " + rules->second;
    return note;
}

}  // namespace tremolux
