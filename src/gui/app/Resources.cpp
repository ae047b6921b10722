#include "gui/app/Resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitTremoluxQrc()
{
    Q_INIT_RESOURCE(tremolux);
}

namespace tremolux {

void InitResources()
{
    static const bool done = (InitTremoluxQrc(), true);
    (void)done;
}

}  // namespace tremolux
