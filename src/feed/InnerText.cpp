#include "feed/InnerText.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace tremolux {

namespace {

enum class Display : unsigned char { Inline, Hidden, Block, Paragraph, Row, Cell, LineBreak, Preformatted };

// How the user agent style sheet lays out each element that matters here.
constexpr std::array<Display, GUMBO_TAG_LAST + 1> kDisplay = [] {
    std::array<Display, GUMBO_TAG_LAST + 1> display{};
    for (const GumboTag tag : {GUMBO_TAG_HEAD, GUMBO_TAG_TITLE, GUMBO_TAG_SCRIPT, GUMBO_TAG_STYLE,
                               GUMBO_TAG_TEMPLATE, GUMBO_TAG_NOSCRIPT, GUMBO_TAG_NOEMBED,
                               GUMBO_TAG_NOFRAMES, GUMBO_TAG_IFRAME, GUMBO_TAG_TEXTAREA,
                               GUMBO_TAG_DATALIST, GUMBO_TAG_RP, GUMBO_TAG_PARAM, GUMBO_TAG_AREA,
                               GUMBO_TAG_BASE, GUMBO_TAG_LINK, GUMBO_TAG_META})
        display[tag] = Display::Hidden;
    for (const GumboTag tag :
         {GUMBO_TAG_ADDRESS, GUMBO_TAG_ARTICLE, GUMBO_TAG_ASIDE, GUMBO_TAG_BLOCKQUOTE,
          GUMBO_TAG_BODY, GUMBO_TAG_CENTER, GUMBO_TAG_DD, GUMBO_TAG_DETAILS, GUMBO_TAG_DIR,
          GUMBO_TAG_DIV, GUMBO_TAG_DL, GUMBO_TAG_DT, GUMBO_TAG_FIELDSET,
          GUMBO_TAG_FIGCAPTION, GUMBO_TAG_FIGURE, GUMBO_TAG_FOOTER, GUMBO_TAG_FORM, GUMBO_TAG_H1,
          GUMBO_TAG_H2, GUMBO_TAG_H3, GUMBO_TAG_H4, GUMBO_TAG_H5, GUMBO_TAG_H6, GUMBO_TAG_HEADER,
          GUMBO_TAG_HGROUP, GUMBO_TAG_HR, GUMBO_TAG_HTML, GUMBO_TAG_LEGEND, GUMBO_TAG_LI,
          GUMBO_TAG_MAIN, GUMBO_TAG_MENU, GUMBO_TAG_NAV, GUMBO_TAG_OL, GUMBO_TAG_SECTION,
          GUMBO_TAG_SUMMARY, GUMBO_TAG_UL, GUMBO_TAG_TABLE, GUMBO_TAG_CAPTION})
        display[tag] = Display::Block;
    for (const GumboTag tag : {GUMBO_TAG_PRE, GUMBO_TAG_LISTING, GUMBO_TAG_PLAINTEXT, GUMBO_TAG_XMP})
        display[tag] = Display::Preformatted;
    display[GUMBO_TAG_P] = Display::Paragraph;
    display[GUMBO_TAG_TR] = Display::Row;
    display[GUMBO_TAG_TD] = Display::Cell;
    display[GUMBO_TAG_TH] = Display::Cell;
    display[GUMBO_TAG_BR] = Display::LineBreak;
    return display;
}();

bool IsCollapsible(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

Display DisplayOf(const GumboNode& node)
{
    if (node.type == GUMBO_NODE_TEMPLATE)
        return Display::Hidden;
    if (node.v.element.tag_namespace != GUMBO_NAMESPACE_HTML)
        return Display::Inline;
    return kDisplay[node.v.element.tag];
}

bool IsCell(const GumboNode& node)
{
    return node.type == GUMBO_NODE_ELEMENT && DisplayOf(node) == Display::Cell;
}

bool FollowsCell(const GumboNode& cell)
{
    const GumboNode* parent = cell.parent;
    if (!parent)
        return false;
    const GumboVector& siblings = parent->v.element.children;
    for (std::size_t i = 0; i < cell.index_within_parent; ++i)
        if (IsCell(*static_cast<const GumboNode*>(siblings.data[i])))
            return true;
    return false;
}

// Collects text the way a line box does: pending white space becomes one space
// only between two pieces of text on the same line, and required line breaks
// count only between two pieces of text.
class TextBuilder {
public:
    void Text(std::string_view text)
    {
        std::size_t i = 0;
        while (i < text.size()) {
            if (IsCollapsible(text[i])) {
                m_pendingSpace = true;
                ++i;
                continue;
            }
            std::size_t end = i + 1;
            while (end < text.size() && !IsCollapsible(text[end]))
                ++end;
            Flush();
            m_out.append(text.substr(i, end - i));
            i = end;
        }
    }

    void Preformatted(std::string_view text)
    {
        if (text.empty())
            return;
        Flush();
        m_out.append(text);
    }

    void RequireBreaks(int count)
    {
        m_pendingSpace = false;
        m_pendingBreaks = std::max(m_pendingBreaks, count);
    }

    // A forced character such as the "\n" of <br>: never collapsed, and it
    // swallows the white space around it.
    void Literal(char c)
    {
        m_pendingSpace = false;
        FlushBreaks();
        m_out += c;
    }

    std::string Finish() { return std::move(m_out); }

private:
    void FlushBreaks()
    {
        if (m_pendingBreaks > 0 && !m_out.empty())
            m_out.append(static_cast<std::size_t>(m_pendingBreaks), '\n');
        m_pendingBreaks = 0;
    }

    void Flush()
    {
        if (m_pendingBreaks > 0)
            m_pendingSpace = false;
        FlushBreaks();
        if (m_pendingSpace && !m_out.empty() && m_out.back() != '\n' && m_out.back() != '\t')
            m_out += ' ';
        m_pendingSpace = false;
    }

    std::string m_out;
    bool m_pendingSpace = false;
    int m_pendingBreaks = 0;
};

struct Frame {
    const GumboNode* node;
    unsigned next;
};

// Walks without recursion: a page may nest elements arbitrarily deep.
class Renderer {
public:
    explicit Renderer(std::vector<Frame>& stack) : m_stack(stack) { m_stack.clear(); }

    std::string Render(const GumboNode& root)
    {
        Enter(root, true);
        while (!m_stack.empty()) {
            Frame& frame = m_stack.back();
            const GumboVector& children = frame.node->v.element.children;
            if (frame.next < children.length) {
                Enter(*static_cast<const GumboNode*>(children.data[frame.next++]), false);
            } else {
                Leave(*frame.node);
                m_stack.pop_back();
            }
        }
        return m_text.Finish();
    }

private:
    void Enter(const GumboNode& node, bool isRoot)
    {
        switch (node.type) {
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_CDATA:
        case GUMBO_NODE_WHITESPACE:
            if (m_preformatted > 0)
                m_text.Preformatted(node.v.text.text);
            else
                m_text.Text(node.v.text.text);
            return;
        case GUMBO_NODE_ELEMENT:
            break;
        default:
            return;
        }
        const Display display = DisplayOf(node);
        if (display == Display::Hidden && !isRoot)
            return;
        if (display == Display::LineBreak) {
            m_text.Literal('\n');
            return;
        }
        if (display == Display::Cell && !isRoot && FollowsCell(node))
            m_text.Literal('\t');
        StartOrEnd(display);
        if (display == Display::Preformatted)
            ++m_preformatted;
        m_stack.push_back({&node, 0});
    }

    void Leave(const GumboNode& node)
    {
        const Display display = DisplayOf(node);
        StartOrEnd(display);
        if (display == Display::Preformatted)
            --m_preformatted;
    }

    void StartOrEnd(Display display)
    {
        if (display == Display::Paragraph)
            m_text.RequireBreaks(2);
        else if (display == Display::Block || display == Display::Row
                 || display == Display::Preformatted)
            m_text.RequireBreaks(1);
    }

    TextBuilder m_text;
    std::vector<Frame>& m_stack;
    int m_preformatted = 0;
};

}  // namespace

std::string InnerText(const GumboNode& element)
{
    if (element.type != GUMBO_NODE_ELEMENT)
        return {};
    // One stack for every cell of a page, so a cell costs no allocation for it.
    thread_local std::vector<Frame> stack;
    return Renderer(stack).Render(element);
}

}  // namespace tremolux
