#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/common/OleDate.h"

namespace tremolux {

struct LatLon {
    double latitude = 0.0;
    double longitude = 0.0;
};

// The command line, read but not yet acted on.
struct CliOptions {
    std::string command;
    std::vector<std::string> positional;
    std::vector<double> numbers;  // distance: LAT1 LON1 LAT2 LON2
    bool help = false;
    bool version = false;

    std::string feed;                // the default address unless --feed, else the first --feed
    std::vector<std::string> feeds;  // every --feed, in order of preference
    std::optional<OleDate> now;

    std::optional<LatLon> at;
    std::optional<std::string> city;
    std::optional<std::string> cities;

    // map
    int width = 0;
    int height = 0;
    std::optional<double> hours;
    std::optional<double> nearestKm;
    std::optional<double> pieKm;
    bool noTexts = false;
    std::optional<std::string> out;
    bool trace = false;

    // update, history, alerts
    std::optional<std::string> db;
    std::optional<OleDate> since;
    std::optional<OleDate> until;
    std::string format = "tsv";

    // alerts
    std::optional<std::string> rules;
};

// Reads the arguments after the program name. Nothing is printed and nothing
// exits: on a usage error the result is empty and error names the argument.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& arguments,
                                          std::string& error);

}  // namespace tremolux
