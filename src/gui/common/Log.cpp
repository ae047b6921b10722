#include "gui/common/Log.h"

Q_LOGGING_CATEGORY(lcFeed, "tremolux.feed")
Q_LOGGING_CATEGORY(lcStore, "tremolux.store")
Q_LOGGING_CATEGORY(lcSession, "tremolux.session")
