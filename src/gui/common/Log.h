#pragma once

#include <QLoggingCategory>

// What an unattended watcher keeps of its troubles once the status bar has
// moved on: warnings go to standard error (and to the journal where Qt finds
// one); --verbose or QT_LOGGING_RULES="tremolux.*.debug=true" adds the debug
// lines, one for each load, its changes and each alert.
Q_DECLARE_LOGGING_CATEGORY(lcFeed)
Q_DECLARE_LOGGING_CATEGORY(lcStore)
Q_DECLARE_LOGGING_CATEGORY(lcSession)
Q_DECLARE_LOGGING_CATEGORY(lcAlerts)
