#include "core/feed/HtmlNesting.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>
#include <vector>

namespace tremolux {

namespace {

// Elements that never hold others.
constexpr std::array<std::string_view, 15> kVoid = {"area", "base",  "br",     "col",    "embed",
                                                    "hr",   "img",   "input",  "keygen", "link",
                                                    "meta", "param", "source", "track",  "wbr"};
// Closed when a sibling starts or their parent ends, and the table structure
// a feed is read from.
constexpr std::array<std::string_view, 19> kSelfClosing = {
    "caption", "colgroup", "dd",    "dt",    "li", "optgroup", "option", "p",     "rb", "rp",
    "rt",      "rtc",      "table", "tbody", "td", "tfoot",    "th",     "thead", "tr"};
// Their content is text up to their end tag.
constexpr std::array<std::string_view, 8> kRawText = {"iframe", "noembed",  "noframes", "script",
                                                      "style",  "textarea", "title",    "xmp"};

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool EndsName(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '/' || c == '>';
}

// Where the tag that started before `at` ends: past its '>', with quoted
// attribute values skipped; the page's end when it never does.
std::size_t TagEnd(std::string_view page, std::size_t at)
{
    while (at < page.size()) {
        const char c = page[at++];
        if (c == '>')
            return at;
        if (c != '=')
            continue;
        while (at < page.size() && (page[at] == ' ' || page[at] == '\t' || page[at] == '\n'))
            ++at;
        if (at < page.size() && (page[at] == '"' || page[at] == '\'')) {
            const std::size_t close = page.find(page[at], at + 1);
            at = close == std::string_view::npos ? page.size() : close + 1;
        }
    }
    return page.size();
}

// Where the raw text of element `name` ends: at its end tag, in any case.
std::size_t RawTextEnd(std::string_view page, std::size_t at, std::string_view name)
{
    while ((at = page.find("</", at)) != std::string_view::npos) {
        const std::string_view after = page.substr(at + 2, name.size());
        if (after.size() == name.size()
            && std::equal(after.begin(), after.end(), name.begin(),
                          [](char a, char b) { return Lower(a) == b; }))
            return at;
        at += 2;
    }
    return page.size();
}

// The open elements that nest, innermost last, with how often each name is open.
class OpenElements {
public:
    std::size_t Depth() const { return m_names.size(); }
    void Push(const std::string& name)
    {
        m_names.push_back(name);
        ++m_open[name];
    }
    // An end tag closes its element and all opened inside it; one of an
    // element not open is ignored, as the parser does.
    void Close(const std::string& name)
    {
        const auto known = m_open.find(name);
        if (known == m_open.end() || known->second == 0)
            return;
        for (;;) {
            const std::string last = std::move(m_names.back());
            m_names.pop_back();
            --m_open[last];
            if (last == name)
                return;
        }
    }

private:
    std::vector<std::string> m_names;
    std::map<std::string, std::size_t, std::less<>> m_open;
};

}  // namespace

CappedHtml CapHtmlNesting(std::string page, const StopFlag& stop)
{
    CappedHtml capped;
    const std::string_view text(page);
    OpenElements open;
    std::string kept;        // the page without the tags taken out, once one is
    std::size_t keptTo = 0;  // how much of the page `kept` has seen
    std::size_t at = 0;
    while ((at = text.find('<', at)) != std::string_view::npos) {
        stop.ThrowIfRaised();
        if (text.substr(at, 4) == "<!--") {
            const std::size_t end = text.find("-->", at + 4);
            at = end == std::string_view::npos ? text.size() : end + 3;
            continue;
        }
        if (at + 1 < text.size() && (text[at + 1] == '!' || text[at + 1] == '?')) {
            at = TagEnd(text, at + 2);
            continue;
        }
        const bool endTag = at + 1 < text.size() && text[at + 1] == '/';
        const std::size_t nameStart = at + (endTag ? 2 : 1);
        if (nameStart >= text.size() || !IsLetter(text[nameStart])) {
            ++at;
            continue;
        }
        std::size_t nameEnd = nameStart;
        while (nameEnd < text.size() && !EndsName(text[nameEnd]))
            ++nameEnd;
        std::string name(text.substr(nameStart, nameEnd - nameStart));
        std::transform(name.begin(), name.end(), name.begin(), Lower);
        const std::size_t tagEnd = TagEnd(text, nameEnd);
        if (endTag) {
            open.Close(name);
        } else {
            ++capped.startTags;
            if (OneOf(kRawText, name)) {
                at = RawTextEnd(text, tagEnd, name);
                continue;
            }
            if (!OneOf(kVoid, name) && !OneOf(kSelfClosing, name)) {
                if (open.Depth() < kMaxHtmlDepth) {
                    open.Push(name);
                } else {
                    kept.append(text.substr(keptTo, at - keptTo));
                    keptTo = tagEnd;
                }
            }
        }
        at = tagEnd;
    }
    if (keptTo == 0) {
        capped.page = std::move(page);
    } else {
        kept.append(text.substr(keptTo));
        capped.page = std::move(kept);
    }
    return capped;
}

}  // namespace tremolux
