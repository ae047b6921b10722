#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tremolux {

struct OptionRule;

// One option as the command line gave it; the value is empty for a flag.
struct GivenOption {
    const OptionRule* rule;
    std::string value;
};

// The arguments sorted: options in the order given, the words (the command
// and its arguments), and whether help or the version was asked for.
struct ArgumentList {
    std::vector<GivenOption> options;
    std::vector<std::string> words;
    bool help = false;
    bool version = false;
};

// Sorts the arguments after the program name. The first fault in argument
// order ends the reading: an unknown option, an option without its value, a
// value given to a flag, an option given twice. Then the result is empty and
// error names the fault.
std::optional<ArgumentList> ReadArgumentList(const std::vector<std::string>& arguments,
                                             std::string& error);

}  // namespace tremolux
