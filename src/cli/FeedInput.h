#pragma once

#include <string>

namespace tremolux {

class QuakeList;

// Reads the feed source (a file path or a file, http or https URL) into the
// list. On failure prints the reason (the "Error: no ..." text of the walk, or
// why the source could not be read) on standard error and returns false.
bool LoadQuakes(const std::string& source, QuakeList& quakes);

// The name the event store knows the feed by: a file by its whole path, so
// that runs from other folders compare with the same loads.
std::string FeedName(const std::string& source);

}  // namespace tremolux
