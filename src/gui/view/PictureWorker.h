#pragma once

#include <functional>
#include <memory>

#include <QObject>

namespace tremolux {

// Draws a window's pictures away from the GUI thread, one at a time, so that
// a picture that takes seconds never stops the windows, and no window waits
// for another's. A job returns what to do with its picture, which then runs
// on the GUI thread unless the worker has gone: a window closed while its
// picture is drawn never sees it.
class PictureWorker {
public:
    using Deliver = std::function<void()>;
    using Job = std::function<Deliver()>;

    PictureWorker();
    ~PictureWorker();
    PictureWorker(const PictureWorker&) = delete;
    PictureWorker& operator=(const PictureWorker&) = delete;

    // A picture is being drawn; its delivery has not run yet.
    bool Busy() const { return m_busy; }
    // Starts drawing, or returns false while a picture is being drawn.
    bool Start(Job job);

    // Waits up to timeoutMs for the pictures of every window, closed ones
    // included; false when some are still being drawn.
    static bool WaitForAll(int timeoutMs);

private:
    struct Link;

    std::shared_ptr<Link> m_link;
    QObject m_receiver;  // the finished picture is queued to it
    bool m_busy = false;
};

}  // namespace tremolux
