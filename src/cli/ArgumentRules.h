#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliOptions.h"

namespace tremolux {

// The commands as bits, so that an option can name every command it belongs to.
enum CommandBit : unsigned {
    kQuakes = 1,
    kIndex = 2,
    kMap = 4,
    kCities = 8,
    kDistance = 16,
    kWorld = 32,
    kUpdate = 64,
    kHistory = 128,
    kAlerts = 256,
};

// Puts an option's value into the options; false with error set when the
// text does not read.
using ApplyOption = std::function<bool(CliOptions&, const std::string& value, std::string& error)>;

struct OptionRule {
    const char* name;
    bool takesValue;
    unsigned commands;
    ApplyOption apply;
    bool repeatable = false;  // may be given more than once
};

std::span<const OptionRule> OptionRules();

// The rule of "--name", or none.
const OptionRule* FindOption(std::string_view name);

// The four numbers of distance, LAT1 LON1 LAT2 LON2; false with error naming
// the argument that is no number or out of range.
bool ReadDistanceArguments(const std::vector<std::string>& arguments, std::vector<double>& numbers,
                           std::string& error);

std::string Quoted(const std::string& text);

}  // namespace tremolux
