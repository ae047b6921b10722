#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cities/CityEntry.h"
#include "feed/OleDate.h"

namespace tremolux {

class Clock;
class QuakeList;

// Exit statuses of tremolux-cli.
constexpr int kExitSuccess = 0;
constexpr int kExitFeedFailed = 1;
constexpr int kExitUsage = 2;

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

    std::string feed;  // the default address unless --feed
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
};

// Reads the arguments after the program name. Nothing is printed and nothing
// exits: on a usage error the result is empty and error names the argument.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& arguments,
                                          std::string& error);

std::string UsageText();

// Prints the message and the usage on standard error; returns kExitUsage.
int UsageError(const std::string& message);

// --now when given, else the system clock.
std::unique_ptr<Clock> MakeClock(const CliOptions& options);

// Reads the feed source into the list. On failure prints the reason (the
// "Error: no ..." text of the walk, or why the source could not be read) on
// standard error and returns false.
bool LoadQuakes(const CliOptions& options, QuakeList& quakes);

// The reference city of --at or --city [--cities]. On failure error says why.
std::optional<CityEntry> ReferenceCity(const CliOptions& options, std::string& error);

// Shortest text that reads back as the same double.
std::string FormatNumber(double value);

}  // namespace tremolux
