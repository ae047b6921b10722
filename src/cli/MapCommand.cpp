#include <iostream>

#include "cli/Commands.h"

namespace tremolux {

int RunMap(const CliOptions&)
{
    std::cerr << "map: not available yet\n";
    return kExitUsage;
}

}  // namespace tremolux
