#include "core/feed/QuakeList.h"

#include <atomic>
#include <stdexcept>
#include <string>

namespace tremolux {

const QuakeRecord& QuakeList::at(int index) const
{
    if (index < 0 || index >= count())
        throw std::invalid_argument("quake index " + std::to_string(index) + " outside 0 ... "
                                    + std::to_string(count() - 1));
    return (*m_records)[static_cast<std::size_t>(index)];
}

const std::vector<QuakeRecord>& QuakeList::Rows() const
{
    static const std::vector<QuakeRecord> none;
    return m_records ? *m_records : none;
}

std::vector<QuakeRecord>& QuakeList::OwnRows()
{
    if (!m_records || RowsShared())
        m_records = std::make_shared<std::vector<QuakeRecord>>(Rows());
    return *m_records;
}

bool QuakeList::RowsShared() const
{
    if (m_records.use_count() > 1)
        return true;
    // A copy let go on another thread was done with the rows before its count fell.
    std::atomic_thread_fence(std::memory_order_acquire);
    return false;
}

}  // namespace tremolux
