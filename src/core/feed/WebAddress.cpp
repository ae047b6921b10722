#include "core/feed/WebAddress.h"

#include <algorithm>

namespace tremolux {

namespace {

// Longer than any event page; a longer "address" is not one.
constexpr std::size_t kMaxAddressLength = 2048;

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size()
           && std::equal(prefix.begin(), prefix.end(), text.begin(),
                         [](char lower, char c) { return (c | 0x20) == lower; });
}

bool IsHostStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '['
           || static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

std::string WebAddress(std::string_view text)
{
    if (text.size() > kMaxAddressLength)
        return {};
    std::string_view rest;
    for (std::string_view scheme : {"http://", "https://"}) {
        if (StartsWithNoCase(text, scheme))
            rest = text.substr(scheme.size());
    }
    if (rest.empty() || !IsHostStart(rest.front()))
        return {};
    const bool clean = std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7f || c == '\\' || c == '"' || c == '<' || c == '>';
    });
    return clean ? std::string(text) : std::string();
}

}  // namespace tremolux
