#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

// The columns of a delimited text (the CSV feed, the FDSN event text) found
// by the names in its header line, and the text of a line's fields.
namespace tremolux {

// The fields of one line, as views into it.
using Fields = std::vector<std::string_view>;

constexpr int kMissingColumn = -1;

// Where each wanted name stands among the header's names, kMissingColumn where
// it stands nowhere; the first of a repeated name counts. same(name, wanted)
// says whether a header name is the wanted one.
template <std::size_t N, typename Same>
std::array<int, N> FindColumns(const Fields& names, const std::array<std::string_view, N>& wanted,
                               Same same)
{
    std::array<int, N> columns;
    columns.fill(kMissingColumn);
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t c = 0; c < N; ++c)
            if (columns[c] == kMissingColumn && same(names[i], wanted[c]))
                columns[c] = static_cast<int>(i);
    return columns;
}

template <std::size_t N>
bool HasColumns(const std::array<int, N>& columns, std::initializer_list<int> needed)
{
    for (const int column : needed)
        if (columns[static_cast<std::size_t>(column)] == kMissingColumn)
            return false;
    return true;
}

// The field in the column, empty where the line is short or the column missing.
inline std::string_view FieldAt(const Fields& fields, int column)
{
    return column >= 0 && static_cast<std::size_t>(column) < fields.size()
               ? fields[static_cast<std::size_t>(column)]
               : std::string_view();
}

// The text without the spaces, tabs and carriage return about it.
inline std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

}  // namespace tremolux
