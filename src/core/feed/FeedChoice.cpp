#include "core/feed/FeedChoice.h"

#include <cctype>

namespace tremolux {

namespace {

std::vector<FeedPreset> MakePresets()
{
    const char* const base = "https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/";
    const std::pair<const char*, const char*> periods[] = {
        {"hour", "Past hour"}, {"day", "Past day"}, {"week", "Past week"}, {"month", "Past month"}};
    const std::pair<const char*, const char*> sizes[] = {{"all", "all quakes"},
                                                         {"1.0", "M1.0+"},
                                                         {"2.5", "M2.5+"},
                                                         {"4.5", "M4.5+"},
                                                         {"significant", "significant"}};
    std::vector<FeedPreset> presets;
    for (const auto& [period, periodLabel] : periods) {
        for (const auto& [size, sizeLabel] : sizes) {
            presets.push_back({std::string(periodLabel) + ", " + sizeLabel + " (USGS GeoJSON)",
                               std::string(base) + size + "_" + period + ".geojson"});
        }
    }
    presets.push_back({"Classic worldwide list page (USGS HTML)",
                       "https://earthquake.usgs.gov/earthquakes/recenteqsww/Quakes/quakes_all.html"});
    return presets;
}

std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

// The host of an http or https address, lower case; empty for anything else.
std::string HostOf(std::string_view address)
{
    const std::size_t colon = address.find("://");
    if (colon == std::string_view::npos)
        return {};
    const std::string scheme = Lowered(address.substr(0, colon));
    if (scheme != "http" && scheme != "https")
        return {};
    const std::string_view rest = address.substr(colon + 3);
    return Lowered(rest.substr(0, rest.find_first_of("/?#:")));
}

bool EndsWithDomain(std::string_view host, std::string_view domain)
{
    return host == domain || (host.ends_with(domain) && host[host.size() - domain.size() - 1] == '.');
}

}  // namespace

std::string SourceName(std::string_view address)
{
    const std::string host = HostOf(address);
    if (host.empty()) {
        const std::size_t slash = address.find_last_of("/\\");
        return std::string(slash == std::string_view::npos ? address : address.substr(slash + 1));
    }
    const std::pair<const char*, const char*> agencies[] = {{"usgs.gov", "USGS"},
                                                            {"seismicportal.eu", "EMSC"},
                                                            {"emsc-csem.org", "EMSC"},
                                                            {"geonet.org.nz", "GeoNet"},
                                                            {"ingv.it", "INGV"}};
    for (const auto& [domain, name] : agencies)
        if (EndsWithDomain(host, domain))
            return name;
    return host;
}

std::chrono::minutes MinimumReloadPeriod(std::string_view address)
{
    const bool fdsnQuery = !HostOf(address).empty() && address.find("/fdsnws/event/") != std::string_view::npos;
    return std::chrono::minutes(fdsnQuery ? 5 : 0);
}

const std::vector<FeedPreset>& FeedPresets()
{
    static const std::vector<FeedPreset> presets = MakePresets();
    return presets;
}

std::optional<std::string> FeedAddressProblem(std::string_view address)
{
    if (address.empty())
        return "Enter the address of a feed, or choose a file.";
    for (const char c : address) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return "The address must not hold control characters or line breaks.";
    }
    const std::size_t colon = address.find("://");
    if (colon == std::string_view::npos)
        return std::nullopt;  // a local path, read relative to the current directory
    const std::string scheme = Lowered(address.substr(0, colon));
    const std::string_view rest = address.substr(colon + 3);
    if (scheme == "file")
        return rest.empty() || rest.front() != '/'
                   ? std::optional<std::string>("A file address must name an absolute path, "
                                                "as in file:///home/me/quakes.geojson.")
                   : std::nullopt;
    if (scheme != "http" && scheme != "https")
        return "Only http, https and file addresses can be read, not " + scheme + ":.";
    const std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
    if (host.empty() || host.find(' ') != std::string_view::npos)
        return "The address has no server name after " + scheme + "://.";
    return std::nullopt;
}

}  // namespace tremolux
