#include "cli/CliOptions.h"

#include "cli/ArgumentReader.h"
#include "cli/ArgumentRules.h"
#include "core/feed/FeedAddress.h"

namespace tremolux {

namespace {

struct CommandRule {
    const char* name;
    CommandBit command;
    std::size_t minPositional;
    std::size_t maxPositional;
};

constexpr CommandRule kCommands[] = {
    {"quakes", kQuakes, 0, 0}, {"index", kIndex, 0, 0},       {"map", kMap, 0, 0},
    {"cities", kCities, 0, 1}, {"distance", kDistance, 4, 4}, {"world", kWorld, 0, 0},
    {"update", kUpdate, 0, 0}, {"history", kHistory, 0, 0},   {"alerts", kAlerts, 0, 0},
};

const CommandRule* FindCommand(const std::string& name)
{
    for (const CommandRule& rule : kCommands) {
        if (name == rule.name)
            return &rule;
    }
    return nullptr;
}

// The command and the number of its arguments.
const CommandRule* CheckCommand(const std::vector<std::string>& words, std::string& error)
{
    if (words.empty()) {
        error = "missing command";
        return nullptr;
    }
    const CommandRule* command = FindCommand(words.front());
    if (!command) {
        error = "unknown command " + Quoted(words.front());
        return nullptr;
    }
    const std::size_t count = words.size() - 1;
    if (count > command->maxPositional) {
        error = "unexpected argument " + Quoted(words[1 + command->maxPositional]);
        return nullptr;
    }
    if (count < command->minPositional) {
        error = words.front() + " needs " + std::to_string(command->minPositional)
                + " arguments, got " + std::to_string(count);
        return nullptr;
    }
    return command;
}

// Which of --at, --city and --cities go together.
bool CheckReference(const CliOptions& o, CommandBit command, std::string& error)
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
        error = command == kIndex   ? "index needs --at LAT,LON, --city NAME or --cities FILE"
                : command == kWorld ? "world needs --at LAT,LON or --city NAME"
                                    : "map needs --at LAT,LON or --city NAME";
        return false;
    }
    return true;
}

}  // namespace

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& arguments,
                                          std::string& error)
{
    const std::optional<ArgumentList> list = ReadArgumentList(arguments, error);
    if (!list)
        return std::nullopt;
    CliOptions options;
    options.feed = kDefaultFeedAddress;
    options.help = list->help;
    options.version = list->version;
    if (options.help || options.version)
        return options;

    const CommandRule* command = CheckCommand(list->words, error);
    if (!command)
        return std::nullopt;
    options.command = command->name;
    options.positional.assign(list->words.begin() + 1, list->words.end());

    for (const GivenOption& option : list->options) {
        if (!(option.rule->commands & command->command)) {
            error = std::string(option.rule->name) + " is not an option of " + options.command;
            return std::nullopt;
        }
        if (!option.rule->apply(options, option.value, error))
            return std::nullopt;
    }
    if (!options.feeds.empty())
        options.feed = options.feeds.front();
    // Only the quake list and the store's loads merge several sources.
    if (options.feeds.size() > 1 && !(command->command & (kQuakes | kUpdate | kAlerts))) {
        error = "--feed given twice";
        return std::nullopt;
    }

    if (command->command == kDistance
        && !ReadDistanceArguments(options.positional, options.numbers, error))
        return std::nullopt;
    const bool picture = command->command == kMap || command->command == kWorld;
    if ((command->command == kIndex || picture)
        && !CheckReference(options, command->command, error))
        return std::nullopt;
    if ((command->command & (kUpdate | kHistory | kAlerts)) && !options.db) {
        error = options.command + " needs --db FILE";
        return std::nullopt;
    }
    if (command->command == kAlerts && !options.rules) {
        error = "alerts needs --rules FILE";
        return std::nullopt;
    }
    if (picture && options.out.has_value() == options.trace) {
        error = options.command + " needs either --out FILE.png or --trace";
        return std::nullopt;
    }
    return options;
}

}  // namespace tremolux
