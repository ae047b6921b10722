#pragma once

#include <QStringList>

#include "gui/common/Settings.h"

namespace tremolux {

constexpr int kMaxRecentFiles = settings::kMaxRecentFiles;

// The per-user recent-file list, newest first, as QSettings keeps it.
QStringList RecentFiles();
void AddRecentFile(const QString& path);

}  // namespace tremolux
