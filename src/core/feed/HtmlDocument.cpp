#include "core/feed/HtmlDocument.h"

#include <string_view>
#include <vector>

#include <gumbo.h>

#include "core/common/Charset.h"
#include "core/feed/BumpArena.h"
#include "core/feed/HtmlNesting.h"
#include "core/feed/InnerText.h"
#include "core/feed/PlainTablePage.h"

namespace tremolux {

namespace {

using Nodes = std::vector<const GumboNode*>;

const GumboNode& Child(const GumboNode& parent, unsigned index)
{
    return *static_cast<const GumboNode*>(parent.v.element.children.data[index]);
}

bool IsHtmlElement(const GumboNode& node, GumboTag tag)
{
    return node.type == GUMBO_NODE_ELEMENT && node.v.element.tag == tag
           && node.v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

// The number of table start tags in the source: no table element of the
// tree can come from anything else.
std::size_t CountTableTags(std::string_view page)
{
    static constexpr std::string_view kName = "table";
    std::size_t count = 0;
    for (std::size_t at = page.find('<'); at != std::string_view::npos;
         at = page.find('<', at + 1)) {
        if (page.size() - at <= kName.size() + 1)
            break;
        bool same = true;
        for (std::size_t i = 0; i < kName.size() && same; ++i)
            same = (page[at + 1 + i] | 0x20) == kName[i];
        const char next = page[at + 1 + kName.size()];
        if (same
            && (next == '>' || next == '/' || next == ' ' || next == '\t' || next == '\n'
                || next == '\r' || next == '\f'))
            ++count;
    }
    return count;
}

// The href of the first link inside node, in document order; walked without
// recursion, as a cell may nest elements arbitrarily deep.
std::string FirstLink(const GumboNode& node)
{
    Nodes stack{&node};
    while (!stack.empty()) {
        const GumboNode& at = *stack.back();
        stack.pop_back();
        if (at.type != GUMBO_NODE_ELEMENT)
            continue;
        if (IsHtmlElement(at, GUMBO_TAG_A)) {
            if (const GumboAttribute* href = gumbo_get_attribute(&at.v.element.attributes, "href"))
                return href->value;
        }
        const GumboVector& children = at.v.element.children;
        for (unsigned i = children.length; i-- > 0;)
            stack.push_back(&Child(at, i));
    }
    return {};
}

// The page in UTF-8. A byte order mark outweighs any declaration, as in a browser.
std::string PageText(std::string page)
{
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (page.starts_with(kBom)) {
        page.erase(0, kBom.size());
        return ToUtf8(std::move(page), "utf-8");
    }
    const std::string charset = DeclaredCharset(page);
    return ToUtf8(std::move(page), charset);
}

// A row's cells are a slice of the document's one cell array, so a page of
// many rows costs no allocation per row.
class HtmlRow final : public FeedRow {
public:
    HtmlRow(const Nodes& cells, std::size_t first, int count)
        : m_cells(&cells), m_first(first), m_count(count)
    {
    }

    int CellCount() const override { return m_count; }

    std::string CellText(int cell) const override
    {
        if (cell < 0 || cell >= m_count)
            return {};
        return InnerText(*(*m_cells)[m_first + static_cast<std::size_t>(cell)]);
    }

    std::string CellLink(int cell) const override
    {
        if (cell < 0 || cell >= m_count)
            return {};
        return FirstLink(*(*m_cells)[m_first + static_cast<std::size_t>(cell)]);
    }

private:
    const Nodes* m_cells;
    std::size_t m_first;
    int m_count;
};

class HtmlTable final : public FeedTable {
public:
    std::vector<HtmlRow> rows;

    int RowCount() const override { return static_cast<int>(rows.size()); }
    const FeedRow* Row(int row) const override
    {
        return row >= 0 && row < RowCount() ? &rows[static_cast<std::size_t>(row)] : nullptr;
    }
};

class HtmlDocument final : public FeedDocument, FeedTables {
public:
    HtmlDocument(std::string page, const StopFlag& stop)
    {
        CappedHtml capped = CapHtmlNesting(PageText(std::move(page)), stop);
        if (capped.startTags > kMaxHtmlElements) {
            m_failure = "the page holds more than 1,000,000 elements";
            return;
        }
        m_page = std::move(capped.page);
        GumboOptions options = kGumboDefaultOptions;
        options.max_errors = 0;  // nobody reads the parse errors
        // The tree lives in the arena and goes with it: gumbo's own teardown
        // recurses once per level of nesting, which a deep page turns into a
        // stack overflow. What gumbo frees while parsing stays until then.
        // The parser allocates for every node and text, so that a stop is
        // seen there soon; what it built until then goes with the arena.
        struct Parse {
            BumpArena& arena;
            const StopFlag& stop;
        } parse{m_arena, stop};
        options.allocator = [](void* userdata, std::size_t size) {
            auto& parse = *static_cast<Parse*>(userdata);
            parse.stop.ThrowIfRaised();
            return parse.arena.Allocate(size);
        };
        options.deallocator = [](void*, void*) {};
        options.userdata = &parse;
        m_output = gumbo_parse_with_options(&options, m_page.data(), m_page.size());
        CollectTables(stop);
    }

    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    // A page without a table is no feed: a maintenance or captive-portal page
    // served in its place must not pass for a feed without quakes.
    bool ViewableAsTables() const override { return !m_tables.empty(); }
    const FeedTables* Tables() const override { return this; }
    std::string Failure() const override { return m_failure; }

    int Count() const override { return static_cast<int>(m_tables.size()); }
    const FeedTable* Table(int table) const override
    {
        return table >= 0 && table < Count() ? &m_tables[static_cast<std::size_t>(table)] : nullptr;
    }

private:
    // Tables in document order, found without recursion: a page may nest
    // elements arbitrarily deep. Template contents are not part of the page.
    // The walk ends with the last table the source can hold, which spares it
    // the cells of most pages: their nodes are the bulk of the tree.
    void CollectTables(const StopFlag& stop)
    {
        const std::size_t possibleTables = CountTableTags(m_page);
        Nodes stack{m_output->document};
        while (!stack.empty() && m_tables.size() < possibleTables) {
            stop.ThrowIfRaised();
            const GumboNode& node = *stack.back();
            stack.pop_back();
            if (IsHtmlElement(node, GUMBO_TAG_TABLE))
                AddTable(node);
            const GumboVector& children = node.type == GUMBO_NODE_DOCUMENT
                                              ? node.v.document.children
                                              : node.v.element.children;
            for (unsigned i = children.length; i-- > 0;) {
                const auto* child = static_cast<const GumboNode*>(children.data[i]);
                if (child->type == GUMBO_NODE_ELEMENT)
                    stack.push_back(child);
            }
        }
    }

    // The table's own rows as the DOM orders them: those of its thead first,
    // then its direct and tbody rows, then those of its tfoot.
    void AddTable(const GumboNode& table)
    {
        Nodes head, body, foot;
        const auto addRows = [](const GumboNode& section, Nodes& to) {
            for (unsigned i = 0; i < section.v.element.children.length; ++i)
                if (IsHtmlElement(Child(section, i), GUMBO_TAG_TR))
                    to.push_back(&Child(section, i));
        };
        for (unsigned i = 0; i < table.v.element.children.length; ++i) {
            const GumboNode& child = Child(table, i);
            if (IsHtmlElement(child, GUMBO_TAG_TR))
                body.push_back(&child);
            else if (IsHtmlElement(child, GUMBO_TAG_THEAD))
                addRows(child, head);
            else if (IsHtmlElement(child, GUMBO_TAG_TBODY))
                addRows(child, body);
            else if (IsHtmlElement(child, GUMBO_TAG_TFOOT))
                addRows(child, foot);
        }
        HtmlTable& added = m_tables.emplace_back();
        added.rows.reserve(head.size() + body.size() + foot.size());
        for (const Nodes* part : {&head, &body, &foot})
            for (const GumboNode* row : *part)
                AddRow(*row, added);
    }

    void AddRow(const GumboNode& row, HtmlTable& table)
    {
        const std::size_t first = m_cells.size();
        for (unsigned i = 0; i < row.v.element.children.length; ++i) {
            const GumboNode& cell = Child(row, i);
            if (IsHtmlElement(cell, GUMBO_TAG_TD) || IsHtmlElement(cell, GUMBO_TAG_TH))
                m_cells.push_back(&cell);
        }
        table.rows.emplace_back(m_cells, first, static_cast<int>(m_cells.size() - first));
    }

    std::string m_page;
    BumpArena m_arena;
    GumboOutput* m_output = nullptr;
    std::vector<HtmlTable> m_tables;
    Nodes m_cells;
    std::string m_failure;
};

}  // namespace

std::unique_ptr<FeedDocument> OpenHtmlDocument(std::string page, const StopFlag& stop)
{
    // The classic feed's page is plain tables: read from its tags, it costs
    // a tenth of the tree.
    if (std::unique_ptr<FeedDocument> plain = ScanPlainTablePage(PageText(page), stop))
        return plain;
    return OpenHtmlTreeDocument(std::move(page), stop);
}

std::unique_ptr<FeedDocument> OpenHtmlTreeDocument(std::string page, const StopFlag& stop)
{
    return std::make_unique<HtmlDocument>(std::move(page), stop);
}

}  // namespace tremolux
