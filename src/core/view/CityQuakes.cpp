#include "core/view/CityQuakes.h"

#include <charconv>

#include "core/common/OleDate.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"

namespace tremolux {

namespace {

// printf's "%.*f" without the process locale, which Qt applications adopt
// from the environment.
void AppendFixed(std::string& text, double value, int precision)
{
    char digits[400];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    text.append(digits, result.ptr);
}

std::string KmFigure(double distance)
{
    std::string figure;
    AppendFixed(figure, distance * 0.001, 0);
    return figure;
}

}  // namespace

CityQuakes::CityQuakes(const QuakeList& quakes, double latitude, double longitude)
    : m_revision(quakes.Revision()),
      m_count(static_cast<std::size_t>(quakes.count())),
      m_latitude(latitude),
      m_longitude(longitude),
      m_distances(m_count),
      m_bearings(m_count),
      m_labels(m_count)
{
    for (std::size_t i = 0; i < m_count; ++i) {
        const QuakeRecord& quake = quakes.at(static_cast<int>(i));
        m_distances[i] =
            GreatCircle(latitude, longitude, quake.latitude, quake.longitude, &m_bearings[i]);
    }
}

bool CityQuakes::Fits(const QuakeList& quakes, const CityPosition& city) const
{
    return quakes.Revision() == m_revision && static_cast<std::size_t>(quakes.count()) == m_count
           && city.latDecimal == m_latitude && city.lonDecimal == m_longitude;
}

// "[%.1f] %.0f km, %s (at %s)"
const std::string& CityQuakes::Label(int quake, const QuakeRecord& record)
{
    const std::size_t i = static_cast<std::size_t>(quake);
    LabelText& label = m_labels.at(i);
    if (label.kmCurrent)
        return label.text;
    const std::string km = KmFigure(m_distances[i]);
    if (label.text.empty()) {
        label.text = "[";
        AppendFixed(label.text, record.magnitude, 1);
        label.text += "] ";
        label.kmBegin = label.text.size();
        label.text += km;
        label.kmEnd = label.text.size();
        label.text += " km, ";
        label.text += record.region;
        label.text += " (at ";
        label.text += FormatOleDate(record.time);
        label.text += ')';
    } else {
        label.text.replace(label.kmBegin, label.kmEnd - label.kmBegin, km);
        label.kmEnd = label.kmBegin + km.size();
    }
    label.kmCurrent = true;
    return label.text;
}

std::shared_ptr<CityQuakes> CityQuakesFor(const QuakeList& quakes, const CityPosition& city,
                                          std::shared_ptr<CityQuakes> previous)
{
    if (previous && previous->Fits(quakes, city))
        return previous;
    auto seen = std::make_shared<CityQuakes>(quakes, city.latDecimal, city.lonDecimal);
    if (previous && previous->m_revision == seen->m_revision
        && previous->m_count == seen->m_count) {
        seen->m_labels = previous->m_labels;
        for (auto& label : seen->m_labels)
            label.kmCurrent = false;
    }
    return seen;
}

}  // namespace tremolux
