#include "core/feed/CellTableDocument.h"

#include <charconv>

#include "core/common/PrintableText.h"
#include "core/feed/FeedTime.h"

namespace tremolux {

namespace {

// Ids and words from the feed are short; a longer one is cut, so that a
// hostile feed cannot make every later step slow. The ids list holds many.
constexpr std::size_t kEventTextLimit = 256;
constexpr std::size_t kIdsLimit = 4096;

bool IsPlainAscii(std::string_view text)
{
    for (const char c : text)
        if (c < 0x20 || c > 0x7e)
            return false;
    return true;
}

// The feed's text safe to print; most texts are plain ASCII and are copied
// as they are.
std::string EventText(std::string_view text)
{
    if (IsPlainAscii(text))
        return std::string(text);
    return PrintableText(text);
}

}  // namespace

void CellTableDocument::AddRow()
{
    m_rows.emplace_back(*this, m_cellEnds.size());
}

void CellTableDocument::AddCell(std::string_view text)
{
    m_text.append(text);
    m_cellEnds.push_back(m_text.size());
    m_cellKinds.push_back(CellKind::Text);
    m_cellValues.push_back(0.0);
    ++m_rows.back().m_cellCount;
}

void CellTableDocument::AddTextRow(const TextCells& cells)
{
    char timeBuffer[19];
    AddRow();
    AddCell(cells.link);
    AddCell(cells.magnitude);
    AddCell(FeedTime(cells.isoTime, timeBuffer));
    AddCell(cells.latitude);
    AddCell(cells.longitude);
    AddCell(cells.depth);
    AddCell(cells.place);
}

void CellTableDocument::AddNumberCell(double value)
{
    m_cellEnds.push_back(m_text.size());
    m_cellKinds.push_back(CellKind::Number);
    m_cellValues.push_back(value);
    ++m_rows.back().m_cellCount;
}

void CellTableDocument::AddDateCell(std::string_view text, OleDate date)
{
    AddCell(text);
    m_cellKinds.back() = date.valid ? CellKind::Date : CellKind::Text;
    m_cellValues.back() = date.value;
}

void CellTableDocument::SetRowEvent(const EventFields& fields)
{
    StoredEvent stored;
    stored.textBegin = m_eventText.size();
    const std::array<std::string_view, 6> texts = {
        fields.id, fields.ids, fields.status, fields.magnitudeType, fields.network, fields.alert};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string_view text = texts[i].substr(0, i == 1 ? kIdsLimit : kEventTextLimit);
        m_eventText.append(text);
        stored.textLengths[i] = static_cast<std::uint32_t>(text.size());
    }
    stored.numbers = fields.numbers;
    if (!fields.readings.empty()) {
        stored.readings = static_cast<std::int32_t>(m_readings.size());
        m_readings.push_back(fields.readings);
    }
    m_rows.back().m_event = static_cast<std::int32_t>(m_events.size());
    m_events.push_back(stored);
}

int CellTableDocument::RowCount() const
{
    return static_cast<int>(m_rows.size()) + (m_brokenOff ? 1 : 0);
}

const FeedRow* CellTableDocument::Row(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return nullptr;
    return &m_rows[static_cast<std::size_t>(row)];
}

int CellTableDocument::CellRow::CellCount() const
{
    return m_cellCount;
}

std::ptrdiff_t CellTableDocument::CellRow::Index(int cell) const
{
    if (cell < 0 || cell >= m_cellCount)
        return -1;
    return static_cast<std::ptrdiff_t>(m_firstCell) + cell;
}

std::string CellTableDocument::CellRow::CellText(int cell) const
{
    const std::ptrdiff_t index = Index(cell);
    if (index < 0)
        return {};
    const auto at = static_cast<std::size_t>(index);
    if (m_document->m_cellKinds[at] == CellKind::Number) {
        char text[32];
        const auto result = std::to_chars(text, text + sizeof text, m_document->m_cellValues[at]);
        return {text, result.ptr};
    }
    const std::size_t begin = at == 0 ? 0 : m_document->m_cellEnds[at - 1];
    return m_document->m_text.substr(begin, m_document->m_cellEnds[at] - begin);
}

std::string CellTableDocument::CellRow::CellLink(int cell) const
{
    if (cell != 0)
        return {};
    std::string text = CellText(0);
    return text.empty() ? text : m_document->m_linkPrefix + text;
}

// The text is the shortest that reads back as the same double, and CAtof
// reads it back exactly: the number itself is what the text would give.
std::optional<double> CellTableDocument::CellRow::CellNumber(int cell) const
{
    const std::ptrdiff_t index = Index(cell);
    if (index < 0 || m_document->m_cellKinds[static_cast<std::size_t>(index)] != CellKind::Number)
        return std::nullopt;
    return m_document->m_cellValues[static_cast<std::size_t>(index)];
}

std::optional<OleDate> CellTableDocument::CellRow::CellDate(int cell) const
{
    const std::ptrdiff_t index = Index(cell);
    if (index < 0 || m_document->m_cellKinds[static_cast<std::size_t>(index)] != CellKind::Date)
        return std::nullopt;
    return OleDate{m_document->m_cellValues[static_cast<std::size_t>(index)], true};
}

void CellTableDocument::CellRow::ReadEventFields(QuakeRecord& record) const
{
    if (m_event < 0) {
        ClearEventFields(record);
        return;
    }
    const StoredEvent& stored = m_document->m_events[static_cast<std::size_t>(m_event)];
    std::string_view texts(m_document->m_eventText);
    texts = texts.substr(stored.textBegin);
    std::string* const fields[] = {&record.eventId,       &record.ids,     &record.status,
                                   &record.magnitudeType, &record.network, &record.alert};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        const std::size_t length = stored.textLengths[i];
        *fields[i] = EventText(texts.substr(0, length));
        texts.remove_prefix(length);
    }
    const EventNumbers& numbers = stored.numbers;
    record.updated = numbers.updated;
    record.feltReports = numbers.feltReports;
    record.cdi = numbers.cdi;
    record.mmi = numbers.mmi;
    record.tsunami = numbers.tsunami;
    record.significance = numbers.significance;
    if (stored.readings >= 0)
        record.readings = m_document->m_readings[static_cast<std::size_t>(stored.readings)];
    else
        record.readings.clear();
}

}  // namespace tremolux
