#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/alerts/AlertRule.h"
#include "core/events/EventChange.h"

namespace tremolux {

// A city a rule measures from: a named one, or an open map window's.
struct AlertPlace {
    std::string name;
    CityPosition position;
};

// What a load's changes are weighed against besides the rules.
struct AlertContext {
    std::vector<AlertPlace> windowCities;
    int localMinute = 12 * 60;       // local time of day, for quiet hours
    // The quakes known, to find sequences; those too small to start one may
    // be left out.
    std::vector<QuakeRecord> known;
};

// One rule fired by one change of one event.
struct AlertFiring {
    size_t rule = 0;  // index into AlertSettings::rules
    std::string ruleName;
    ChangeKind change = ChangeKind::New;
    QuakeRecord event;
    std::optional<double> km;  // to the rule's city, none for "anywhere"
    std::string city;
    std::optional<double> intensity;  // estimated MMI at the city
    AlertActions actions;             // quiet hours may have taken the tone away
};

// Every firing of a load's changes, in the order of the changes, rule by rule.
// Each rule fires at most once per event and kind of change; a revision fires
// only upward (the event newly matches, or its magnitude rose by 0.5 or
// more); a retraction only for an event whose last values matched; quiet
// hours silence the tone under their magnitude; aftershocks of a sequence
// stay quiet when the settings ask for it.
std::vector<AlertFiring> EvaluateAlerts(const AlertSettings& settings,
                                        const std::vector<EventChange>& changes,
                                        const AlertContext& context);

// What one notification says for all the firings of a load: the largest
// event's and the count of events. Empty for no firing.
struct AlertSummary {
    std::string title;
    std::string text;
    const AlertFiring* largest = nullptr;
    int events = 0;
};

AlertSummary SummariseAlerts(const std::vector<AlertFiring>& firings);

}  // namespace tremolux
