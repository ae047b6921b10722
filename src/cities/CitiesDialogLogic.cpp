#include "cities/CitiesDialogLogic.h"

#include <algorithm>

#include "cities/CityFile.h"

namespace tremolux {

namespace {

unsigned char Folded(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a')
                                  : static_cast<unsigned char>(c);
}

}  // namespace

bool NameLess(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Folded(x) < Folded(y); });
}

bool NameEqual(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Folded(x) == Folded(y); });
}

void CitiesDialogLogic::Load(const std::string& path)
{
    for (const CityEntry& city : ReadCityFile(path).entries)
        Append(city);
}

void CitiesDialogLogic::Append(const CityEntry& city)
{
    m_cities.Append(city);
    InsertName(city.name);
}

void CitiesDialogLogic::Select(std::optional<std::size_t> row)
{
    m_selectedRow = row;
    m_strSelected = row ? m_names.at(*row) : std::string();
}

std::optional<std::size_t> CitiesDialogLogic::Add(const CityEntry& city)
{
    const bool listed = std::any_of(m_names.begin(), m_names.end(), [&](const std::string& name) {
        return NameEqual(name, city.name);
    });
    if (listed)
        return std::nullopt;
    m_cities.Append(city);
    return InsertName(city.name);
}

std::optional<std::size_t> CitiesDialogLogic::Delete()
{
    if (!m_selectedRow)
        return std::nullopt;
    const std::size_t row = *m_selectedRow;
    if (const int index = m_cities.FindFirst(m_names[row]); index >= 0)
        m_cities.Remove(index);
    m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(row));
    m_selectedRow.reset();
    m_strSelected.clear();
    return row;
}

void CitiesDialogLogic::Choose(CityEntry& current) const
{
    if (!m_selectedRow)
        return;
    if (const int index = m_cities.FindFirst(m_strSelected); index >= 0)
        current = m_cities.at(index);
}

std::size_t CitiesDialogLogic::InsertName(const std::string& name)
{
    const auto place = std::upper_bound(m_names.begin(), m_names.end(), name, NameLess);
    const auto row = static_cast<std::size_t>(place - m_names.begin());
    m_names.insert(place, name);
    if (m_selectedRow && *m_selectedRow >= row)
        ++*m_selectedRow;
    return row;
}

}  // namespace tremolux
