#include "core/feed/QuakeList.h"

#include "core/common/CNumbers.h"
#include "core/common/OleDate.h"
#include "core/feed/FeedDocument.h"
#include "core/common/PrintableText.h"
#include "core/feed/WebAddress.h"

namespace tremolux {

namespace {

// The feed's quake row: link, magnitude, date-time, latitude, longitude,
// depth, region. Any other cell count is a heading or layout row.
constexpr int kQuakeRowCells = 7;

// The number the cell's text reads as.
double CellValue(const FeedRow& row, int cell)
{
    if (const std::optional<double> number = row.CellNumber(cell))
        return *number;
    return CAtof(row.CellText(cell));
}

// The date the cell's text reads as.
OleDate CellDateValue(const FeedRow& row, int cell)
{
    if (const std::optional<OleDate> date = row.CellDate(cell))
        return *date;
    return ParseOleDate(row.CellText(cell));
}

// Sets every field of the record from a seven-cell row; the link cell gives
// the quake's page when it is a web address.
void ReadQuakeRow(const FeedRow& row, QuakeRecord& record)
{
    record.eventPage = WebAddress(row.CellLink(0));
    record.magnitude = CellValue(row, 1);
    record.time = CellDateValue(row, 2);
    record.latitude = CellValue(row, 3);
    record.longitude = CellValue(row, 4);
    record.depth = CellValue(row, 5);
    record.region = PrintableText(row.CellText(6));
    row.ReadEventFields(record);
}

// A position off the globe would be drawn somewhere it is not.
bool IsOnTheGlobe(const QuakeRecord& record)
{
    return record.latitude >= -90.0 && record.latitude <= 90.0 && record.longitude >= -180.0
           && record.longitude <= 180.0;
}

}  // namespace

// Every failure reports and returns at once: the report may run a nested event
// loop in which another ParsePage rebuilds this list, so nothing here may
// touch the list or the document after it.
bool QuakeList::ParsePage(const FeedBrowser& view, const FailureReport& report)
{
    const FeedDocument* document = view.GetHtmlDocument();
    if (!document) {
        report("Error: no GetHtmlDocument()");
        return false;
    }
    if (!document->ViewableAsTables()) {
        report(std::string(kNoTablesFailure));
        return false;
    }

    Clear();

    const FeedTables* tables = document->Tables();
    if (!tables) {
        report("Error: no getElementsByTagName... for \"table\"");
        return false;
    }

    QuakeRecord record;
    const int tableCount = tables->Count();
    for (int t = 0; t < tableCount; ++t) {
        const FeedTable* table = tables->Table(t);
        if (!table) {
            report("Error: no pIHTMLElementCollection->item... for \"table\"");
            return false;
        }
        const int rowCount = table->RowCount();
        for (int r = 0; r < rowCount; ++r) {
            const FeedRow* row = table->Row(r);
            if (!row) {
                report("Error: no pIHTMLElementCollection->item... for \"table row\"");
                return false;
            }
            if (row->CellCount() != kQuakeRowCells)
                continue;
            ReadQuakeRow(*row, record);
            if (record.magnitude > 1.0 && record.magnitude <= 10.0 && IsOnTheGlobe(record))
                Append(record);
        }
    }
    return true;
}

}  // namespace tremolux
