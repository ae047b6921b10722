#include "core/feed/CellTableDocument.h"

#include <charconv>

namespace tremolux {

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

void CellTableDocument::SetRowEvent(std::string_view eventId, std::string_view magnitudeType)
{
    for (const std::string_view text : {eventId, magnitudeType}) {
        m_text.append(text);
        m_cellEnds.push_back(m_text.size());
        m_cellKinds.push_back(CellKind::Text);
        m_cellValues.push_back(0.0);
    }
    m_rows.back().m_hasEvent = true;
}

std::string CellTableDocument::TextAt(std::size_t index) const
{
    const std::size_t begin = index == 0 ? 0 : m_cellEnds[index - 1];
    return m_text.substr(begin, m_cellEnds[index] - begin);
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
    return m_document->TextAt(at);
}

std::string CellTableDocument::CellRow::CellLink(int cell) const
{
    if (cell != 0)
        return {};
    std::string text = CellText(0);
    return text.empty() ? text : m_document->m_linkPrefix + text;
}

std::string CellTableDocument::CellRow::EventId() const
{
    return m_hasEvent ? m_document->TextAt(m_firstCell + static_cast<std::size_t>(m_cellCount)) : std::string();
}

std::string CellTableDocument::CellRow::MagnitudeType() const
{
    return m_hasEvent ? m_document->TextAt(m_firstCell + static_cast<std::size_t>(m_cellCount) + 1)
                      : std::string();
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

}  // namespace tremolux
