#pragma once

#include <string>
#include <vector>

#include <QSettings>
#include <QStringList>

#include "core/common/OleDate.h"
#include "core/feed/CatchUp.h"

namespace tremolux {

namespace settings {

inline constexpr char kOrganization[] = "Brevanto";
inline constexpr char kApplication[] = "Tremolux";

// The feed's address when --feed gives none; empty means the USGS feed.
inline constexpr char kFeedAddress[] = "feed/address";
// Sources read beside it, in order of preference after it (a string list).
inline constexpr char kFeedOtherAddresses[] = "feed/otherAddresses";

// When the feed last loaded well (an OLE date, days), and the event query
// that fills the gap on a start after the feed's reach; empty means USGS's.
inline constexpr char kLastGoodLoad[] = "feed/lastGoodLoad";
inline constexpr char kCatchUpService[] = "feed/catchUpService";

// How often the feed is reloaded, in whole minutes: one of kRefreshChoices.
inline constexpr char kRefreshMinutes[] = "feed/refreshMinutes";
inline constexpr int kRefreshChoices[] = {1, 5, 15, 60};
inline constexpr int kDefaultRefreshMinutes = 5;

// The new-quake alert of earlier versions: the tone, from a least magnitude
// on, and the desktop notification. Read once, to build the first alert rules.
inline constexpr char kSoundOn[] = "alerts/sound";
inline constexpr bool kDefaultSoundOn = true;
inline constexpr char kSoundMinMagnitude[] = "alerts/soundMinMagnitude";
inline constexpr double kDefaultSoundMinMagnitude = 0.0;
inline constexpr char kNotificationsOn[] = "alerts/notifications";
inline constexpr bool kDefaultNotificationsOn = true;
// The alert rules as their JSON text; absent before the first start with rules.
inline constexpr char kAlertRules[] = "alerts/rules";

// The quake list's minimum magnitude; 0 shows every quake.
inline constexpr char kListMinimumMagnitude[] = "list/minimumMagnitude";
inline constexpr double kDefaultListMinimumMagnitude = 0.0;
// The quake list shows a sequence's aftershocks as a count beside the mainshock.
inline constexpr char kListGroupAftershocks[] = "list/groupAftershocks";
inline constexpr bool kDefaultListGroupAftershocks = false;
// The quake list shows the feed (0) or the history of the last 7, 30 or 365 days.
inline constexpr char kListShownDays[] = "list/shownDays";

// The list and the tooltips tell times in local time rather than UTC (the
// map labels stay in UTC).
inline constexpr char kLocalTimes[] = "view/localTimes";
inline constexpr bool kDefaultLocalTimes = false;

// How many days the event history keeps a quake after its origin: one of
// kHistoryLimitChoices.
inline constexpr char kHistoryLimitDays[] = "history/limitDays";
inline constexpr int kHistoryLimitChoices[] = {30, 90, 365, 3650};
inline constexpr int kDefaultHistoryLimitDays = 365;

// The session kept at exit: the main window, then the polar and world map
// windows from the bottom of the stack to the top, each with its map window
// file's keys; a world map also with its kind and its zoom and pan.
inline constexpr char kSessionFrameGeometry[] = "session/frameGeometry";
inline constexpr char kSessionFrameState[] = "session/frameState";
inline constexpr char kSessionStatusBar[] = "session/statusBar";
inline constexpr char kSessionActiveWindow[] = "session/activeWindow";
inline constexpr char kSessionWindows[] = "session/windows";
inline constexpr char kSessionListSortColumn[] = "session/listSortColumn";
inline constexpr char kSessionListSortOrder[] = "session/listSortOrder";
inline constexpr char kWindowFile[] = "file";
inline constexpr char kWindowGeometry[] = "geometry";
inline constexpr char kWindowShow[] = "show";  // "normal", "maximized" or "minimized"
inline constexpr char kWindowKind[] = "kind";  // absent for a polar map
inline constexpr char kWorldWindowKind[] = "world";
inline constexpr char kWindowZoom[] = "zoom";
inline constexpr char kWindowOffsetX[] = "offsetX";
inline constexpr char kWindowOffsetY[] = "offsetY";
inline constexpr int kMaxSessionWindows = 100;

// The recent-file list: File1 (newest) ... File16 in this group.
inline constexpr char kRecentFileGroup[] = "Recent File List";
inline constexpr int kMaxRecentFiles = 16;

}  // namespace settings

// Every per-user setting the watcher keeps, under one organisation and
// application name, with its keys and defaults in this one header.
class AppSettings : public QSettings {
public:
    AppSettings() : QSettings(settings::kOrganization, settings::kApplication) {}
};

// The sources read beside the feed, in order of preference.
inline std::vector<std::string> StoredOtherFeedAddresses()
{
    std::vector<std::string> addresses;
    for (const QString& address : AppSettings().value(settings::kFeedOtherAddresses).toStringList())
        addresses.push_back(address.toStdString());
    return addresses;
}

// The feed's last good load as kept, invalid when none is.
inline OleDate StoredLastGoodLoad()
{
    bool ok = false;
    const double days = AppSettings().value(settings::kLastGoodLoad).toDouble(&ok);
    return OleDate{days, ok && days != 0.0};
}

inline std::string StoredCatchUpService()
{
    const QString service = AppSettings().value(settings::kCatchUpService).toString();
    return service.isEmpty() ? std::string(kUsgsEventQuery) : service.toStdString();
}

}  // namespace tremolux
