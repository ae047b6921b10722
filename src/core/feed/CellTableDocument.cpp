#include "core/feed/CellTableDocument.h"

namespace tremolux {

void CellTableDocument::AddRow()
{
    m_rows.emplace_back(*this, m_cellEnds.size());
}

void CellTableDocument::AddCell(std::string_view text)
{
    m_text.append(text);
    m_cellEnds.push_back(m_text.size());
    ++m_rows.back().m_cellCount;
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

std::string CellTableDocument::CellRow::CellText(int cell) const
{
    if (cell < 0 || cell >= m_cellCount)
        return {};
    const std::size_t index = m_firstCell + static_cast<std::size_t>(cell);
    const std::size_t begin = index == 0 ? 0 : m_document->m_cellEnds[index - 1];
    return m_document->m_text.substr(begin, m_document->m_cellEnds[index] - begin);
}

std::string CellTableDocument::CellRow::CellLink(int cell) const
{
    if (cell != 0)
        return {};
    std::string text = CellText(0);
    return text.empty() ? text : m_document->m_linkPrefix + text;
}

}  // namespace tremolux
