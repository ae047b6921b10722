#include "core/feed/QuakeList.h"

#include "core/common/CNumbers.h"
#include "core/common/OleDate.h"
#include "core/feed/FeedDocument.h"
#include "core/feed/PageRead.h"
#include "core/common/PrintableText.h"
#include "core/feed/WebAddress.h"

namespace tremolux {

namespace {

// The feed's quake row: link, magnitude, date-time, latitude, longitude,
// depth, region. Any other cell count is a heading or layout row.
constexpr int kQuakeRowCells = 7;

// Rows read between two looks at the stop flag: a look costs an atomic load.
constexpr int kRowsPerStopLook = 1024;

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

PageRead ReadPage(const FeedDocument* document, const StopFlag& stop)
{
    PageRead read;
    if (!document) {
        read.failure = "Error: no GetHtmlDocument()";
        return read;
    }
    if (!document->ViewableAsTables()) {
        read.failure = std::string(kNoTablesFailure);
        return read;
    }

    read.replacesList = true;
    const FeedTables* tables = document->Tables();
    if (!tables) {
        read.failure = "Error: no getElementsByTagName... for \"table\"";
        return read;
    }

    QuakeRecord record;
    int rowsSinceLook = 0;
    const int tableCount = tables->Count();
    for (int t = 0; t < tableCount; ++t) {
        const FeedTable* table = tables->Table(t);
        if (!table) {
            read.failure = "Error: no pIHTMLElementCollection->item... for \"table\"";
            return read;
        }
        const int rowCount = table->RowCount();
        for (int r = 0; r < rowCount; ++r) {
            if (++rowsSinceLook == kRowsPerStopLook) {
                rowsSinceLook = 0;
                stop.ThrowIfRaised();
            }
            const FeedRow* row = table->Row(r);
            if (!row) {
                read.failure = "Error: no pIHTMLElementCollection->item... for \"table row\"";
                return read;
            }
            if (row->CellCount() != kQuakeRowCells)
                continue;
            ReadQuakeRow(*row, record);
            if (record.magnitude > 1.0 && record.magnitude <= 10.0 && IsOnTheGlobe(record))
                read.records.push_back(record);
        }
    }
    return read;
}

void QuakeList::TakeRead(PageRead& read)
{
    if (!read.replacesList)
        return;
    auto rows = std::make_shared<std::vector<QuakeRecord>>(std::move(read.records));
    read.records.clear();
    if (m_records && !RowsShared())
        read.records.swap(*m_records);
    m_records = std::move(rows);
    ++m_revision;
}

// The failure is reported last: the report may run a nested event loop in
// which another ParsePage rebuilds this list, so nothing here may touch the
// list or the document after it.
bool QuakeList::ParsePage(const FeedBrowser& view, const FailureReport& report)
{
    PageRead read = ReadPage(view.GetHtmlDocument());
    TakeRead(read);
    if (!read.failure.empty()) {
        report(read.failure);
        return false;
    }
    return true;
}

bool FeedBrowser::ReadPageInto(QuakeList& quakes, const FailureReport& report)
{
    return quakes.ParsePage(*this, report);
}

}  // namespace tremolux
