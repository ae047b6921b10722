#include "core/alerts/AlertRulesJson.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include <simdjson.h>

#include "core/alerts/AlertEvaluation.h"
#include "core/list/QuakeText.h"

namespace tremolux {

namespace {

namespace od = simdjson::ondemand;

constexpr double kMaxMagnitude = 10.0;
constexpr double kMaxRadiusKm = 20038.0;  // half the Earth's circumference
constexpr double kLeastFelt = 2.0;
constexpr double kMostFelt = 8.0;
constexpr int kMaxTimeoutSeconds = 3600;

// A fault in one field; the rule it belongs to is named where it is caught.
struct FieldError {
    std::string field;
    std::string message;
};

[[noreturn]] void Fail(std::string_view field, std::string message)
{
    throw FieldError{std::string(field), std::move(message)};
}

void Check(simdjson::error_code error, std::string_view field, const char* expected)
{
    if (error)
        Fail(field, std::string("must be ") + expected);
}

std::string ReadString(od::value value, std::string_view field)
{
    std::string_view text;
    Check(value.get_string().get(text), field, "a text");
    return std::string(text);
}

bool ReadBool(od::value value, std::string_view field)
{
    bool flag = false;
    Check(value.get_bool().get(flag), field, "true or false");
    return flag;
}

// Numbers are read from their own text so that one beyond a double (1e309)
// is a fault of its field, not of the whole text.
double ReadNumber(od::value value, std::string_view field, double least, double most,
                  bool leastIncluded, const char* range)
{
    od::json_type type;
    if (value.type().get(type) || type != od::json_type::number)
        Fail(field, std::string("must be a number ") + range);
    std::string_view token = value.raw_json_token();
    while (!token.empty()
           && (token.back() == ' ' || token.back() == '\n' || token.back() == '\t'
               || token.back() == '\r'))
        token.remove_suffix(1);
    double number = 0.0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), number);
    const bool inside = leastIncluded ? number >= least : number > least;
    if (error != std::errc() || end != token.data() + token.size() || !std::isfinite(number)
        || !inside || number > most)
        Fail(field, std::string("must be a number ") + range);
    return number;
}

std::vector<std::string> ReadStrings(od::value value, std::string_view field)
{
    od::array array;
    Check(value.get_array().get(array), field, "a list of texts");
    std::vector<std::string> texts;
    for (auto element : array) {
        od::value item;
        Check(element.get(item), field, "a list of texts");
        texts.push_back(ReadString(item, field));
    }
    return texts;
}

// "22:00" as minutes after midnight.
int ReadClockTime(od::value value, std::string_view field)
{
    const std::string text = ReadString(value, field);
    int hour = -1;
    int minute = -1;
    char rest = 0;
    if (text.size() != 5 || std::sscanf(text.c_str(), "%2d:%2d%c", &hour, &minute, &rest) != 2
        || hour < 0 || hour > 23 || minute < 0 || minute > 59)
        Fail(field, "must be a time of day as HH:MM");
    return hour * 60 + minute;
}

void ReadChanges(od::value value, AlertRule& rule)
{
    for (const std::string& change : ReadStrings(value, "changes")) {
        if (change == "new")
            rule.onNew = true;
        else if (change == "revised")
            rule.onRevised = true;
        else if (change == "retracted")
            rule.onRetracted = true;
        else
            Fail("changes", "names \"" + change + "\"; known are new, revised and retracted");
    }
}

// Which actions are listed; their details (command, log_file) come as keys
// of their own and are checked when the whole rule is read.
struct ListedActions {
    bool command = false;
    bool log = false;
};

ListedActions ReadActions(od::value value, AlertActions& actions)
{
    ListedActions listed;
    for (const std::string& action : ReadStrings(value, "actions")) {
        if (action == "sound")
            actions.sound = true;
        else if (action == "sound_near")
            actions.sound = actions.nearTone = true;
        else if (action == "notify")
            actions.notify = true;
        else if (action == "front")
            actions.front = true;
        else if (action == "command")
            listed.command = true;
        else if (action == "log")
            listed.log = true;
        else
            Fail("actions",
                 "names \"" + action
                     + "\"; known are sound, sound_near, notify, front, command and log");
    }
    return listed;
}

void ReadQuiet(od::value value, QuietHours& quiet)
{
    od::object object;
    Check(value.get_object().get(object), "quiet", "an object");
    quiet.enabled = true;
    for (auto field : object) {
        std::string_view key;
        Check(field.unescaped_key().get(key), "quiet", "an object");
        od::value member = field.value();
        if (key == "enabled")
            quiet.enabled = ReadBool(member, "quiet.enabled");
        else if (key == "from")
            quiet.fromMinute = ReadClockTime(member, "quiet.from");
        else if (key == "to")
            quiet.toMinute = ReadClockTime(member, "quiet.to");
        else if (key == "min_magnitude")
            quiet.minMagnitude =
                ReadNumber(member, "quiet.min_magnitude", 0.0, kMaxMagnitude, true, "from 0 to 10");
        else
            Fail("quiet." + std::string(key), "is not a known key");
    }
}

void ReadNewestTone(od::value value, NewestTone& tone)
{
    od::object object;
    Check(value.get_object().get(object), "newest_tone", "an object");
    for (auto field : object) {
        std::string_view key;
        Check(field.unescaped_key().get(key), "newest_tone", "an object");
        od::value member = field.value();
        if (key == "enabled")
            tone.enabled = ReadBool(member, "newest_tone.enabled");
        else if (key == "min_magnitude")
            tone.minMagnitude = ReadNumber(member, "newest_tone.min_magnitude", 0.0, kMaxMagnitude,
                                           true, "from 0 to 10");
        else
            Fail("newest_tone." + std::string(key), "is not a known key");
    }
}

// One rule's keys; cross-field checks follow once every key is known.
void ReadRuleField(std::string_view key, od::value value, AlertRule& rule, bool& windows,
                   ListedActions& listed)
{
    if (key == "name")
        rule.name = ReadString(value, key);
    else if (key == "enabled")
        rule.enabled = ReadBool(value, key);
    else if (key == "city")
        rule.cityName = ReadString(value, key);
    else if (key == "windows")
        windows = ReadBool(value, key);
    else if (key == "within_km")
        rule.withinKm = ReadNumber(value, key, 0.0, kMaxRadiusKm, false, "above 0 and up to 20038");
    else if (key == "min_magnitude")
        rule.minMagnitude = ReadNumber(value, key, 0.0, kMaxMagnitude, true, "from 0 to 10");
    else if (key == "felt_mmi")
        rule.feltIntensity = ReadNumber(value, key, kLeastFelt, kMostFelt, true, "from 2 to 8");
    else if (key == "changes")
        ReadChanges(value, rule);
    else if (key == "actions")
        listed = ReadActions(value, rule.actions);
    else if (key == "command")
        rule.actions.command = ReadStrings(value, key);
    else if (key == "timeout_s")
        rule.actions.commandTimeoutSeconds = static_cast<int>(
            ReadNumber(value, key, 1.0, kMaxTimeoutSeconds, true, "of seconds from 1 to 3600"));
    else if (key == "log_file")
        rule.actions.logFile = ReadString(value, key);
    else
        Fail(key, "is not a known key");
}

void CheckRule(AlertRule& rule, bool windows, const ListedActions& listed,
               const RuleLookups& lookups)
{
    if (rule.name.empty())
        Fail("name", "is missing");
    if (windows && !rule.cityName.empty())
        Fail("windows", "cannot go with a city");
    if (windows)
        rule.place = AlertRule::Place::AnyWindow;
    else if (!rule.cityName.empty())
        rule.place = AlertRule::Place::City;
    if (rule.place == AlertRule::Place::Anywhere && rule.withinKm)
        Fail("within_km", "needs a city or windows");
    if (rule.place == AlertRule::Place::Anywhere && rule.feltIntensity)
        Fail("felt_mmi", "needs a city or windows");
    if (rule.place == AlertRule::Place::City) {
        const std::optional<CityPosition> city =
            lookups.findCity ? lookups.findCity(rule.cityName) : std::nullopt;
        if (!city)
            Fail("city", "\"" + rule.cityName + "\" is not in the city list");
        rule.city = *city;
    }
    if (listed.command != !rule.actions.command.empty())
        Fail("command", listed.command ? "is missing for the command action"
                                       : "is given but command is not among the actions");
    if (listed.command) {
        const std::string& program = rule.actions.command.front();
        if (program.empty() || !lookups.findProgram || !lookups.findProgram(program))
            Fail("command", "names the program \"" + program + "\", which is not found");
    }
    if (listed.log != !rule.actions.logFile.empty())
        Fail("log_file", listed.log ? "is missing for the log action"
                                    : "is given but log is not among the actions");
    if (!rule.actions.Any())
        Fail("actions", "names no action");
}

std::string RuleLabel(size_t index, const std::string& name)
{
    std::string label = "rule " + std::to_string(index + 1);
    if (!name.empty())
        label += " (" + name + ")";
    return label;
}

}  // namespace

Result<AlertSettings> ReadAlertSettings(std::string_view json, const RuleLookups& lookups)
{
    const simdjson::padded_string text(json);
    od::parser parser;
    od::document document;
    od::array array;
    if (parser.iterate(text).get(document) || document.get_array().get(array))
        return Failure{"The rules are not a JSON list of objects"};

    AlertSettings settings;
    size_t index = 0;
    AlertRule rule;
    try {
        for (auto element : array) {
            od::object object;
            if (element.get_object().get(object))
                return Failure{RuleLabel(index, {}) + ": is not a JSON object"};
            rule = AlertRule();
            bool windows = false;
            bool special = false;
            ListedActions listed;
            for (auto field : object) {
                std::string_view key;
                if (field.unescaped_key().get(key))
                    return Failure{RuleLabel(index, rule.name) + ": is not valid JSON"};
                od::value value = field.value();
                if (key == "quiet") {
                    ReadQuiet(value, settings.quiet);
                    special = true;
                } else if (key == "newest_tone") {
                    settings.newestTone.enabled = true;
                    ReadNewestTone(value, settings.newestTone);
                    special = true;
                } else if (key == "quieter_sequences") {
                    settings.quieterSequences = ReadBool(value, key);
                    special = true;
                } else {
                    ReadRuleField(key, value, rule, windows, listed);
                }
            }
            if (!special)
                CheckRule(rule, windows, listed, lookups);
            else if (!rule.name.empty() || rule.actions.Any())
                Fail("name",
                     "quiet, newest_tone and quieter_sequences stand in objects of their own");
            if (!special)
                settings.rules.push_back(std::move(rule));
            ++index;
        }
    } catch (const FieldError& error) {
        return Failure{RuleLabel(index, rule.name) + ": " + error.field + " " + error.message};
    } catch (const simdjson::simdjson_error&) {
        return Failure{RuleLabel(index, rule.name) + ": is not valid JSON"};
    }
    return settings;
}

namespace {

void AppendString(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendNumber(std::string& out, double number)
{
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    out.append(digits, result.ptr);
}

void AppendKey(std::string& out, const char* key)
{
    out += ", \"";
    out += key;
    out += "\": ";
}

std::string ClockTime(int minute)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", minute / 60 % 24, minute % 60);
    return text;
}

void AppendRule(std::string& out, const AlertRule& rule)
{
    out += "{\"name\": ";
    AppendString(out, rule.name);
    if (!rule.enabled)
        out += ", \"enabled\": false";
    if (rule.place == AlertRule::Place::City) {
        AppendKey(out, "city");
        AppendString(out, rule.cityName);
    } else if (rule.place == AlertRule::Place::AnyWindow) {
        out += ", \"windows\": true";
    }
    if (rule.withinKm) {
        AppendKey(out, "within_km");
        AppendNumber(out, *rule.withinKm);
    }
    if (rule.minMagnitude) {
        AppendKey(out, "min_magnitude");
        AppendNumber(out, *rule.minMagnitude);
    }
    if (rule.feltIntensity) {
        AppendKey(out, "felt_mmi");
        AppendNumber(out, *rule.feltIntensity);
    }
    std::vector<std::string> changes;
    if (rule.onNew)
        changes.push_back("new");
    if (rule.onRevised)
        changes.push_back("revised");
    if (rule.onRetracted)
        changes.push_back("retracted");
    const AlertActions& actions = rule.actions;
    std::vector<std::string> names;
    if (actions.sound)
        names.push_back(actions.nearTone ? "sound_near" : "sound");
    if (actions.notify)
        names.push_back("notify");
    if (actions.front)
        names.push_back("front");
    if (!actions.command.empty())
        names.push_back("command");
    if (!actions.logFile.empty())
        names.push_back("log");
    for (const auto& [key, list] : {std::pair{"changes", &changes}, std::pair{"actions", &names}}) {
        if (list->empty())
            continue;
        AppendKey(out, key);
        out += '[';
        for (size_t i = 0; i < list->size(); ++i) {
            if (i > 0)
                out += ", ";
            AppendString(out, (*list)[i]);
        }
        out += ']';
    }
    if (!actions.command.empty()) {
        AppendKey(out, "command");
        out += '[';
        for (size_t i = 0; i < actions.command.size(); ++i) {
            if (i > 0)
                out += ", ";
            AppendString(out, actions.command[i]);
        }
        out += ']';
        AppendKey(out, "timeout_s");
        AppendNumber(out, actions.commandTimeoutSeconds);
    }
    if (!actions.logFile.empty()) {
        AppendKey(out, "log_file");
        AppendString(out, actions.logFile);
    }
    out += '}';
}

}  // namespace

std::string WriteAlertSettings(const AlertSettings& settings)
{
    std::string out = "[\n  {\"newest_tone\": {\"enabled\": ";
    out += settings.newestTone.enabled ? "true" : "false";
    AppendKey(out, "min_magnitude");
    AppendNumber(out, settings.newestTone.minMagnitude);
    out += "}}";
    for (const AlertRule& rule : settings.rules) {
        out += ",\n  ";
        AppendRule(out, rule);
    }
    const QuietHours& quiet = settings.quiet;
    out += ",\n  {\"quiet\": {\"enabled\": ";
    out += quiet.enabled ? "true" : "false";
    AppendKey(out, "from");
    AppendString(out, ClockTime(quiet.fromMinute));
    AppendKey(out, "to");
    AppendString(out, ClockTime(quiet.toMinute));
    AppendKey(out, "min_magnitude");
    AppendNumber(out, quiet.minMagnitude);
    out += "}},\n  {\"quieter_sequences\": ";
    out += settings.quieterSequences ? "true" : "false";
    out += "}\n]\n";
    return out;
}

std::string FiringJsonLine(const AlertFiring& firing)
{
    const QuakeRecord& event = firing.event;
    std::string out = "{\"rule\": ";
    AppendString(out, firing.ruleName);
    AppendKey(out, "change");
    AppendString(out, ChangeKindName(firing.change));
    AppendKey(out, "id");
    AppendString(out, event.eventId);
    AppendKey(out, "time");
    AppendString(out, UtcText(event.time));
    AppendKey(out, "place");
    AppendString(out, event.region);
    AppendKey(out, "url");
    AppendString(out, event.eventPage);
    for (const auto& [key, value] :
         {std::pair{"magnitude", event.magnitude}, std::pair{"latitude", event.latitude},
          std::pair{"longitude", event.longitude}, std::pair{"depth", event.depth}}) {
        AppendKey(out, key);
        if (std::isfinite(value))
            AppendNumber(out, value);
        else
            out += "null";
    }
    if (firing.km) {
        AppendKey(out, "km");
        AppendNumber(out, std::round(*firing.km));
        AppendKey(out, "city");
        AppendString(out, firing.city);
        AppendKey(out, "mmi");
        AppendNumber(out, std::round(*firing.intensity * 10.0) / 10.0);
    }
    out += '}';
    return out;
}

}  // namespace tremolux
