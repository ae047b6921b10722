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
      m_labels(m_count),
      m_kmCurrent(m_count, false),
      m_extents(m_count),
      m_measured(m_count, false)
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
    std::string& label = m_labels.at(i);
    if (m_kmCurrent[i])
        return label;
    const std::string km = KmFigure(m_distances[i]);
    if (label.empty()) {
        label = "[";
        AppendFixed(label, record.magnitude, 1);
        label += "] ";
        label += km;
        label += " km, ";
        label += record.region;
        label += " (at ";
        label += FormatOleDate(record.time);
        label += ')';
    } else {
        // The magnitude's "] " comes first; the region may hold anything after it.
        const std::size_t kmBegin = label.find("] ") + 2;
        label.replace(kmBegin, label.find(" km, ", kmBegin) - kmBegin, km);
    }
    m_kmCurrent[i] = true;
    return label;
}

const TextExtent& CityQuakes::LabelExtent(int quake, const LabelMeasure& measure)
{
    if (measure.font != m_extentFont) {
        m_extentFont = measure.font;
        m_measured.assign(m_count, false);
    }
    const std::size_t i = static_cast<std::size_t>(quake);
    if (!m_measured.at(i)) {
        m_extents[i] = measure.extent(m_labels[i]);
        m_measured[i] = true;
    }
    return m_extents[i];
}

std::shared_ptr<CityQuakes> CityQuakesFor(const QuakeList& quakes, const CityPosition& city,
                                          std::shared_ptr<CityQuakes> previous)
{
    if (previous && previous->Fits(quakes, city))
        return previous;
    auto seen = std::make_shared<CityQuakes>(quakes, city.latDecimal, city.lonDecimal);
    if (previous && previous->m_revision == seen->m_revision && previous->m_count == seen->m_count)
        seen->m_labels = previous->m_labels;
    return seen;
}

}  // namespace tremolux
