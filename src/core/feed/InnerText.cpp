#include "core/feed/InnerText.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace tremolux {

namespace {

enum class Display : unsigned char {
    Inline,
    Hidden,
    Block,
    Paragraph,
    Row,
    Cell,
    LineBreak,
    Preformatted
};

// How the user agent style sheet lays out each element that matters here.
constexpr std::array<Display, GUMBO_TAG_LAST + 1> kDisplay = [] {
    std::array<Display, GUMBO_TAG_LAST + 1> display{};
    for (const GumboTag tag :
         {GUMBO_TAG_HEAD, GUMBO_TAG_TITLE, GUMBO_TAG_SCRIPT, GUMBO_TAG_STYLE, GUMBO_TAG_TEMPLATE,
          GUMBO_TAG_NOSCRIPT, GUMBO_TAG_NOEMBED, GUMBO_TAG_NOFRAMES, GUMBO_TAG_IFRAME,
          GUMBO_TAG_TEXTAREA, GUMBO_TAG_DATALIST, GUMBO_TAG_RP, GUMBO_TAG_PARAM, GUMBO_TAG_AREA,
          GUMBO_TAG_BASE, GUMBO_TAG_LINK, GUMBO_TAG_META})
        display[tag] = Display::Hidden;
    for (const GumboTag tag :
         {GUMBO_TAG_ADDRESS,  GUMBO_TAG_ARTICLE,    GUMBO_TAG_ASIDE,   GUMBO_TAG_BLOCKQUOTE,
          GUMBO_TAG_BODY,     GUMBO_TAG_CENTER,     GUMBO_TAG_DD,      GUMBO_TAG_DETAILS,
          GUMBO_TAG_DIR,      GUMBO_TAG_DIV,        GUMBO_TAG_DL,      GUMBO_TAG_DT,
          GUMBO_TAG_FIELDSET, GUMBO_TAG_FIGCAPTION, GUMBO_TAG_FIGURE,  GUMBO_TAG_FOOTER,
          GUMBO_TAG_FORM,     GUMBO_TAG_H1,         GUMBO_TAG_H2,      GUMBO_TAG_H3,
          GUMBO_TAG_H4,       GUMBO_TAG_H5,         GUMBO_TAG_H6,      GUMBO_TAG_HEADER,
          GUMBO_TAG_HGROUP,   GUMBO_TAG_HR,         GUMBO_TAG_HTML,    GUMBO_TAG_LEGEND,
          GUMBO_TAG_LI,       GUMBO_TAG_MAIN,       GUMBO_TAG_MENU,    GUMBO_TAG_NAV,
          GUMBO_TAG_OL,       GUMBO_TAG_SECTION,    GUMBO_TAG_SUMMARY, GUMBO_TAG_UL,
          GUMBO_TAG_TABLE,    GUMBO_TAG_CAPTION})
        display[tag] = Display::Block;
    for (const GumboTag tag :
         {GUMBO_TAG_PRE, GUMBO_TAG_LISTING, GUMBO_TAG_PLAINTEXT, GUMBO_TAG_XMP})
        display[tag] = Display::Preformatted;
    display[GUMBO_TAG_P] = Display::Paragraph;
    display[GUMBO_TAG_TR] = Display::Row;
    display[GUMBO_TAG_TD] = Display::Cell;
    display[GUMBO_TAG_TH] = Display::Cell;
    display[GUMBO_TAG_BR] = Display::LineBreak;
    return display;
}();

Display DisplayOf(const GumboNode& node)
{
    if (node.type == GUMBO_NODE_TEMPLATE)
        return Display::Hidden;
    if (node.v.element.tag_namespace != GUMBO_NAMESPACE_HTML)
        return Display::Inline;
    // The user agent style sheet's [hidden] { display: none }.
    if (gumbo_get_attribute(&node.v.element.attributes, "hidden") != nullptr)
        return Display::Hidden;
    return kDisplay[node.v.element.tag];
}

struct Frame {
    const GumboNode* node;
    Display display;
    bool hasCell;  // a cell among the children walked so far
    unsigned next;
};

// Walks without recursion: a page may nest elements arbitrarily deep. The walk
// ends when the text is full, so a cell costs no more than its first few
// KiB of text however much the page nests inside it.
class Renderer {
public:
    explicit Renderer(std::vector<Frame>& stack) : m_stack(stack) { m_stack.clear(); }

    std::string Render(const GumboNode& root)
    {
        Enter(root, true);
        while (!m_stack.empty() && !m_text.Full()) {
            Frame& frame = m_stack.back();
            const GumboVector& children = frame.node->v.element.children;
            if (frame.next < children.length) {
                Enter(*static_cast<const GumboNode*>(children.data[frame.next++]), false);
            } else {
                Leave(frame);
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
        if (display == Display::Cell && !isRoot) {
            Frame& parent = m_stack.back();
            if (parent.hasCell)
                m_text.Literal('\t');
            parent.hasCell = true;
        }
        StartOrEnd(display);
        if (display == Display::Preformatted)
            ++m_preformatted;
        m_stack.push_back({&node, display, false, 0});
    }

    void Leave(const Frame& frame)
    {
        StartOrEnd(frame.display);
        if (frame.display == Display::Preformatted)
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
    // One stack for every cell of a page, so a cell costs no allocation for it;
    // not kept at the size a deeply nested cell gave it.
    constexpr std::size_t kKeptFrames = std::size_t{1} << 16;
    thread_local std::vector<Frame> stack;
    std::string text = Renderer(stack).Render(element);
    if (stack.capacity() > kKeptFrames)
        std::vector<Frame>().swap(stack);
    return text;
}

}  // namespace tremolux
