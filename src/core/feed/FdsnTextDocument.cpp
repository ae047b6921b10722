#include "core/feed/FdsnTextDocument.h"

#include <array>
#include <vector>

#include "core/common/Charset.h"
#include "core/common/FieldColumns.h"
#include "core/feed/CellTableDocument.h"

namespace tremolux {

namespace {

enum Column {
    kId,
    kTime,
    kLatitude,
    kLongitude,
    kDepth,
    kMagType,
    kMagnitude,
    kPlace,
    kColumnCount
};

// Agencies differ in case ("Depth/km", "Depth/Km") and some pad the names.
constexpr std::array<std::string_view, kColumnCount> kColumnNames = {
    "eventid",  "time",    "latitude",  "longitude",
    "depth/km", "magtype", "magnitude", "eventlocationname"};

using Columns = std::array<int, kColumnCount>;

void SplitFields(std::string_view line, Fields& fields)
{
    fields.clear();
    for (std::size_t at = 0;;) {
        const std::size_t bar = line.find('|', at);
        fields.push_back(Trimmed(line.substr(at, bar - at)));
        if (bar == std::string_view::npos)
            return;
        at = bar + 1;
    }
}

bool SameName(std::string_view name, std::string_view lowerCase)
{
    if (name.size() != lowerCase.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c =
            name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
        if (c != lowerCase[i])
            return false;
    }
    return true;
}

// The columns a header line names.
Columns FindColumns(std::string_view header, Fields& names)
{
    names.clear();
    if (!header.starts_with('#')) {
        Columns columns;
        columns.fill(kMissingColumn);
        return columns;
    }
    SplitFields(header.substr(1), names);
    return tremolux::FindColumns(names, kColumnNames, SameName);
}

bool HasNeededColumns(const Columns& columns)
{
    return HasColumns(columns, {kId, kTime, kLatitude, kLongitude, kMagnitude});
}

// The line from at to its line break, at moved past the break.
std::string_view NextLine(std::string_view text, std::size_t& at, bool& complete)
{
    const std::size_t end = text.find('\n', at);
    complete = end != std::string_view::npos;
    const std::string_view line = text.substr(at, complete ? end - at : std::string_view::npos);
    at = complete ? end + 1 : text.size();
    return line;
}

}  // namespace

bool IsFdsnTextHeader(std::string_view line)
{
    Fields names;
    return HasNeededColumns(FindColumns(line, names));
}

std::unique_ptr<FeedDocument> OpenFdsnTextDocument(std::string text, const StopFlag& stop)
{
    auto table = std::make_unique<CellTableDocument>();
    const std::string utf8 = ToUtf8(std::move(text), "");
    std::size_t at = 0;
    bool complete = false;
    Fields fields;
    const Columns columns = FindColumns(NextLine(utf8, at, complete), fields);
    if (!complete || !HasNeededColumns(columns)) {
        table->SetUnviewable();
        return table;
    }
    const std::size_t columnCount = fields.size();
    while (at < utf8.size()) {
        stop.ThrowIfRaised();
        const std::string_view line = NextLine(utf8, at, complete);
        if (Trimmed(line).empty() || line.starts_with('#'))
            continue;
        SplitFields(line, fields);
        // A line short of fields is no event; at the very end it is one cut off.
        if (fields.size() < columnCount) {
            if (!complete) {
                table->BreakOff();
                break;
            }
            continue;
        }
        const auto field = [&](int column) { return FieldAt(fields, columns[column]); };
        table->AddTextRow({field(kId), field(kMagnitude), field(kTime), field(kLatitude),
                           field(kLongitude), field(kDepth), field(kPlace)});
        CellTableDocument::EventFields event;
        event.id = field(kId);
        event.magnitudeType = field(kMagType);
        table->SetRowEvent(event);
    }
    return table;
}

}  // namespace tremolux
