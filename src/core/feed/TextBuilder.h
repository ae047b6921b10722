#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tremolux {

// No cell of a feed comes near this many bytes of text; a cell's text ends
// there, so that nesting cells in cells cannot cost the square of the page.
constexpr std::size_t kInnerTextLimit = 4096;

// Collects text the way a line box does: pending white space becomes one space
// only between two pieces of text on the same line, and required line breaks
// count only between two pieces of text. It takes kInnerTextLimit bytes at
// most and is full after that.
class TextBuilder {
public:
    bool Full() const { return m_full; }

    void Text(std::string_view text);
    void Preformatted(std::string_view text);
    void RequireBreaks(int count);
    // A forced character such as the "\n" of <br>: never collapsed, and it
    // swallows the white space around it.
    void Literal(char c);

    std::string Finish() { return std::move(m_out); }

private:
    void FlushBreaks();
    void Flush();
    // Text beyond the limit is dropped from the last whole character on.
    void Append(std::string_view text);

    std::string m_out;
    bool m_pendingSpace = false;
    int m_pendingBreaks = 0;
    bool m_full = false;
};

}  // namespace tremolux
