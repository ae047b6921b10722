#include "cli/ArgumentReader.h"

#include <CLI/CLI.hpp>

#include "cli/ArgumentRules.h"
#include "cli/NumberText.h"

namespace tremolux {

namespace {

// Thrown out of the parse to end it at the first fault.
struct UsageFault {
    std::string message;
};

// A leading '-' starts an option unless the argument is a number (a southern
// latitude for distance, say).
bool LooksLikeOption(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-' && !ParseNumber(argument);
}

void AddOption(ArgumentList& list, const OptionRule& rule, std::string value)
{
    for (const GivenOption& earlier : list.options) {
        if (earlier.rule == &rule && !rule.repeatable)
            throw UsageFault{std::string(rule.name) + " given twice"};
    }
    list.options.push_back({&rule, std::move(value)});
}

// An argument CLI11 left: a word, a flag, help or an unknown option ("--"
// ends no options here). Options that take a value never come here. Flags and
// help are read here rather than by CLI11, which would take "--trace=" for
// "--trace" and "-hx" for "-h -x".
void SortLeftover(const std::string& argument, ArgumentList& list)
{
    if (argument == "--help" || argument == "-h") {
        list.help = true;
        return;
    }
    if (argument == "--version") {
        list.version = true;
        return;
    }
    if (!LooksLikeOption(argument)) {
        list.words.push_back(argument);
        return;
    }
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const OptionRule* rule = FindOption(name);
    if (!rule)
        throw UsageFault{"unknown option " + name};
    if (equals != std::string::npos)
        throw UsageFault{name + " takes no value"};
    AddOption(list, *rule, {});
}

// False when the last option is left without its value: CLI11 runs out of
// values only at the end of the arguments.
bool Parse(CLI::App& app, const std::vector<std::string>& arguments)
{
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
        return true;
    } catch (const CLI::ArgumentMismatch&) {
        return false;
    }
}

}  // namespace

std::optional<ArgumentList> ReadArgumentList(const std::vector<std::string>& arguments,
                                             std::string& error)
{
    // CLI11 rather than QCommandLineParser: it keeps "-12" a word (a southern
    // latitude) and hands back what it does not know, in order. It reads the
    // options that take a value; words, flags, help, unknown options and "--"
    // come back from remaining() and are sorted here, each before the option
    // after it, so the first fault in argument order is the one reported.
    CLI::App app;
    app.set_help_flag();
    app.allow_extras();
    ArgumentList list;
    std::size_t sorted = 0;
    const auto sortLeftovers = [&] {
        const std::vector<std::string> leftovers = app.remaining();
        for (; sorted < leftovers.size(); ++sorted)
            SortLeftover(leftovers[sorted], list);
    };
    for (const OptionRule& rule : OptionRules()) {
        if (!rule.takesValue)
            continue;
        app.add_option(rule.name,
                       [&, rule = &rule](const CLI::results_t& values) {
                           sortLeftovers();
                           AddOption(list, *rule, values.front());
                           return true;
                       })
            ->trigger_on_parse();
    }
    try {
        const bool complete = Parse(app, arguments);
        sortLeftovers();
        if (!complete) {
            const std::string& last = arguments.back();
            throw UsageFault{last.substr(0, last.find('=')) + " needs a value"};
        }
    } catch (const UsageFault& fault) {
        error = fault.message;
        return std::nullopt;
    }
    return list;
}

}  // namespace tremolux
