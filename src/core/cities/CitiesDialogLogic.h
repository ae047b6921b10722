#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/cities/CityEntry.h"
#include "core/cities/CityList.h"
#include "core/common/Result.h"

namespace tremolux {

// How the Cities dialog compares names: `less` is the order in which they are
// shown, `same` tells that a name is listed already. Both ignore letter case;
// the dialog brings them from the user's locale.
struct NameComparison {
    std::function<bool(const std::string&, const std::string&)> less;
    std::function<bool(const std::string&, const std::string&)> same;
};

// What the Cities dialog holds while it is open: the entries of the city file
// in file order plus those added, and their names in the order shown (equal
// names keep the order they came in). Changes live only as long as the
// object; the city file is never written.
class CitiesDialogLogic {
public:
    explicit CitiesDialogLogic(NameComparison comparison);

    // Starts afresh from the accepted entries of the city file, in file
    // order; from none when the file cannot be read.
    Result<> Load(const std::string& path);
    // Starts afresh from the given entries, in their order.
    void Load(const std::vector<CityEntry>& entries);

    const CityList& Cities() const { return m_cities; }
    const std::vector<std::string>& Names() const { return m_names; }

    // The selected row, if any, and its text (empty when none is selected).
    std::optional<std::size_t> SelectedRow() const { return m_selectedRow; }
    const std::string& Selected() const { return m_strSelected; }
    void Select(std::optional<std::size_t> row);

    // Appends city unless its name is shown already, letter case ignored.
    // Returns the row where its name is shown, or nothing.
    std::optional<std::size_t> Add(const CityEntry& city);

    // Removes the first entry named exactly like the selected row, and that
    // row; nothing is selected afterwards. Returns the row removed, or
    // nothing when no row was selected.
    std::optional<std::size_t> Delete();

    // The choice at OK: the first entry named like the selection goes into
    // current. With nothing selected current stays as it is.
    void Choose(CityEntry& current) const;

private:
    NameComparison m_comparison;
    CityList m_cities;
    std::vector<std::string> m_names;
    std::optional<std::size_t> m_selectedRow;
    std::string m_strSelected;
};

}  // namespace tremolux
