#include <iostream>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/FeedInput.h"
#include "cli/NumberText.h"
#include "core/feed/QuakeList.h"

namespace tremolux {

int RunQuakes(const CliOptions& options)
{
    QuakeList quakes;
    if (!LoadQuakes(options.feed, quakes))
        return kExitFeedFailed;
    std::cout << "magnitude\ttime\tlatitude\tlongitude\tdepth\tregion\n";
    for (int i = 0; i < quakes.count(); ++i) {
        const QuakeRecord& q = quakes.at(i);
        std::cout << FormatNumber(q.magnitude) << '\t' << FormatTime(q.time) << '\t'
                  << FormatNumber(q.latitude) << '\t' << FormatNumber(q.longitude) << '\t'
                  << FormatNumber(q.depth) << '\t' << q.region << '\n';
    }
    return kExitSuccess;
}

}  // namespace tremolux
