#include <iostream>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/NumberText.h"
#include "cli/StoreLoad.h"
#include "core/events/EventIdentity.h"

namespace tremolux {

int RunUpdate(const CliOptions& options)
{
    StoreLoad load;
    if (const int status = LoadIntoStore(options, load); status != kExitSuccess)
        return status;
    for (const EventChange& change : load.changes) {
        const QuakeRecord& q = change.event;
        std::cout << ChangeKindName(change.kind) << '\t' << EventKey(q) << '\t'
                  << FormatNumber(q.magnitude) << '\t' << FormatTime(q.time) << '\t'
                  << FormatNumber(q.latitude) << '\t' << FormatNumber(q.longitude) << '\t'
                  << q.region;
        if (change.kind == ChangeKind::Revised)
            std::cout << '\t' << change.what;
        std::cout << '\n';
    }
    return kExitSuccess;
}

}  // namespace tremolux
