#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/alerts/AlertRule.h"
#include "core/common/Result.h"

namespace tremolux {

// The largest rules file read: far more than any list of rules a person keeps.
inline constexpr std::size_t kMaxRulesFileBytes = 1024 * 1024;

// What reading rules needs to know of the world outside the text.
struct RuleLookups {
    std::function<std::optional<CityPosition>(const std::string& name)> findCity;
    std::function<bool(const std::string& program)> findProgram;
};

// The rules of a JSON text, or the first fault in it: "rule 2 (near Tokyo):
// within_km must be a finite number above 0". All or nothing: a text with a
// fault gives no settings at all.
Result<AlertSettings> ReadAlertSettings(std::string_view json, const RuleLookups& lookups);

// The settings as the JSON text that ReadAlertSettings reads back: an array
// of one object per rule, the tone entry, quiet hours and sequences.
std::string WriteAlertSettings(const AlertSettings& settings);

// One firing as a line of JSON (no line break): rule, change, the event's id,
// magnitude, time, place and position, and the km, city and estimated
// intensity of the rule's city when it has one.
struct AlertFiring;
std::string FiringJsonLine(const AlertFiring& firing);

}  // namespace tremolux

namespace tremolux {

// Cities from the city file at cityFile (read once, first of a name wins) and
// programs as the system starts them: a path that names an executable file,
// or a bare name found on PATH.
RuleLookups FileRuleLookups(const std::string& cityFile);

}  // namespace tremolux
