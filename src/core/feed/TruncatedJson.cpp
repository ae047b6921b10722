#include "core/feed/TruncatedJson.h"

namespace tremolux {

namespace {

// Cuts deeper than this would close a feature with members missing.
constexpr std::size_t kCutDepth = 2;

}  // namespace

std::string CloseTruncatedJson(std::string_view json)
{
    std::string open;       // the brackets open at the current point
    std::string openAtCut;  // ... and at the last safe cut
    std::size_t cut = 0;
    bool inString = false;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        switch (c) {
        case '"':
            inString = true;
            break;
        case '{':
        case '[':
            open += c;
            if (open.size() <= kCutDepth) {
                cut = i + 1;
                openAtCut = open;
            }
            break;
        case '}':
        case ']':
            if (open.empty())
                return {};
            open.pop_back();
            if (!open.empty() && open.size() <= kCutDepth) {
                cut = i + 1;
                openAtCut = open;
            }
            break;
        case ',':
            if (!open.empty() && open.size() <= kCutDepth) {
                cut = i;
                openAtCut = open;
            }
            break;
        default:
            break;
        }
    }
    if (openAtCut.empty())
        return {};
    std::string closed(json.substr(0, cut));
    for (auto bracket = openAtCut.rbegin(); bracket != openAtCut.rend(); ++bracket)
        closed += *bracket == '{' ? '}' : ']';
    return closed;
}

}  // namespace tremolux
