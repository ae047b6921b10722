#include "core/feed/QuakeList.h"

#include <stdexcept>
#include <string>

namespace tremolux {

const QuakeRecord& QuakeList::at(int index) const
{
    if (index < 0 || index >= count())
        throw std::invalid_argument("quake index " + std::to_string(index) + " outside 0 ... "
                                    + std::to_string(count() - 1));
    return m_records[static_cast<std::size_t>(index)];
}

}  // namespace tremolux
