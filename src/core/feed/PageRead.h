#pragma once

#include <string>
#include <vector>

#include "core/feed/QuakeRecord.h"
#include "core/feed/StopFlag.h"

namespace tremolux {

class FeedDocument;

// A document's quake rows as the list is to take them: read where the
// document was built, so that the thread that shows the list only swaps
// them in.
struct PageRead {
    // False when the read failed before any row was looked at: the list then
    // keeps what it holds.
    bool replacesList = false;
    // The rows read, up to the failure when one came.
    std::vector<QuakeRecord> records;
    // The "Error: no ..." text, empty when the read went through.
    std::string failure;
};

// Reads the quake rows of a document (null for none) in page order: seven-
// cell rows with a magnitude above 1 and up to 10 on the globe. Throws
// Stopped once stop is raised.
PageRead ReadPage(const FeedDocument* document, const StopFlag& stop = StopFlag::Never());

}  // namespace tremolux
