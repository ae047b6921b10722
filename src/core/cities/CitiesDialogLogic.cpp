#include "core/cities/CitiesDialogLogic.h"

#include <algorithm>
#include <utility>

#include "core/cities/CityFile.h"

namespace tremolux {

CitiesDialogLogic::CitiesDialogLogic(NameComparison comparison)
    : m_comparison(std::move(comparison))
{
}

Result<> CitiesDialogLogic::Load(const std::string& path)
{
    const Result<CityFileContent> file = ReadCityFile(path);
    if (!file) {
        Load(std::vector<CityEntry>());
        return Failure{file.error()};
    }
    Load(file->entries);
    return {};
}

void CitiesDialogLogic::Load(const std::vector<CityEntry>& entries)
{
    m_cities = CityList();
    m_names.clear();
    m_names.reserve(entries.size());
    for (const CityEntry& city : entries) {
        m_cities.Append(city);
        m_names.push_back(city.name);
    }
    // Sorted once; stable, so that equal names keep file order.
    std::stable_sort(m_names.begin(), m_names.end(), m_comparison.less);
    Select(std::nullopt);
}

void CitiesDialogLogic::Select(std::optional<std::size_t> row)
{
    m_selectedRow = row;
    m_strSelected = row ? m_names.at(*row) : std::string();
}

std::optional<std::size_t> CitiesDialogLogic::Add(const CityEntry& city)
{
    const bool listed = std::any_of(m_names.begin(), m_names.end(), [&](const std::string& name) {
        return m_comparison.same(name, city.name);
    });
    if (listed)
        return std::nullopt;
    m_cities.Append(city);
    // After the names it equals, as the sort placed file entries.
    const auto place =
        std::upper_bound(m_names.begin(), m_names.end(), city.name, m_comparison.less);
    const auto row = static_cast<std::size_t>(place - m_names.begin());
    m_names.insert(place, city.name);
    if (m_selectedRow && *m_selectedRow >= row)
        ++*m_selectedRow;
    return row;
}

std::optional<std::size_t> CitiesDialogLogic::Delete()
{
    if (!m_selectedRow)
        return std::nullopt;
    const std::size_t row = *m_selectedRow;
    if (const int index = m_cities.FindFirst(m_names[row]); index >= 0)
        m_cities.Remove(index);
    m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(row));
    Select(std::nullopt);
    return row;
}

void CitiesDialogLogic::Choose(CityEntry& current) const
{
    if (!m_selectedRow)
        return;
    if (const int index = m_cities.FindFirst(m_strSelected); index >= 0)
        current = m_cities.at(index);
}

}  // namespace tremolux
