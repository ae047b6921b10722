#include "core/alerts/AlertRule.h"

namespace tremolux {

bool QuietHours::Covers(int localMinute) const
{
    if (!enabled || fromMinute == toMinute)
        return false;
    if (fromMinute < toMinute)
        return localMinute >= fromMinute && localMinute < toMinute;
    return localMinute >= fromMinute || localMinute < toMinute;  // across midnight
}

AlertSettings DefaultAlertSettings(bool soundOn, double soundMinMagnitude, bool notificationsOn)
{
    AlertSettings settings;
    settings.newestTone.enabled = soundOn;
    settings.newestTone.minMagnitude = soundMinMagnitude;

    AlertRule big;
    big.name = "M 4.5 or more anywhere";
    big.minMagnitude = 4.5;

    AlertRule near;
    near.name = "M 2.5 or more within 300 km";
    near.place = AlertRule::Place::AnyWindow;
    near.withinKm = 300.0;
    near.minMagnitude = 2.5;

    AlertRule felt;
    felt.name = "Probably felt";
    felt.place = AlertRule::Place::AnyWindow;
    felt.feltIntensity = 3.0;

    for (AlertRule* rule : {&big, &near, &felt}) {
        rule->enabled = notificationsOn;
        rule->actions.notify = true;
        settings.rules.push_back(*rule);
    }
    return settings;
}

}  // namespace tremolux
