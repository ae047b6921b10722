#pragma once

#include <QStringList>

namespace tremolux {

constexpr int kMaxRecentFiles = 16;

// The per-user recent-file list, newest first, as QSettings keeps it.
QStringList RecentFiles();
void AddRecentFile(const QString& path);

}  // namespace tremolux
