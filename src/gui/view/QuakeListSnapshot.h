#pragma once

#include <memory>

namespace tremolux {

class QuakeList;

// The list as it is now, for drawing on a worker thread while the GUI thread
// reads the next load into the list. GUI thread only.
std::shared_ptr<const QuakeList> QuakeListSnapshot(const QuakeList& quakes);

}  // namespace tremolux
