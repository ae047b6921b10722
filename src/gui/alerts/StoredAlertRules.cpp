#include "gui/alerts/StoredAlertRules.h"

#include "core/alerts/AlertRulesJson.h"
#include "core/cities/CityFile.h"
#include "gui/common/Settings.h"

namespace tremolux {

AlertSettings LoadAlertSettings(std::string& error)
{
    error.clear();
    const AppSettings stored;
    const QString json = stored.value(settings::kAlertRules).toString();
    if (!json.isEmpty()) {
        Result<AlertSettings> reading =
            ReadAlertSettings(json.toStdString(), FileRuleLookups(CityFilePath()));
        if (reading)
            return std::move(*reading);
        error = reading.error();
    }
    return DefaultAlertSettings(
        stored.value(settings::kSoundOn, settings::kDefaultSoundOn).toBool(),
        stored.value(settings::kSoundMinMagnitude, settings::kDefaultSoundMinMagnitude).toDouble(),
        stored.value(settings::kNotificationsOn, settings::kDefaultNotificationsOn).toBool());
}

void SaveAlertSettings(const AlertSettings& settings)
{
    AppSettings().setValue(settings::kAlertRules,
                           QString::fromStdString(WriteAlertSettings(settings)));
}

}  // namespace tremolux
