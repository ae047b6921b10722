#include "cli/CliOptions.h"

#include <QCoreApplication>
#include <QString>
#include <QUrl>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

#include "cities/CityFile.h"
#include "feed/Clock.h"
#include "feed/FeedAddress.h"
#include "feed/FeedDocument.h"
#include "feed/FeedView.h"
#include "feed/OpenFeedDocument.h"
#include "feed/QuakeList.h"

namespace tremolux {

namespace {

enum Command : unsigned {
    kQuakes = 1,
    kIndex = 2,
    kMap = 4,
    kCities = 8,
    kDistance = 16,
};

struct CommandRule {
    const char* name;
    Command command;
    std::size_t minPositional;
    std::size_t maxPositional;
};

constexpr CommandRule kCommands[] = {
    {"quakes", kQuakes, 0, 0},   {"index", kIndex, 0, 0},       {"map", kMap, 0, 0},
    {"cities", kCities, 0, 1},   {"distance", kDistance, 4, 4},
};

std::optional<double> ParseNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()
        || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseInteger(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// A latitude in -90 ... 90 and a longitude in -180 ... 180; named after the
// argument they came from.
bool CheckRange(const std::string& name, double value, double limit, std::string& error)
{
    if (value >= -limit && value <= limit)
        return true;
    error = name + ": " + FormatNumber(value) + " outside -" + FormatNumber(limit) + " ... "
            + FormatNumber(limit);
    return false;
}

using Apply = std::function<bool(CliOptions&, const std::string& value, std::string& error)>;

struct OptionRule {
    const char* name;
    bool takesValue;
    unsigned commands;
    Apply apply;
};

bool ApplyNumber(std::optional<double>& field, const char* name, const std::string& value,
                 std::string& error)
{
    field = ParseNumber(value);
    if (!field)
        error = std::string(name) + ": expected a number, got " + Quoted(value);
    return field.has_value();
}

const std::vector<OptionRule>& Options()
{
    static const std::vector<OptionRule> options = {
        {"--feed", true, kQuakes | kIndex | kMap,
         [](CliOptions& o, const std::string& v, std::string&) {
             o.feed = v;
             return true;
         }},
        {"--now", true, kIndex | kMap,
         [](CliOptions& o, const std::string& v, std::string& error) {
             const std::optional<OleDate> now = ParseClockText(v);
             if (!now) {
                 error = "--now: expected \"YYYY-MM-DD HH:MM:SS\" (UTC), got " + Quoted(v);
                 return false;
             }
             o.now = *now;
             return true;
         }},
        {"--at", true, kIndex | kMap,
         [](CliOptions& o, const std::string& v, std::string& error) {
             const std::size_t comma = v.find(',');
             const auto lat = ParseNumber(std::string_view(v).substr(0, comma));
             const auto lon = comma == std::string::npos
                                  ? std::nullopt
                                  : ParseNumber(std::string_view(v).substr(comma + 1));
             if (!lat || !lon) {
                 error = "--at: expected LAT,LON in decimal degrees, got " + Quoted(v);
                 return false;
             }
             if (!CheckRange("--at latitude", *lat, 90.0, error)
                 || !CheckRange("--at longitude", *lon, 180.0, error))
                 return false;
             o.at = LatLon{*lat, *lon};
             return true;
         }},
        {"--city", true, kIndex | kMap,
         [](CliOptions& o, const std::string& v, std::string&) {
             o.city = v;
             return true;
         }},
        {"--cities", true, kIndex | kMap,
         [](CliOptions& o, const std::string& v, std::string&) {
             o.cities = v;
             return true;
         }},
        {"--size", true, kMap,
         [](CliOptions& o, const std::string& v, std::string& error) {
             const std::size_t x = v.find('x');
             const auto w = ParseInteger(std::string_view(v).substr(0, x));
             const auto h = x == std::string::npos
                                ? std::nullopt
                                : ParseInteger(std::string_view(v).substr(x + 1));
             constexpr int kLargest = 16384;
             if (!w || !h || *w < 1 || *h < 1 || *w > kLargest || *h > kLargest) {
                 error = "--size: expected WIDTHxHEIGHT in pixels (1 ... 16384), got " + Quoted(v);
                 return false;
             }
             o.width = *w;
             o.height = *h;
             return true;
         }},
        {"--hours", true, kMap,
         [](CliOptions& o, const std::string& v, std::string& error) {
             return ApplyNumber(o.hours, "--hours", v, error);
         }},
        {"--nearest", true, kMap,
         [](CliOptions& o, const std::string& v, std::string& error) {
             return ApplyNumber(o.nearestKm, "--nearest", v, error);
         }},
        {"--pie", true, kMap,
         [](CliOptions& o, const std::string& v, std::string& error) {
             return ApplyNumber(o.pieKm, "--pie", v, error);
         }},
        {"--no-texts", false, kMap,
         [](CliOptions& o, const std::string&, std::string&) {
             o.noTexts = true;
             return true;
         }},
        {"--out", true, kMap,
         [](CliOptions& o, const std::string& v, std::string&) {
             o.out = v;
             return true;
         }},
        {"--trace", false, kMap,
         [](CliOptions& o, const std::string&, std::string&) {
             o.trace = true;
             return true;
         }},
    };
    return options;
}

const OptionRule* FindOption(const std::string& name)
{
    for (const OptionRule& option : Options()) {
        if (name == option.name)
            return &option;
    }
    return nullptr;
}

// A leading '-' starts an option unless the argument is a number (a southern
// latitude for distance, say).
bool LooksLikeOption(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-' && !ParseNumber(argument);
}

// Which of --at, --city and --cities go together.
bool CheckReference(const CliOptions& o, Command command, std::string& error)
{
    if (o.at && o.city) {
        error = "--at and --city exclude each other";
        return false;
    }
    if (o.at && o.cities) {
        error = "--cities goes with --city, not with --at";
        return false;
    }
    const bool ranked = command == kIndex && o.cities && !o.city;
    if (!o.at && !o.city && !ranked) {
        error = command == kIndex ? "index needs --at LAT,LON, --city NAME or --cities FILE"
                                  : "map needs --at LAT,LON or --city NAME";
        return false;
    }
    return true;
}

}  // namespace

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& arguments,
                                          std::string& error)
{
    CliOptions options;
    options.feed = kDefaultFeedAddress;
    struct Given {
        const OptionRule* rule;
        std::string value;
    };
    std::vector<Given> given;
    std::vector<std::string> words;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            continue;
        }
        if (!LooksLikeOption(argument)) {
            words.push_back(argument);
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionRule* rule = FindOption(name);
        if (!rule) {
            error = "unknown option " + name;
            return std::nullopt;
        }
        std::string value;
        if (equals != std::string::npos) {
            if (!rule->takesValue) {
                error = name + " takes no value";
                return std::nullopt;
            }
            value = argument.substr(equals + 1);
        } else if (rule->takesValue) {
            if (i + 1 >= arguments.size()) {
                error = name + " needs a value";
                return std::nullopt;
            }
            value = arguments[++i];
        }
        for (const Given& earlier : given) {
            if (earlier.rule == rule) {
                error = name + " given twice";
                return std::nullopt;
            }
        }
        given.push_back({rule, value});
    }
    if (options.help)
        return options;

    if (words.empty()) {
        error = "missing command";
        return std::nullopt;
    }
    options.command = words.front();
    const CommandRule* command = nullptr;
    for (const CommandRule& rule : kCommands) {
        if (options.command == rule.name)
            command = &rule;
    }
    if (!command) {
        error = "unknown command " + Quoted(options.command);
        return std::nullopt;
    }
    options.positional.assign(words.begin() + 1, words.end());
    if (options.positional.size() > command->maxPositional) {
        error = "unexpected argument " + Quoted(options.positional[command->maxPositional]);
        return std::nullopt;
    }
    if (options.positional.size() < command->minPositional) {
        error = options.command + " needs " + std::to_string(command->minPositional)
                + " arguments, got " + std::to_string(options.positional.size());
        return std::nullopt;
    }

    for (const Given& option : given) {
        if (!(option.rule->commands & command->command)) {
            error = std::string(option.rule->name) + " is not an option of " + options.command;
            return std::nullopt;
        }
        if (!option.rule->apply(options, option.value, error))
            return std::nullopt;
    }

    if (command->command == kDistance) {
        static constexpr const char* kNames[] = {"LAT1", "LON1", "LAT2", "LON2"};
        for (std::size_t i = 0; i < options.positional.size(); ++i) {
            const std::optional<double> value = ParseNumber(options.positional[i]);
            if (!value) {
                error = std::string(kNames[i]) + ": expected a number, got "
                        + Quoted(options.positional[i]);
                return std::nullopt;
            }
            if (!CheckRange(kNames[i], *value, i % 2 == 0 ? 90.0 : 180.0, error))
                return std::nullopt;
            options.numbers.push_back(*value);
        }
    }
    if ((command->command == kIndex || command->command == kMap)
        && !CheckReference(options, command->command, error))
        return std::nullopt;
    if (command->command == kMap && options.out.has_value() == options.trace) {
        error = "map needs either --out FILE.png or --trace";
        return std::nullopt;
    }
    return options;
}

std::string UsageText()
{
    return "Usage:\n"
           "  tremolux-cli quakes [--feed SOURCE]\n"
           "  tremolux-cli index [--feed SOURCE] [--now TIME] (--at LAT,LON | --city NAME [--cities FILE])\n"
           "  tremolux-cli index [--feed SOURCE] [--now TIME] --cities FILE\n"
           "  tremolux-cli map [--feed SOURCE] [--now TIME] (--at LAT,LON | --city NAME [--cities FILE])\n"
           "               [--size WxH] [--hours H] [--nearest KM] [--pie KM] [--no-texts]\n"
           "               (--out FILE.png | --trace)\n"
           "  tremolux-cli cities [FILE]\n"
           "  tremolux-cli distance LAT1 LON1 LAT2 LON2\n"
           "\n"
           "SOURCE is a file path or a file, http or https URL (default: the USGS\n"
           "feed of the past week). TIME is \"YYYY-MM-DD HH:MM:SS\" in UTC and replaces\n"
           "the clock. Angles are decimal degrees, north and east positive.\n"
           "\n"
           "Exit status: 0 success, 1 the feed could not be read, 2 wrong usage.\n";
}

int UsageError(const std::string& message)
{
    std::cerr << "tremolux-cli: " << message << "\n\n" << UsageText();
    return kExitUsage;
}

std::unique_ptr<Clock> MakeClock(const CliOptions& options)
{
    if (options.now)
        return std::make_unique<FixedClock>(*options.now);
    return std::make_unique<SystemUtcClock>();
}

namespace {

// The loaded document, complete from the start.
class LoadedFeed final : public FeedBrowser {
public:
    explicit LoadedFeed(std::unique_ptr<FeedDocument> document) : m_document(std::move(document)) {}
    void Navigate2(const std::string&) override {}
    int GetReadyState() const override { return kReadyStateComplete; }
    void Refresh() override {}
    const FeedDocument* GetHtmlDocument() const override { return m_document.get(); }

private:
    std::unique_ptr<FeedDocument> m_document;
};

// The one place where a feed source becomes bytes: a file path or a file URL.
bool ReadFeedSource(const std::string& source, std::string& bytes, std::string& error)
{
    const QUrl url(QString::fromStdString(source));
    const QString scheme = url.scheme();
    if (scheme == "http" || scheme == "https") {
        // The loader runs an event loop, which wants an application object.
        std::unique_ptr<QCoreApplication> application;
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "tremolux-cli";
            static char* argv[] = {name, nullptr};
            application = std::make_unique<QCoreApplication>(argc, argv);
        }
        FetchResult result = FetchFeed(source);
        if (!result.ok) {
            error = "cannot read " + source + ": " + result.error;
            return false;
        }
        bytes = std::move(result.bytes);
        return true;
    }
    const std::string path = scheme == "file" ? url.toLocalFile().toStdString() : source;
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error = "cannot read " + path + ": it is a directory";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        error = "cannot read " + path + ": read error";
        return false;
    }
    return true;
}

}  // namespace

bool LoadQuakes(const CliOptions& options, QuakeList& quakes)
{
    std::string bytes;
    std::string error;
    if (!ReadFeedSource(options.feed, bytes, error)) {
        std::cerr << "tremolux-cli: " << error << '\n';
        return false;
    }
    const LoadedFeed feed(OpenFeedDocument(std::move(bytes)));
    return quakes.ParsePage(feed, [](const std::string& message) { std::cerr << message << '\n'; });
}

std::optional<CityEntry> ReferenceCity(const CliOptions& options, std::string& error)
{
    if (options.at) {
        CityEntry entry;
        entry.name = FormatNumber(options.at->latitude) + "," + FormatNumber(options.at->longitude);
        entry.position.latDecimal = options.at->latitude;
        entry.position.lonDecimal = options.at->longitude;
        return entry;
    }
    const std::string path = options.cities.value_or(CityFilePath());
    const CityFileResult file = ReadCityFile(path);
    if (!file.opened) {
        error = "cannot open the city list " + path;
        return std::nullopt;
    }
    for (const CityEntry& entry : file.entries) {
        if (entry.name == *options.city)
            return entry;
    }
    error = "--city: no city named " + Quoted(*options.city) + " in " + path;
    return std::nullopt;
}

std::string FormatNumber(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace tremolux
