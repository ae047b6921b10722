#include "gui/view/PictureWorker.h"

#include <mutex>
#include <utility>

#include <QMetaObject>
#include <QThreadPool>

namespace tremolux {

namespace {

// Never deleted: destroying a pool waits for its threads, and exit must not
// wait for a picture nobody will see.
QThreadPool& Pool()
{
    static QThreadPool* const pool = [] {
        auto* created = new QThreadPool;
        // A thread for each window that draws: none queues behind another.
        created->setMaxThreadCount(64);
        created->setExpiryTimeout(5000);
        return created;
    }();
    return *pool;
}

}  // namespace

// The worker queues a picture to the receiver only under the lock and only
// while the receiver is set; the owner clears it under the lock before the
// receiver goes, and the receiver takes any picture already queued with it.
struct PictureWorker::Link {
    std::mutex mutex;
    QObject* receiver = nullptr;
};

PictureWorker::PictureWorker() : m_link(std::make_shared<Link>())
{
    m_link->receiver = &m_receiver;
}

PictureWorker::~PictureWorker()
{
    std::lock_guard lock(m_link->mutex);
    m_link->receiver = nullptr;
}

bool PictureWorker::Start(Job job)
{
    if (m_busy)
        return false;
    m_busy = true;
    Pool().start([link = m_link, job = std::move(job), this] {
        Deliver deliver = job();
        std::lock_guard lock(link->mutex);
        if (link->receiver == nullptr)
            return;
        // Runs only while the receiver, and so this worker, exists.
        QMetaObject::invokeMethod(
            link->receiver,
            [this, deliver = std::move(deliver)] {
                m_busy = false;
                deliver();
            },
            Qt::QueuedConnection);
    });
    return true;
}

bool PictureWorker::WaitForAll(int timeoutMs)
{
    return Pool().waitForDone(timeoutMs);
}

}  // namespace tremolux
