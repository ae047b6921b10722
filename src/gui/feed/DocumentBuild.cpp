#include "gui/feed/DocumentBuild.h"

#include <atomic>
#include <mutex>
#include <new>
#include <thread>
#include <utility>

#include <QMetaObject>

#include "core/feed/OpenFeedDocument.h"

namespace tremolux {

namespace {

std::atomic<int> g_stoppedBuilds{0};

}  // namespace

// What the worker and the owner share. The worker queues its result to the
// receiver only under the lock and only while the receiver is set; the owner
// clears it under the lock before the receiver goes, and the receiver takes
// any result already queued with it.
struct DocumentBuild::Shared {
    std::mutex mutex;
    QObject* receiver = nullptr;
    std::string bytes;
    std::unique_ptr<FeedDocument> document;
    StopFlag stop;  // raised when the owner goes
};

DocumentBuild::DocumentBuild(std::string bytes, Done done)
    : m_shared(std::make_shared<Shared>()), m_done(std::move(done))
{
    m_shared->receiver = &m_receiver;
    m_shared->bytes = std::move(bytes);
    // A thread of its own that nothing waits for: a page may take seconds to
    // build, and the program must not wait for one it no longer wants when
    // it exits. The build touches only what it shares here and its own bytes.
    std::thread([shared = m_shared, this] {
        std::string bytes;
        {
            std::lock_guard lock(shared->mutex);
            if (shared->receiver == nullptr) {
                ++g_stoppedBuilds;
                return;
            }
            bytes = std::move(shared->bytes);
        }
        std::unique_ptr<FeedDocument> document;
        try {
            document = OpenFeedDocument(std::move(bytes), shared->stop);
        } catch (const std::bad_alloc&) {
            document.reset();
        } catch (const Stopped&) {
            ++g_stoppedBuilds;
            return;
        }
        std::lock_guard lock(shared->mutex);
        if (shared->receiver == nullptr)
            return;
        shared->document = std::move(document);
        // Runs only while the receiver, and so this build, exists.
        QMetaObject::invokeMethod(
            shared->receiver, [this] { Deliver(); }, Qt::QueuedConnection);
    }).detach();
}

DocumentBuild::~DocumentBuild()
{
    m_shared->stop.Raise();
    std::lock_guard lock(m_shared->mutex);
    m_shared->receiver = nullptr;
}

int DocumentBuild::StoppedCount()
{
    return g_stoppedBuilds;
}

void DocumentBuild::Deliver()
{
    std::unique_ptr<FeedDocument> document;
    {
        std::lock_guard lock(m_shared->mutex);
        document = std::move(m_shared->document);
    }
    Done done = std::move(m_done);
    done(std::move(document));
}

}  // namespace tremolux
