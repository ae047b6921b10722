#include "gui/common/Log.h"

Q_LOGGING_CATEGORY(lcFeed, "tremolux.feed", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStore, "tremolux.store", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSession, "tremolux.session", QtInfoMsg)
Q_LOGGING_CATEGORY(lcAlerts, "tremolux.alerts", QtInfoMsg)
