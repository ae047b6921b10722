#include "core/feed/CsvDocument.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <vector>

#include "core/common/Charset.h"
#include "core/common/FieldColumns.h"
#include "core/feed/CellTableDocument.h"
#include "core/feed/FeedTime.h"

namespace tremolux {

namespace {

// Reads RFC 4180 records. Quoted fields are unquoted in place in the buffer it
// owns, so a field is always a view and a record costs no allocation.
class CsvReader {
public:
    enum class Result {
        Record,        // ended by a line break
        RecordAtEnd,   // ended by the end of the text
        Unterminated,  // a quoted field left open: cut off
        End,
    };

    explicit CsvReader(std::string text) : m_text(std::move(text)) {}

    Result Next(Fields& fields)
    {
        fields.clear();
        if (m_at >= m_text.size())
            return Result::End;
        while (true) {
            if (m_text[m_at] == '"') {
                if (!ReadQuoted(fields))
                    return Result::Unterminated;
            } else {
                const std::size_t begin = m_at;
                while (m_at < m_text.size() && !IsDelimiter(m_text[m_at]))
                    ++m_at;
                fields.emplace_back(m_text.data() + begin, m_at - begin);
            }
            if (m_at >= m_text.size())
                return Result::RecordAtEnd;
            if (m_text[m_at++] == ',')
                continue;
            if (m_text[m_at - 1] == '\r' && m_at < m_text.size() && m_text[m_at] == '\n')
                ++m_at;
            return Result::Record;
        }
    }

private:
    static bool IsDelimiter(char c) { return c == ',' || c == '\n' || c == '\r'; }

    bool ReadQuoted(Fields& fields)
    {
        char* const data = m_text.data();
        const std::size_t begin = ++m_at;
        std::size_t write = begin;
        while (true) {
            const void* quote = std::memchr(data + m_at, '"', m_text.size() - m_at);
            if (!quote)
                return false;
            const std::size_t end = static_cast<const char*>(quote) - data;
            std::memmove(data + write, data + m_at, end - m_at);
            write += end - m_at;
            m_at = end + 1;
            if (m_at < m_text.size() && data[m_at] == '"') {
                data[write++] = '"';
                ++m_at;
                continue;
            }
            break;
        }
        // Stray text between the closing quote and the delimiter is dropped.
        while (m_at < m_text.size() && !IsDelimiter(data[m_at]))
            ++m_at;
        fields.emplace_back(data + begin, write - begin);
        return true;
    }

    std::string m_text;
    std::size_t m_at = 0;
};

enum Column {
    kId,
    kMag,
    kTime,
    kLatitude,
    kLongitude,
    kDepth,
    kPlace,
    kType,
    kUpdated,
    kStatus,
    kMagType,
    kNet,
    kColumnCount
};

constexpr std::array<std::string_view, kColumnCount> kColumnNames = {
    "id",    "mag",  "time",    "latitude", "longitude", "depth",
    "place", "type", "updated", "status",   "magType",   "net"};

using Columns = std::array<int, kColumnCount>;

Columns FindColumns(const Fields& names)
{
    return tremolux::FindColumns(names, kColumnNames, std::equal_to<>());
}

bool HasNeededColumns(const Columns& columns)
{
    return HasColumns(columns, {kTime, kLatitude, kLongitude, kMag, kPlace});
}

}  // namespace

bool IsCsvHeader(std::string_view line)
{
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    Fields names;
    for (std::size_t at = 0; at <= line.size();) {
        const std::size_t comma = std::min(line.find(',', at), line.size());
        std::string_view name = line.substr(at, comma - at);
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
            name = name.substr(1, name.size() - 2);
        names.push_back(name);
        at = comma + 1;
    }
    return HasNeededColumns(FindColumns(names));
}

std::unique_ptr<FeedDocument> OpenCsvDocument(std::string csv, const StopFlag& stop)
{
    auto table = std::make_unique<CellTableDocument>();
    // The feed's id names the quake's page on the USGS site, whichever network reported it.
    table->SetLinkPrefix("https://earthquake.usgs.gov/earthquakes/eventpage/");
    CsvReader reader(ToUtf8(std::move(csv), ""));
    Fields fields;
    const CsvReader::Result headerEnd = reader.Next(fields);
    const Columns columns = FindColumns(fields);
    if (headerEnd == CsvReader::Result::End || headerEnd == CsvReader::Result::Unterminated
        || !HasNeededColumns(columns)) {
        table->SetUnviewable();
        return table;
    }
    const std::size_t columnCount = fields.size();
    while (true) {
        stop.ThrowIfRaised();
        const CsvReader::Result result = reader.Next(fields);
        if (result == CsvReader::Result::End)
            break;
        // A record short of fields is no quake; at the very end it is one cut off.
        const bool cutOff =
            result == CsvReader::Result::Unterminated
            || (result == CsvReader::Result::RecordAtEnd && fields.size() < columnCount);
        if (cutOff) {
            table->BreakOff();
            break;
        }
        if (fields.size() < columnCount)
            continue;
        const auto field = [&](int column) { return FieldAt(fields, columns[column]); };
        const std::string_view type = field(kType);
        if (!type.empty() && type != "earthquake")
            continue;
        table->AddTextRow({field(kId), field(kMag), field(kTime), field(kLatitude),
                           field(kLongitude), field(kDepth), field(kPlace)});
        CellTableDocument::EventFields event;
        event.id = field(kId);
        event.numbers.updated = IsoDate(field(kUpdated));
        event.status = field(kStatus);
        event.magnitudeType = field(kMagType);
        event.network = field(kNet);
        table->SetRowEvent(event);
    }
    return table;
}

}  // namespace tremolux
