#include "core/feed/TextBuilder.h"

#include <algorithm>

namespace tremolux {

namespace {

bool IsCollapsible(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

void TextBuilder::Text(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && !m_full) {
        if (IsCollapsible(text[i])) {
            m_pendingSpace = true;
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && !IsCollapsible(text[end]))
            ++end;
        Flush();
        Append(text.substr(i, end - i));
        i = end;
    }
}

void TextBuilder::Preformatted(std::string_view text)
{
    if (text.empty())
        return;
    Flush();
    Append(text);
}

void TextBuilder::RequireBreaks(int count)
{
    m_pendingSpace = false;
    m_pendingBreaks = std::max(m_pendingBreaks, count);
}

void TextBuilder::Literal(char c)
{
    m_pendingSpace = false;
    FlushBreaks();
    Append(std::string_view(&c, 1));
}

void TextBuilder::FlushBreaks()
{
    if (m_pendingBreaks > 0 && !m_out.empty())
        Append(std::string_view("\n\n").substr(0, static_cast<std::size_t>(m_pendingBreaks)));
    m_pendingBreaks = 0;
}

void TextBuilder::Flush()
{
    if (m_pendingBreaks > 0)
        m_pendingSpace = false;
    FlushBreaks();
    if (m_pendingSpace && !m_out.empty() && m_out.back() != '\n' && m_out.back() != '\t')
        Append(" ");
    m_pendingSpace = false;
}

void TextBuilder::Append(std::string_view text)
{
    if (m_full)
        return;
    const std::size_t room = kInnerTextLimit - m_out.size();
    if (text.size() >= room) {
        std::size_t cut = room;
        while (cut > 0 && cut < text.size() && IsUtf8Continuation(text[cut]))
            --cut;
        text = text.substr(0, cut);
        m_full = true;
    }
    m_out.append(text);
}

}  // namespace tremolux
