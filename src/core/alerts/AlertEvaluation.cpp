#include "core/alerts/AlertEvaluation.h"

#include <cmath>
#include <set>
#include <tuple>

#include "core/alerts/IntensityPrediction.h"
#include "core/alerts/Sequences.h"
#include "core/events/EventIdentity.h"
#include "core/list/QuakeText.h"

namespace tremolux {

namespace {

constexpr double kUpwardRevision = 0.5;

// Where a rule matched an event: the city it measured from, if any.
struct Match {
    const AlertPlace* city = nullptr;
    double km = 0.0;
    double intensity = 0.0;
};

bool MatchesAt(const AlertRule& rule, const QuakeRecord& event, const AlertPlace& city,
               Match& match)
{
    const double km = PlaceFrom(city.position, event).distance / 1000.0;
    if (rule.withinKm && !(km <= *rule.withinKm))
        return false;
    const double intensity = EstimatedIntensity(event.magnitude, HypocentralKm(km, event.depth));
    if (rule.feltIntensity && !(intensity >= *rule.feltIntensity))
        return false;
    match = {&city, km, intensity};
    return true;
}

// Whether the event matches the rule's where and what; for a rule about any
// window's city the nearest matching city counts.
std::optional<Match> Matches(const AlertRule& rule, const AlertPlace& ruleCity,
                             const QuakeRecord& event, const AlertContext& context)
{
    if (rule.minMagnitude && !(event.magnitude >= *rule.minMagnitude))
        return std::nullopt;
    switch (rule.place) {
    case AlertRule::Place::Anywhere:
        return Match();
    case AlertRule::Place::City: {
        Match match;
        if (MatchesAt(rule, event, ruleCity, match))
            return match;
        return std::nullopt;
    }
    case AlertRule::Place::AnyWindow: {
        std::optional<Match> nearest;
        for (const AlertPlace& city : context.windowCities) {
            Match match;
            if (MatchesAt(rule, event, city, match) && (!nearest || match.km < nearest->km))
                nearest = match;
        }
        return nearest;
    }
    }
    return std::nullopt;
}

bool Listens(const AlertRule& rule, ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::New:
        return rule.onNew || rule.NamesNoChange();
    case ChangeKind::Revised:
        return rule.onRevised || rule.NamesNoChange();
    case ChangeKind::Retracted:
        return rule.onRetracted;
    }
    return false;
}

// The rule's verdict on one change: for a retraction the event's last values,
// for a revision only upward.
std::optional<Match> Fires(const AlertRule& rule, const AlertPlace& ruleCity,
                           const EventChange& change, const AlertContext& context)
{
    const std::optional<Match> now = Matches(rule, ruleCity, change.event, context);
    if (!now || change.kind != ChangeKind::Revised || !change.before)
        return now;
    const bool matchedBefore = Matches(rule, ruleCity, *change.before, context).has_value();
    const bool roseEnough = change.event.magnitude - change.before->magnitude >= kUpwardRevision;
    if (!matchedBefore || roseEnough)
        return now;
    return std::nullopt;
}

}  // namespace

std::vector<AlertFiring> EvaluateAlerts(const AlertSettings& settings,
                                        const std::vector<EventChange>& changes,
                                        const AlertContext& context)
{
    const Mainshocks mainshocks(settings.quieterSequences ? context.known
                                                          : std::vector<QuakeRecord>());
    const bool quiet = settings.quiet.Covers(context.localMinute);
    std::set<std::tuple<size_t, ChangeKind, std::string>> fired;
    std::vector<AlertFiring> firings;
    for (const EventChange& change : changes) {
        if (change.kind != ChangeKind::Retracted && mainshocks.IsAftershock(change.event))
            continue;
        for (size_t index = 0; index < settings.rules.size(); ++index) {
            const AlertRule& rule = settings.rules[index];
            if (!rule.enabled || !Listens(rule, change.kind))
                continue;
            const AlertPlace ruleCity{rule.cityName, rule.city};
            const std::optional<Match> match = Fires(rule, ruleCity, change, context);
            if (!match || !fired.insert({index, change.kind, EventKey(change.event)}).second)
                continue;
            AlertFiring firing{index, rule.name, change.kind, change.event,
                               {},    {},        {},          rule.actions};
            if (match->city) {
                firing.km = match->km;
                firing.city = match->city->name;
                firing.intensity = match->intensity;
            }
            if (quiet && !(change.event.magnitude >= settings.quiet.minMagnitude))
                firing.actions.sound = firing.actions.nearTone = false;
            if (firing.actions.Any())
                firings.push_back(std::move(firing));
        }
    }
    return firings;
}

AlertSummary SummariseAlerts(const std::vector<AlertFiring>& firings)
{
    AlertSummary summary;
    std::set<std::string> events;
    for (const AlertFiring& firing : firings) {
        if (!firing.actions.notify)
            continue;
        events.insert(EventKey(firing.event));
        // Of the largest, a firing that measured from a city says the most.
        const AlertFiring* largest = summary.largest;
        if (!largest || firing.event.magnitude > largest->event.magnitude
            || (firing.event.magnitude == largest->event.magnitude && !largest->km && firing.km))
            summary.largest = &firing;
    }
    summary.events = static_cast<int>(events.size());
    if (!summary.largest)
        return summary;
    const AlertFiring& largest = *summary.largest;
    std::string quake = "M" + MagnitudeText(largest.event.magnitude) + " " + largest.event.region;
    if (largest.km && !largest.city.empty())
        quake += ", " + std::to_string(std::lround(*largest.km)) + " km from " + largest.city;
    if (summary.events == 1) {
        summary.title = largest.ruleName;
        summary.text = quake;
    } else {
        summary.title = std::to_string(summary.events) + " quakes match";
        summary.text = "largest " + quake;
    }
    if (largest.intensity && !largest.city.empty())
        summary.text += "\nEstimated intensity " + std::string(IntensityNumeral(*largest.intensity))
                        + " at " + largest.city + " (" + largest.ruleName + ")";
    return summary;
}

}  // namespace tremolux
