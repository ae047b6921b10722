#pragma once

#include <string>
#include <vector>

#include "core/cities/CityEntry.h"

namespace tremolux {

// The cities of one opening of the Cities dialog: file order, then the order
// of appending. Duplicate names are kept.
class CityList {
public:
    // Returns the index of the new entry.
    int Append(const CityEntry& entry);
    // The entries behind index move up by one. Throws std::invalid_argument
    // outside 0 ... size - 1.
    void Remove(int index);
    int size() const { return static_cast<int>(m_entries.size()); }
    // Throws std::invalid_argument outside 0 ... size - 1.
    const CityEntry& at(int index) const;
    // The first entry named exactly name, letter case included, or -1.
    int FindFirst(const std::string& name) const;

private:
    std::vector<CityEntry> m_entries;
};

}  // namespace tremolux
