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
    BuiltPage page;
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
        BuiltPage page;
        try {
            page.document = OpenFeedDocument(std::move(bytes), shared->stop);
            if (page.document->Failure().empty() && page.document->ViewableAsTables())
                page.read = ReadPage(page.document.get(), shared->stop);
        } catch (const std::bad_alloc&) {
            page = {};
        } catch (const Stopped&) {
            ++g_stoppedBuilds;
            return;
        }
        std::lock_guard lock(shared->mutex);
        if (shared->receiver == nullptr)
            return;
        shared->page = std::move(page);
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
    BuiltPage page;
    {
        std::lock_guard lock(m_shared->mutex);
        page = std::move(m_shared->page);
    }
    Done done = std::move(m_done);
    done(std::move(page));
}

}  // namespace tremolux
