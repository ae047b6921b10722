#include "core/cities/CityList.h"

#include <stdexcept>

namespace tremolux {

int CityList::Append(const CityEntry& entry)
{
    m_entries.push_back(entry);
    return size() - 1;
}

void CityList::Remove(int index)
{
    if (index < 0 || index >= size())
        throw std::invalid_argument("city index out of range");
    m_entries.erase(m_entries.begin() + index);
}

const CityEntry& CityList::at(int index) const
{
    if (index < 0 || index >= size())
        throw std::invalid_argument("city index out of range");
    return m_entries[static_cast<std::size_t>(index)];
}

int CityList::FindFirst(const std::string& name) const
{
    for (int i = 0; i < size(); ++i) {
        if (m_entries[static_cast<std::size_t>(i)].name == name)
            return i;
    }
    return -1;
}

}  // namespace tremolux
