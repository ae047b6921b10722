#pragma once

#include <QSettings>

namespace tremolux {

namespace settings {

inline constexpr char kOrganization[] = "Brevanto";
inline constexpr char kApplication[] = "Tremolux";

// The feed's address when --feed gives none; empty means the USGS feed.
inline constexpr char kFeedAddress[] = "feed/address";

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

}  // namespace tremolux
