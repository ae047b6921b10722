#include "gui/view/QuakeListSnapshot.h"

#include "core/feed/QuakeList.h"

namespace tremolux {

// The copy shares the list's rows: a long list costs the GUI thread nothing
// to hand over, and the rows go when the list and its last copy are done.
std::shared_ptr<const QuakeList> QuakeListSnapshot(const QuakeList& quakes)
{
    return std::make_shared<const QuakeList>(quakes);
}

}  // namespace tremolux
