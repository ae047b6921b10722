#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/alerts/AlertEvaluation.h"

namespace tremolux {

// What the alerts add to a quake's details in every map window: the
// estimated intensity at the window's city and the rules that fired for it.
// The frame records each load's firings; the windows read them.
class AlertNotes {
public:
    static constexpr std::size_t kMaxEvents = 10000;

    static AlertNotes& Shared();

    void Record(const std::vector<AlertFiring>& firings);
    // "\nEstimated intensity III at Tokyo\nAlert: near Tokyo", empty for a
    // window without a city and a quake no rule fired for.
    std::string For(const QuakeRecord& quake, const std::string& cityName,
                    const CityPosition& city) const;

private:
    std::map<std::string, std::string> m_rules;  // rule names by event key
};

}  // namespace tremolux
