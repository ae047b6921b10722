#pragma once

#include <memory>

namespace tremolux {

class QuakeList;

// A copy of the list as it is now, for drawing on a worker thread while the
// GUI thread reads the next load into the list. Windows asking for the same
// revision while a copy is still in use share that copy. GUI thread only.
std::shared_ptr<const QuakeList> QuakeListSnapshot(const QuakeList& quakes);

}  // namespace tremolux
