#pragma once

#include "core/alerts/AlertRule.h"

namespace tremolux {

// The alert settings kept with the user's settings. Before any were kept, the
// defaults of a first start, carrying over the earlier Sound, Sound from
// Magnitude and Notifications choices; stored rules that no longer read (a
// city gone from the city file) fall back to those defaults too.
AlertSettings LoadAlertSettings();
void SaveAlertSettings(const AlertSettings& settings);

}  // namespace tremolux
