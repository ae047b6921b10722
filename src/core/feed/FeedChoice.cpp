#include "core/feed/FeedChoice.h"

#include <cctype>
#include <charconv>
#include <cstdio>

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
    presets.push_back(
        {"Classic worldwide list page (USGS HTML)",
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

std::string SchemeOf(std::string_view address)
{
    const std::size_t colon = address.find("://");
    return colon == std::string_view::npos ? std::string() : Lowered(address.substr(0, colon));
}

// The host of a web or websocket address, lower case; empty for anything else.
std::string HostOf(std::string_view address)
{
    const std::size_t colon = address.find("://");
    if (colon == std::string_view::npos)
        return {};
    const std::string scheme = Lowered(address.substr(0, colon));
    if (scheme != "http" && scheme != "https" && scheme != "ws" && scheme != "wss")
        return {};
    const std::string_view rest = address.substr(colon + 3);
    return Lowered(rest.substr(0, rest.find_first_of("/?#:")));
}

bool EndsWithDomain(std::string_view host, std::string_view domain)
{
    return host == domain
           || (host.ends_with(domain) && host[host.size() - domain.size() - 1] == '.');
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
    // A push service is told apart from its agency's polled feed.
    const char* const kind = IsPushAddress(address) ? " push" : "";
    for (const auto& [domain, name] : agencies)
        if (EndsWithDomain(host, domain))
            return name + std::string(kind);
    return host + kind;
}

bool IsPushAddress(std::string_view address)
{
    const std::string scheme = SchemeOf(address);
    return scheme == "ws" || scheme == "wss";
}

Result<> CheckOtherSource(std::string_view address)
{
    if (!IsPushAddress(address))
        return CheckFeedAddress(address);
    for (const char c : address) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return Failure{"The address must not hold control characters or line breaks."};
    }
    if (HostOf(address).empty())
        return Failure{"The address has no server name after " + SchemeOf(address) + "://."};
    return {};
}

std::chrono::minutes MinimumReloadPeriod(std::string_view address)
{
    const bool fdsnQuery =
        !HostOf(address).empty() && address.find("/fdsnws/event/") != std::string_view::npos;
    return std::chrono::minutes(fdsnQuery ? 5 : 0);
}

const std::vector<FeedPreset>& FeedPresets()
{
    static const std::vector<FeedPreset> presets = MakePresets();
    return presets;
}

const std::vector<FdsnAgency>& FdsnAgencies()
{
    static const std::vector<FdsnAgency> agencies = {
        {"EMSC", "https://www.seismicportal.eu/fdsnws/event/1/query"},
        {"GeoNet", "https://service.geonet.org.nz/fdsnws/event/1/query"},
        {"INGV", "https://webservices.ingv.it/fdsnws/event/1/query"},
    };
    return agencies;
}

std::string FdsnQueryAddress(const FdsnAgency& agency, OleDate now, double minMagnitude)
{
    CalendarTime start;
    OleDateToCalendar(OleDate{now.value - 7.0, now.valid}, start);
    char startText[32];
    std::snprintf(startText, sizeof startText, "%04d-%02d-%02dT%02d:%02d:%02d", start.year,
                  start.month, start.day, start.hour, start.minute, start.second);
    // Written the same under every locale.
    char magnitudeText[32];
    const auto written = std::to_chars(magnitudeText, magnitudeText + sizeof magnitudeText,
                                       minMagnitude, std::chars_format::fixed, 1);
    return agency.query + "?format=text&starttime=" + startText + "&minmagnitude="
           + std::string(magnitudeText, written.ptr) + "&orderby=time&limit=5000";
}

Result<> CheckFeedAddress(std::string_view address)
{
    if (address.empty())
        return Failure{"Enter the address of a feed, or choose a file."};
    for (const char c : address) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return Failure{"The address must not hold control characters or line breaks."};
    }
    const std::size_t colon = address.find("://");
    if (colon == std::string_view::npos)
        return {};  // a local path, read relative to the current directory
    const std::string scheme = Lowered(address.substr(0, colon));
    const std::string_view rest = address.substr(colon + 3);
    if (scheme == "file" && (rest.empty() || rest.front() != '/'))
        return Failure{"A file address must name an absolute path, "
                       "as in file:///home/me/quakes.geojson."};
    if (scheme == "file")
        return {};
    if (scheme == "ws" || scheme == "wss")
        return Failure{"A push service is read beside a feed: put its address under Also read."};
    if (scheme != "http" && scheme != "https")
        return Failure{"Only http, https and file addresses can be read, not " + scheme + ":."};
    const std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
    if (host.empty() || host.find(' ') != std::string_view::npos)
        return Failure{"The address has no server name after " + scheme + "://."};
    return {};
}

}  // namespace tremolux
