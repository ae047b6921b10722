#pragma once

#include <string>
#include <vector>

#include "core/cities/CityEntry.h"
#include "core/common/Result.h"

namespace tremolux {

// A line of the city file that was not taken, and why (1-based line number).
struct SkippedCityLine {
    int line = 0;
    std::string reason;
};

struct CityFileContent {
    std::vector<CityEntry> entries;        // accepted entries in file order
    std::vector<SkippedCityLine> skipped;  // empty lines are not listed
};

// Reads a TAB-separated list of name, latitude and longitude lines. Names come
// out as UTF-8: a line that is not UTF-8 is read as Windows-1252. A file that
// cannot be read fails with the system's reason.
Result<CityFileContent> ReadCityFile(const std::string& path);

// The current directory at start-up, whole; empty when it could not be read.
extern std::string StartupDirectory;
// The program's own city list, set at start-up from the install location.
extern std::string DefaultCityFile;

// Sets StartupDirectory from the process's current directory.
void RecordStartupDirectory();

// StartupDirectory + "/CITIES.TXT" when that file exists, else DefaultCityFile
// (also when there is no StartupDirectory).
std::string CityFilePath();

}  // namespace tremolux
