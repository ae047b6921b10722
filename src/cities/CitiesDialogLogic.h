#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cities/CityEntry.h"
#include "cities/CityList.h"

namespace tremolux {

// What the Cities dialog holds while it is open: the entries of the city file
// in file order plus those added, and their names in the order shown, sorted
// with letter case ignored (equal names keep the order they came in).
// Changes live only as long as the object; the city file is never written.
class CitiesDialogLogic {
public:
    // Appends the accepted entries of the city file in file order.
    void Load(const std::string& path);
    void Append(const CityEntry& city);

    const CityList& Cities() const { return m_cities; }
    const std::vector<std::string>& Names() const { return m_names; }

    // The selected row, if any, and its text (empty when none is selected).
    std::optional<std::size_t> SelectedRow() const { return m_selectedRow; }
    const std::string& Selected() const { return m_strSelected; }
    void Select(std::optional<std::size_t> row);

    // Appends city unless a name equal to its name, letter case ignored, is
    // shown already. Returns the row where its name is shown, or nothing.
    std::optional<std::size_t> Add(const CityEntry& city);

    // Removes the first entry named exactly like the selected row, and that
    // row; nothing is selected afterwards. Returns the row removed, or
    // nothing when no row was selected.
    std::optional<std::size_t> Delete();

    // The choice at OK: the first entry named like the selection goes into
    // current. With nothing selected current stays as it is.
    void Choose(CityEntry& current) const;

private:
    std::size_t InsertName(const std::string& name);

    CityList m_cities;
    std::vector<std::string> m_names;
    std::optional<std::size_t> m_selectedRow;
    std::string m_strSelected;
};

// Ordering of the city list: letter case ignored.
bool NameLess(const std::string& a, const std::string& b);
bool NameEqual(const std::string& a, const std::string& b);

}  // namespace tremolux
