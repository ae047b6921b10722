#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/geo/CityPosition.h"

namespace tremolux {

// What a rule does when it fires.
struct AlertActions {
    bool sound = false;
    bool nearTone = false;  // the higher pitch set of quakes close by
    bool notify = false;
    bool front = false;                // bring the window to the front and select the quake
    std::vector<std::string> command;  // program and arguments, with placeholders
    int commandTimeoutSeconds = 30;
    std::string logFile;  // a JSON line per firing, appended

    bool Any() const { return sound || notify || front || !command.empty() || !logFile.empty(); }
};

// Where, what and which changes make a rule fire, and what it then does.
struct AlertRule {
    enum class Place { Anywhere, City, AnyWindow };

    std::string name;
    bool enabled = true;
    Place place = Place::Anywhere;
    std::string cityName;            // Place::City
    CityPosition city;               // Place::City, looked up when read
    std::optional<double> withinKm;  // none: any distance from the city
    std::optional<double> minMagnitude;
    std::optional<double> feltIntensity;  // least estimated MMI at the city
    bool onNew = false;
    bool onRevised = false;
    bool onRetracted = false;
    AlertActions actions;

    // A rule that names no change fires on new and revised upward.
    bool NamesNoChange() const { return !onNew && !onRevised && !onRetracted; }
};

// A nightly window of local time in which only larger quakes sound.
struct QuietHours {
    bool enabled = false;
    int fromMinute = 22 * 60;  // minutes after local midnight
    int toMinute = 7 * 60;
    double minMagnitude = 5.0;

    bool Covers(int localMinute) const;
};

// The main cycle's own tone for a new newest quake, kept as a fixed entry.
struct NewestTone {
    static constexpr char kName[] = "New newest quake (tone)";
    bool enabled = true;
    double minMagnitude = 0.0;
};

// Everything the user sets about alerts.
struct AlertSettings {
    NewestTone newestTone;
    std::vector<AlertRule> rules;
    QuietHours quiet;
    bool quieterSequences = true;
};

// The rules of a first start: the stored sound and notification choices of
// earlier versions become the tone entry and the three notification rules.
AlertSettings DefaultAlertSettings(bool soundOn, double soundMinMagnitude, bool notificationsOn);

}  // namespace tremolux
