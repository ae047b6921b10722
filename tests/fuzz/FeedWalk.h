#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/common/Clock.h"
#include "core/feed/FeedDocument.h"
#include "core/feed/LoadedDocument.h"
#include "core/feed/QuakeList.h"
#include "core/feed/WebAddress.h"
#include "core/geo/CityPosition.h"

namespace tremolux::fuzz {

// What the watcher does with a loaded page: the quake list and a city's
// activity index. Then every cell text of every table, as the document
// promises them: UTF-8, whatever bytes were loaded.
inline void WalkDocument(const FeedDocument& document)
{
    QuakeList quakes;
    std::string failure;
    const bool parsed = quakes.ParsePage(LoadedDocument(document),
                                         [&](const std::string& message) { failure = message; });
    FUZZ_CHECK(parsed == failure.empty());
    for (int i = 0; i < quakes.count(); ++i) {
        const QuakeRecord& quake = quakes.at(i);
        FUZZ_CHECK(quake.magnitude > 1.0 && quake.magnitude <= 10.0);
        FUZZ_CHECK(IsUtf8(quake.region));
        // A page only a browser opens: never another scheme, never a stray byte.
        FUZZ_CHECK(quake.eventPage.empty() || WebAddress(quake.eventPage) == quake.eventPage);
    }

    CityPosition tokyo;
    tokyo.latDecimal = 35.6895;
    tokyo.lonDecimal = 139.6917;
    const FixedClock clock(OleDateFromCalendar(2011, 3, 15, 9, 40, 12));
    quakes.GetActivityIndex(tokyo, clock);

    const FeedTables* tables = document.Tables();
    for (int t = 0; tables && t < tables->Count(); ++t) {
        const FeedTable* table = tables->Table(t);
        for (int r = 0; table && r < table->RowCount(); ++r) {
            const FeedRow* row = table->Row(r);
            if (!row)
                break;
            for (int c = 0; c < row->CellCount(); ++c)
                FUZZ_CHECK(IsUtf8(row->CellText(c)));
        }
    }
}

// The GeoJSON and CSV feeds give one table whose every row is a quake row.
inline void CheckSevenCellRows(const FeedDocument& document)
{
    const FeedTables* tables = document.Tables();
    FUZZ_CHECK(tables && tables->Count() == 1);
    const FeedTable* table = tables->Table(0);
    FUZZ_CHECK(table);
    for (int r = 0; r < table->RowCount(); ++r) {
        const FeedRow* row = table->Row(r);
        if (!row)
            break;
        FUZZ_CHECK(row->CellCount() == 7);
    }
}

using Rows = std::vector<std::vector<std::string>>;

// The cell texts of the one table of a feed, up to the first row that cannot
// be fetched.
struct FeedRows {
    Rows rows;
    bool brokenOff = false;
};

inline FeedRows ReadFeedRows(const FeedDocument& document)
{
    FeedRows read;
    const FeedTable* table = document.Tables()->Table(0);
    for (int r = 0; r < table->RowCount(); ++r) {
        const FeedRow* row = table->Row(r);
        if (!row) {
            read.brokenOff = true;
            break;
        }
        auto& cells = read.rows.emplace_back();
        for (int c = 0; c < row->CellCount(); ++c)
            cells.push_back(row->CellText(c));
    }
    return read;
}

// Where to cut a feed short, as a load that breaks off would.
inline std::vector<std::size_t> CutPoints(std::size_t size)
{
    return {size / 4, size / 2, size * 3 / 4};
}

}  // namespace tremolux::fuzz
