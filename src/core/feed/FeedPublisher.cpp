#include "core/feed/FeedPublisher.h"

#include <algorithm>
#include <cctype>

namespace tremolux {

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The host name of an http or https URL in lower case; empty for anything else.
std::string HostOf(std::string_view address)
{
    const std::size_t schemeEnd = address.find("://");
    if (schemeEnd == std::string_view::npos)
        return {};
    const std::string scheme = Lower(address.substr(0, schemeEnd));
    if (scheme != "http" && scheme != "https")
        return {};
    std::string_view authority = address.substr(schemeEnd + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    std::string_view host = authority.substr(0, authority.find(':'));
    if (!host.empty() && host.back() == '.')
        host.remove_suffix(1);
    return Lower(host);
}

bool IsUsgsHost(const std::string& host)
{
    const std::string domain = "usgs.gov";
    return host == domain || (host.size() > domain.size() && host.ends_with("." + domain));
}

}  // namespace

std::string FeedPublisher(std::string_view address)
{
    if (IsUsgsHost(HostOf(address)))
        return "U.S. Geological Survey";
    return std::string(address);
}

}  // namespace tremolux
