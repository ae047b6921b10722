#pragma once

#include <string>

namespace tremolux {

class QuakeList;

// Reads the feed source (a file path or a file, http or https URL) into the
// list. On failure prints the reason (the "Error: no ..." text of the walk, or
// why the source could not be read) on standard error and returns false.
bool LoadQuakes(const std::string& source, QuakeList& quakes);

}  // namespace tremolux
