#include "core/feed/PlainTablePage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/feed/HtmlNesting.h"
#include "core/feed/TextBuilder.h"

namespace tremolux {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsAsciiAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view lowerPrefix)
{
    if (text.size() < lowerPrefix.size())
        return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (AsciiLower(text[i]) != lowerPrefix[i])
            return false;
    }
    return true;
}

bool EqualsNoCase(std::string_view text, std::string_view lower)
{
    return text.size() == lower.size() && StartsWithNoCase(text, lower);
}

void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Characters a numeric reference may name and stand for itself: no control
// other than white space, no surrogate, no noncharacter, none that the parser
// replaces.
bool IsPlainCharacter(std::uint32_t code)
{
    if (code == '\t' || code == '\n' || code == '\f')
        return true;
    if (code < 0x20 || (code >= 0x7F && code < 0xA0))
        return false;
    if ((code >= 0xD800 && code < 0xE000) || (code >= 0xFDD0 && code < 0xFDF0))
        return false;
    return (code & 0xFFFE) != 0xFFFE && code <= 0x10FFFF;
}

// Characters the tokenizer reports or rewrites: NUL, controls other than
// white space, and noncharacters. The text is valid UTF-8.
bool HasCharacterToRewrite(std::string_view page)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(page.data());
    const std::size_t size = page.size();
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char b = bytes[i];
        if (b < 0x20) {
            if (b != '\t' && b != '\n' && b != '\r' && b != '\f')
                return true;
        } else if (b == 0x7F) {
            return true;
        } else if (b == 0xC2 && i + 1 < size && bytes[i + 1] < 0xA0) {
            return true;  // C1 controls
        } else if (b == 0xEF && i + 2 < size
                   && ((bytes[i + 1] == 0xB7 && bytes[i + 2] >= 0x90 && bytes[i + 2] < 0xB0)
                       || (bytes[i + 1] == 0xBF && bytes[i + 2] >= 0xBE))) {
            return true;  // U+FDD0 ... U+FDEF, U+FFFE, U+FFFF
        } else if (b >= 0xF0 && i + 3 < size && (bytes[i + 1] & 0x0F) == 0x0F
                   && bytes[i + 2] == 0xBF && bytes[i + 3] >= 0xBE) {
            return true;  // U+1FFFE, U+1FFFF ... U+10FFFF
        }
    }
    return false;
}

enum class Kind : unsigned char {
    Unknown,
    Page,    // elements around the tables whose content is not read
    Title,   // its text runs to its end tag, tags and all
    Inline,  // text-level elements, in cells and around the tables
    Link,    // the a element
    Break,   // br
    Table,
    Section,  // thead, tbody, tfoot
    Row,
    Cell,  // td, th
};

Kind KindOf(std::string_view name)
{
    struct Entry {
        std::string_view name;
        Kind kind;
    };
    // The tags of a feed's rows first: the search runs once a tag.
    static constexpr Entry kKinds[] = {
        {"td", Kind::Cell},       {"tr", Kind::Row},        {"a", Kind::Link},
        {"th", Kind::Cell},       {"font", Kind::Inline},   {"strong", Kind::Inline},
        {"b", Kind::Inline},      {"br", Kind::Break},      {"table", Kind::Table},
        {"thead", Kind::Section}, {"tbody", Kind::Section}, {"tfoot", Kind::Section},
        {"html", Kind::Page},     {"head", Kind::Page},     {"body", Kind::Page},
        {"meta", Kind::Page},     {"link", Kind::Page},     {"p", Kind::Page},
        {"div", Kind::Page},      {"center", Kind::Page},   {"h1", Kind::Page},
        {"h2", Kind::Page},       {"h3", Kind::Page},       {"h4", Kind::Page},
        {"h5", Kind::Page},       {"h6", Kind::Page},       {"hr", Kind::Page},
        {"img", Kind::Page},      {"title", Kind::Title},   {"i", Kind::Inline},
        {"u", Kind::Inline},      {"s", Kind::Inline},      {"em", Kind::Inline},
        {"span", Kind::Inline},   {"small", Kind::Inline},  {"big", Kind::Inline},
        {"sup", Kind::Inline},    {"sub", Kind::Inline},    {"tt", Kind::Inline},
        {"code", Kind::Inline},   {"abbr", Kind::Inline},   {"strike", Kind::Inline},
    };
    for (const Entry& entry : kKinds) {
        if (entry.name == name)
            return entry.kind;
    }
    return Kind::Unknown;
}

// A start or end tag, with the attributes that matter here.
struct Tag {
    bool end = false;
    std::string name;  // lower case
    Kind kind = Kind::Unknown;
    bool hasHref = false;
    std::string_view href;
    bool hidden = false;
};

class PlainTableDocument final : public FeedDocument, FeedTables {
public:
    struct Cell {
        std::string text;
        std::string link;
    };

    class ScannedRow final : public FeedRow {
    public:
        ScannedRow(const std::vector<Cell>& cells, std::size_t first, int count)
            : m_cells(&cells), m_first(first), m_count(count)
        {
        }

        int CellCount() const override { return m_count; }
        std::string CellText(int cell) const override
        {
            return at(cell) ? at(cell)->text : std::string();
        }
        std::string CellLink(int cell) const override
        {
            return at(cell) ? at(cell)->link : std::string();
        }

    private:
        const Cell* at(int cell) const
        {
            return cell >= 0 && cell < m_count
                       ? &(*m_cells)[m_first + static_cast<std::size_t>(cell)]
                       : nullptr;
        }

        const std::vector<Cell>* m_cells;
        std::size_t m_first;
        int m_count;
    };

    class ScannedTable final : public FeedTable {
    public:
        std::vector<ScannedRow> rows;

        int RowCount() const override { return static_cast<int>(rows.size()); }
        const FeedRow* Row(int row) const override
        {
            return row >= 0 && row < RowCount() ? &rows[static_cast<std::size_t>(row)] : nullptr;
        }
    };

    PlainTableDocument() = default;
    PlainTableDocument(const PlainTableDocument&) = delete;
    PlainTableDocument& operator=(const PlainTableDocument&) = delete;

    bool ViewableAsTables() const override { return !tables.empty(); }
    const FeedTables* Tables() const override { return this; }
    int Count() const override { return static_cast<int>(tables.size()); }
    const FeedTable* Table(int table) const override
    {
        return table >= 0 && table < Count() ? &tables[static_cast<std::size_t>(table)] : nullptr;
    }

    std::vector<Cell> cells;
    std::vector<ScannedTable> tables;
};

// Reads the page token by token and keeps where it stands in the one table
// that can be open: outside, in the table, in a row or in a cell. Each step
// returns false for anything that would need the full tree construction.
class Scanner {
public:
    Scanner(std::string_view page, const StopFlag& stop) : m_page(page), m_stop(stop) {}

    std::unique_ptr<FeedDocument> Scan()
    {
        if (HasCharacterToRewrite(m_page))
            return nullptr;
        while (m_at < m_page.size()) {
            m_stop.ThrowIfRaised();
            const char c = m_page[m_at];
            bool fine = true;
            if (c == '<') {
                fine = markup();
            } else if (c == '&') {
                fine = reference();
            } else {
                std::size_t end = m_at + 1;
                while (end < m_page.size() && m_page[end] != '<' && m_page[end] != '&')
                    ++end;
                fine = characters(m_page.substr(m_at, end - m_at));
                m_at = end;
            }
            if (!fine)
                return nullptr;
        }
        if (m_place != Place::Outside)
            closeTable();
        if (m_document->tables.empty())
            return nullptr;
        return std::move(m_document);
    }

private:
    enum class Place : unsigned char { Outside, InTable, InRow, InCell };
    enum Section : unsigned char { Head, Body, Foot };

    bool characters(std::string_view text)
    {
        switch (m_place) {
        case Place::Outside:
            return true;
        case Place::InTable:
        case Place::InRow:
            // Text between rows and cells is moved out in front of the table.
            for (char c : text) {
                if (!IsSpace(c))
                    return false;
            }
            return true;
        case Place::InCell:
            m_text.Text(text);
            return true;
        }
        return false;
    }

    bool reference()
    {
        if (m_place == Place::Outside) {
            ++m_at;
            return true;
        }
        const std::string_view rest = m_page.substr(m_at + 1);
        if (rest.empty() || !(IsAsciiAlpha(rest[0]) || IsAsciiDigit(rest[0]) || rest[0] == '#')) {
            ++m_at;
            return characters("&");
        }
        if (m_place != Place::InCell)
            return false;
        std::string decoded;
        std::size_t length = 0;
        if (rest[0] == '#') {
            const bool hex = rest.size() > 1 && (rest[1] == 'x' || rest[1] == 'X');
            std::size_t i = hex ? 2 : 1;
            std::uint32_t code = 0;
            const std::size_t first = i;
            for (; i < rest.size() && i - first < 7; ++i) {
                const char d = AsciiLower(rest[i]);
                if (IsAsciiDigit(d))
                    code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(d - '0');
                else if (hex && d >= 'a' && d <= 'f')
                    code = code * 16 + static_cast<std::uint32_t>(d - 'a' + 10);
                else
                    break;
            }
            if (i == first || i >= rest.size() || rest[i] != ';' || !IsPlainCharacter(code))
                return false;
            AppendUtf8(decoded, code);
            length = i + 1;
        } else {
            static constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
                {"amp;", "&"},   {"lt;", "<"},   {"gt;", ">"},
                {"quot;", "\""}, {"apos;", "'"}, {"nbsp;", "\xC2\xA0"},
            };
            for (const auto& [name, text] : kNamed) {
                if (rest.starts_with(name)) {
                    decoded = text;
                    length = name.size();
                }
            }
            if (length == 0)
                return false;
        }
        m_at += 1 + length;
        m_text.Text(decoded);
        return true;
    }

    bool markup()
    {
        const std::string_view rest = m_page.substr(m_at + 1);
        if (rest.starts_with("!--"))
            return comment();
        if (rest.starts_with("!"))
            return m_place == Place::Outside && StartsWithNoCase(rest.substr(1), "doctype")
                   && skipPast('>');
        Tag tag;
        if (!rest.empty() && rest[0] == '/') {
            if (rest.size() < 2 || !IsAsciiAlpha(rest[1]))
                return false;
            tag.end = true;
            m_at += 2;
        } else if (!rest.empty() && IsAsciiAlpha(rest[0])) {
            ++m_at;
        } else if (!rest.empty() && rest[0] == '?') {
            return false;
        } else {
            ++m_at;
            return characters("<");
        }
        if (!readTag(tag))
            return false;
        tag.kind = KindOf(tag.name);
        return tag.end ? endTag(tag) : startTag(tag);
    }

    bool skipPast(char c)
    {
        const std::size_t at = m_page.find(c, m_at);
        if (at == std::string_view::npos)
            return false;
        m_at = at + 1;
        return true;
    }

    // Comments the tokenizer ends at their first "-->"; the odd ways of
    // ending one sooner are left to the full parser.
    bool comment()
    {
        const std::size_t start = m_at + 4;
        const std::string_view rest = m_page.substr(start);
        if (rest.starts_with(">") || rest.starts_with("->"))
            return false;
        const std::size_t end = rest.find("-->");
        if (end == std::string_view::npos
            || rest.substr(0, end + 3).find("--!>") != std::string_view::npos)
            return false;
        m_at = start + end + 3;
        return true;
    }

    // From the tag name on to the tag's end.
    bool readTag(Tag& tag)
    {
        const std::string_view page = m_page;
        std::size_t at = m_at;
        while (at < page.size() && !IsSpace(page[at]) && page[at] != '/' && page[at] != '>')
            tag.name += AsciiLower(page[at++]);
        bool seenHref = false;
        for (;;) {
            while (at < page.size() && IsSpace(page[at]))
                ++at;
            if (at >= page.size())
                return false;
            if (page[at] == '>') {
                m_at = at + 1;
                return true;
            }
            if (page[at] == '/') {
                ++at;
                continue;
            }
            // An attribute; its name may begin with '='.
            const std::size_t nameStart = at++;
            while (at < page.size() && !IsSpace(page[at]) && page[at] != '/' && page[at] != '>'
                   && page[at] != '=')
                ++at;
            const std::string_view name = page.substr(nameStart, at - nameStart);
            while (at < page.size() && IsSpace(page[at]))
                ++at;
            std::string_view value;
            if (at < page.size() && page[at] == '=') {
                ++at;
                while (at < page.size() && IsSpace(page[at]))
                    ++at;
                if (at >= page.size())
                    return false;
                if (page[at] == '"' || page[at] == '\'') {
                    const std::size_t close = page.find(page[at], at + 1);
                    if (close == std::string_view::npos)
                        return false;
                    value = page.substr(at + 1, close - at - 1);
                    at = close + 1;
                } else if (page[at] != '>') {
                    const std::size_t valueStart = at;
                    while (at < page.size() && !IsSpace(page[at]) && page[at] != '>')
                        ++at;
                    value = page.substr(valueStart, at - valueStart);
                }
            }
            if (EqualsNoCase(name, "hidden"))
                tag.hidden = true;
            if (EqualsNoCase(name, "href") && !seenHref) {
                seenHref = true;
                // The value as written: references and carriage returns in it
                // would need decoding.
                if (value.find_first_of("&\r") != std::string_view::npos)
                    return false;
                tag.hasHref = true;
                tag.href = value;
            }
        }
    }

    bool startTag(const Tag& tag)
    {
        if (++m_startTags > kMaxHtmlElements)
            return false;  // the full parser refuses the page and says why
        if (m_place == Place::Outside) {
            switch (tag.kind) {
            case Kind::Table:
                m_place = Place::InTable;
                m_sectionOpen = false;
                return true;
            case Kind::Title:
                return skipTitle();
            case Kind::Page:
            case Kind::Inline:
            case Kind::Link:
            case Kind::Break:
                return true;
            default:
                return false;
            }
        }
        if (m_place == Place::InCell) {
            if (tag.kind == Kind::Break) {
                m_text.Literal('\n');
                return true;
            }
            if (tag.kind == Kind::Inline || tag.kind == Kind::Link) {
                if (tag.hidden)
                    return false;
                if (tag.kind == Kind::Link) {
                    for (const std::string& open : m_inline) {
                        if (open == "a")
                            return false;
                    }
                    if (tag.hasHref && !m_hasLink) {
                        m_hasLink = true;
                        m_link = tag.href;
                    }
                }
                m_inline.push_back(tag.name);
                return true;
            }
        }
        switch (tag.kind) {
        case Kind::Section:
            closeRow();
            openSection(tag.name);
            return true;
        case Kind::Row:
            closeRow();
            openRow();
            return true;
        case Kind::Cell:
            if (m_place == Place::InCell)
                closeCell();
            else if (m_place == Place::InTable)
                openRow();
            m_place = Place::InCell;
            m_cellName = tag.name;
            return true;
        default:
            return false;
        }
    }

    bool endTag(const Tag& tag)
    {
        if (m_place == Place::Outside)
            return tag.kind == Kind::Page || tag.kind == Kind::Inline || tag.kind == Kind::Link
                   || tag.kind == Kind::Title;
        if (m_place == Place::InCell && (tag.kind == Kind::Inline || tag.kind == Kind::Link)) {
            if (m_inline.empty() || m_inline.back() != tag.name)
                return false;
            m_inline.pop_back();
            return true;
        }
        switch (tag.kind) {
        case Kind::Table:
            closeTable();
            return true;
        case Kind::Section:
            if (!m_sectionOpen || m_sectionName != tag.name)
                return false;
            closeRow();
            m_sectionOpen = false;
            return true;
        case Kind::Row:
            if (m_place == Place::InTable)
                return false;
            closeRow();
            return true;
        case Kind::Cell:
            if (m_place != Place::InCell || m_cellName != tag.name)
                return false;
            closeCell();
            return true;
        default:
            return false;
        }
    }

    // The title's text runs to its own end tag whatever it holds.
    bool skipTitle()
    {
        for (std::size_t at = m_page.find("</", m_at); at != std::string_view::npos;
             at = m_page.find("</", at + 2)) {
            const std::string_view rest = m_page.substr(at + 2);
            if (StartsWithNoCase(rest, "title")
                && (rest.size() == 5 || IsSpace(rest[5]) || rest[5] == '/' || rest[5] == '>')) {
                m_at = at;
                return true;
            }
        }
        return false;
    }

    void openSection(const std::string& name)
    {
        m_sectionOpen = true;
        m_sectionName = name;
        m_section = name == "thead" ? Head : name == "tfoot" ? Foot : Body;
    }

    // A row outside any section opens a tbody.
    void openRow()
    {
        if (!m_sectionOpen)
            openSection("tbody");
        m_place = Place::InRow;
        m_rows[m_section].push_back({m_document->cells.size(), 0});
    }

    void closeCell()
    {
        PlainTableDocument::Cell& cell = m_document->cells.emplace_back();
        cell.text = m_text.Finish();
        if (m_hasLink)
            cell.link = m_link;
        m_text = TextBuilder();
        m_inline.clear();
        m_hasLink = false;
        ++m_rows[m_section].back().count;
        m_place = Place::InRow;
    }

    void closeRow()
    {
        if (m_place == Place::InCell)
            closeCell();
        if (m_place == Place::InRow)
            m_place = Place::InTable;
    }

    // The table's rows as the tree orders them: head, body, foot.
    void closeTable()
    {
        closeRow();
        auto& table = m_document->tables.emplace_back();
        for (std::vector<RowSpan>& rows : m_rows) {
            for (const RowSpan& span : rows)
                table.rows.emplace_back(m_document->cells, span.first, span.count);
            rows.clear();
        }
        m_place = Place::Outside;
    }

    struct RowSpan {
        std::size_t first;
        int count;
    };

    std::string_view m_page;
    const StopFlag& m_stop;
    std::size_t m_at = 0;
    std::size_t m_startTags = 0;
    std::unique_ptr<PlainTableDocument> m_document = std::make_unique<PlainTableDocument>();
    Place m_place = Place::Outside;
    bool m_sectionOpen = false;
    std::string m_sectionName;
    Section m_section = Body;
    std::vector<RowSpan> m_rows[3];
    std::string m_cellName;
    std::vector<std::string> m_inline;  // the text-level elements open in the cell
    TextBuilder m_text;
    bool m_hasLink = false;
    std::string_view m_link;
};

}  // namespace

std::unique_ptr<FeedDocument> ScanPlainTablePage(std::string_view page, const StopFlag& stop)
{
    return Scanner(page, stop).Scan();
}

}  // namespace tremolux
