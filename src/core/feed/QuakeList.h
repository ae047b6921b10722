#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/feed/FailureReport.h"
#include "core/feed/QuakeRecord.h"

namespace tremolux {

class Clock;
class FeedBrowser;
struct CityPosition;
struct PageRead;

// The failure of a page that cannot be viewed as tables at all: no table in
// an HTML page, JSON that is no FeatureCollection, CSV without its columns.
inline constexpr std::string_view kNoTablesFailure =
    "Error: no QueryInterface(IID_IHTMLDocument3...";

// The ordered list of quakes in page order; element 0 is the newest quake.
// A copy shares the rows until either list changes: a picture drawn on a
// worker thread takes its copy of a long list without copying a row.
class QuakeList {
public:
    int count() const { return m_records ? static_cast<int>(m_records->size()) : 0; }
    // Throws std::invalid_argument outside 0 ... count - 1.
    const QuakeRecord& at(int index) const;
    void Clear()
    {
        m_records.reset();
        ++m_revision;
    }
    void Append(const QuakeRecord& record)
    {
        OwnRows().push_back(record);
        ++m_revision;
    }
    // Changes with every change of the list, so that a picture of it knows
    // when it is out of date.
    unsigned long long Revision() const { return m_revision; }

    // Rebuilds the list from the page the browser holds. Returns false after
    // reporting a failure; what the list then holds depends on where it failed.
    bool ParsePage(const FeedBrowser& view, const FailureReport& report);
    // Becomes the rows of a page read elsewhere, as ParsePage would, unless
    // the read failed before its rows: swapped in, not copied, the list's
    // former rows left in read.records unless a copy still shares them. The
    // failure is the caller's to report.
    void TakeRead(PageRead& read);

    // Magnitude per minute of age and per kilometre of distance, summed and
    // scaled by 10000.
    int GetActivityIndex(const CityPosition& city, const Clock& clock) const;
    // The same from each quake's distance to the city in metres, in list
    // order, as the map's layout has them already.
    int GetActivityIndex(const std::vector<double>& distances, const Clock& clock) const;

private:
    const std::vector<QuakeRecord>& Rows() const;
    // The rows, made the list's own first when a copy shares them.
    std::vector<QuakeRecord>& OwnRows();
    // Whether a copy holds the rows too.
    bool RowsShared() const;

    // Never changed while shared; none for an empty list.
    std::shared_ptr<std::vector<QuakeRecord>> m_records;
    unsigned long long m_revision = 0;
};

}  // namespace tremolux
