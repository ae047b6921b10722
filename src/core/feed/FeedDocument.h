#pragma once

#include <optional>
#include <string>

#include "core/common/OleDate.h"
#include "core/feed/FailureReport.h"
#include "core/feed/QuakeRecord.h"

namespace tremolux {

class QuakeList;

// A loaded feed seen as tables, rows, cells and cell texts: the one narrow
// interface that ParsePage walks, whatever the format of the page was.
// A null pointer from an accessor means that element could not be fetched.

class FeedRow {
public:
    virtual ~FeedRow() = default;
    virtual int CellCount() const = 0;
    // The cell's rendered text as UTF-8; an unreadable cell reads as empty.
    virtual std::string CellText(int cell) const = 0;
    // The address the cell links to as the feed writes it, empty when none.
    virtual std::string CellLink(int) const { return {}; }
    // What CAtof reads in the cell's text, for a cell the row holds as a
    // number: the same value without the round trip through text. Empty for
    // every other cell.
    virtual std::optional<double> CellNumber(int) const { return std::nullopt; }
    // What ParseOleDate reads in the cell's text, for a cell the row holds as
    // a date: the same date without parsing the text. Empty for every other cell.
    virtual std::optional<OleDate> CellDate(int) const { return std::nullopt; }
    // Sets the record's event fields (id, status, impact, ...) to what the
    // row's feed says of its quake; a row of a feed without them leaves every
    // one unknown.
    virtual void ReadEventFields(QuakeRecord& record) const { ClearEventFields(record); }
};

class FeedTable {
public:
    virtual ~FeedTable() = default;
    // The table's own rows (heading rows included, never a nested table's).
    virtual int RowCount() const = 0;
    virtual const FeedRow* Row(int row) const = 0;
};

class FeedTables {
public:
    virtual ~FeedTables() = default;
    // Every table in document order, nested ones included.
    virtual int Count() const = 0;
    virtual const FeedTable* Table(int table) const = 0;
};

class FeedDocument {
public:
    virtual ~FeedDocument() = default;
    // False when the loaded bytes cannot be viewed as tables at all (JSON that
    // is not a FeatureCollection, CSV without the needed columns).
    virtual bool ViewableAsTables() const = 0;
    // The collection of all tables, or null when it cannot be had.
    virtual const FeedTables* Tables() const = 0;
    // Why the page was refused before it was read, in words for the user;
    // empty when it was read.
    virtual std::string Failure() const { return {}; }
};

// The component that holds the loaded page: the browser of the classic program.
// Ready states run 0 (uninitialised) ... 4 (complete).
class FeedBrowser {
public:
    static constexpr int kReadyStateComplete = 4;

    virtual ~FeedBrowser() = default;
    virtual void Navigate2(const std::string& address) = 0;
    virtual int GetReadyState() const = 0;
    virtual void Refresh() = 0;
    // The loaded document, or null when there is none.
    virtual const FeedDocument* GetHtmlDocument() const = 0;
    // Rebuilds the list from the loaded document and reports a failure as
    // ParsePage does. A browser that read the rows when the document was
    // built hands them over instead.
    virtual bool ReadPageInto(QuakeList& quakes, const FailureReport& report);
};

}  // namespace tremolux
