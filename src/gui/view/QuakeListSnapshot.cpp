#include "gui/view/QuakeListSnapshot.h"

#include "core/feed/QuakeList.h"

namespace tremolux {

std::shared_ptr<const QuakeList> QuakeListSnapshot(const QuakeList& quakes)
{
    // Only weakly held: a copy of a large list goes as soon as the last
    // picture drawn from it is done.
    static const QuakeList* source = nullptr;
    static unsigned long long revision = 0;
    static int count = -1;
    static std::weak_ptr<const QuakeList> shared;
    std::shared_ptr<const QuakeList> copy = shared.lock();
    if (copy != nullptr && source == &quakes && revision == quakes.Revision()
        && count == quakes.count())
        return copy;
    copy = std::make_shared<const QuakeList>(quakes);
    source = &quakes;
    revision = quakes.Revision();
    count = quakes.count();
    shared = copy;
    return copy;
}

}  // namespace tremolux
