#include "cli/Usage.h"

#include <iostream>

#include "cli/ExitStatus.h"

namespace tremolux {

std::string UsageText()
{
    return "Usage:\n"
           "  tremolux-cli quakes [--feed SOURCE]...\n"
           "  tremolux-cli index [--feed SOURCE] [--now TIME] (--at LAT,LON | --city NAME "
           "[--cities FILE])\n"
           "  tremolux-cli index [--feed SOURCE] [--now TIME] --cities FILE\n"
           "  tremolux-cli map [--feed SOURCE] [--now TIME] (--at LAT,LON | --city NAME [--cities "
           "FILE])\n"
           "               [--size WxH] [--hours H] [--nearest KM] [--pie KM] [--no-texts]\n"
           "               (--out FILE.png | --trace)\n"
           "  tremolux-cli cities [FILE]\n"
           "  tremolux-cli distance LAT1 LON1 LAT2 LON2\n"
           "  tremolux-cli world [--feed SOURCE] [--now TIME] (--at LAT,LON | --city NAME "
           "[--cities FILE])\n"
           "               [--size WxH] [--hours H] (--out FILE.png | --trace)\n"
           "  tremolux-cli update --db FILE [--feed SOURCE]... [--now TIME]\n"
           "  tremolux-cli history --db FILE [--since TIME] [--until TIME] [--format "
           "tsv|csv|geojson]\n"
           "  tremolux-cli alerts --db FILE --rules FILE [--feed SOURCE]... [--now TIME] [--cities "
           "FILE]\n"
           "\n"
           "SOURCE is a file path or a file, http or https URL (default: the USGS\n"
           "feed of the past week). TIME is \"YYYY-MM-DD HH:MM:SS\" in UTC and replaces\n"
           "the clock. Angles are decimal degrees, north and east positive. distance\n"
           "prints metres and the bearing in degrees anticlockwise from north.\n"
           "--version prints the program's version.\n"
           "\n"
           "Exit status: 0 success, 1 the feed or the history could not be read or\n"
           "written, 2 wrong usage.\n";
}

int UsageError(const std::string& message)
{
    std::cerr << "tremolux-cli: " << message << "\nSee tremolux-cli --help\n";
    return kExitUsage;
}

}  // namespace tremolux
