#include <iostream>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/NumberText.h"
#include "core/geo/CityPosition.h"

namespace tremolux {

int RunDistance(const CliOptions& options)
{
    const std::vector<double>& n = options.numbers;
    double ccwBearing = 0.0;
    const double distance = GreatCircle(n[0], n[1], n[2], n[3], &ccwBearing);
    std::cout << FormatNumber(distance) << '\t' << FormatNumber(ccwBearing) << '\n';
    return kExitSuccess;
}

}  // namespace tremolux
