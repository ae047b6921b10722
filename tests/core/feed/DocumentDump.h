#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/feed/FeedDocument.h"

namespace tremolux {

using Rows = std::vector<std::vector<std::string>>;

// Every cell text of every table, in walk order.
inline std::vector<Rows> Dump(const FeedDocument& document)
{
    std::vector<Rows> tables;
    const FeedTables* all = document.Tables();
    for (int t = 0; all && t < all->Count(); ++t) {
        Rows& rows = tables.emplace_back();
        const FeedTable* table = all->Table(t);
        for (int r = 0; table && r < table->RowCount(); ++r) {
            const FeedRow* row = table->Row(r);
            if (!row)
                break;
            auto& cells = rows.emplace_back();
            for (int c = 0; c < row->CellCount(); ++c)
                cells.push_back(row->CellText(c));
        }
    }
    return tables;
}

inline std::string ReadTestFile(const std::string& name)
{
    std::ifstream in(std::string(TREMOLUX_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tremolux
