#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QObject>

#include "core/feed/FeedDocument.h"
#include "core/feed/PageRead.h"

namespace tremolux {

// What a build made of a page: the document, null when there was not memory
// enough to build it, and, when it is a good feed, its quake rows read as the
// list takes them.
struct BuiltPage {
    std::unique_ptr<FeedDocument> document;
    PageRead read;
};

// Builds the document of a loaded page and reads its rows on a worker
// thread, so that a large page never stops the windows, and hands them back
// on the thread that started the build. `done` is not called once the build
// is destroyed, and a build still running then stops at its next look at its
// stop flag, which the readers take every few nodes or rows.
class DocumentBuild {
public:
    using Done = std::function<void(BuiltPage)>;

    DocumentBuild(std::string bytes, Done done);
    ~DocumentBuild();
    DocumentBuild(const DocumentBuild&) = delete;
    DocumentBuild& operator=(const DocumentBuild&) = delete;

    // How many builds of this run stopped early, or never began, because
    // nobody wanted them any more: the figure that shows an abandoned build
    // did not run on.
    static int StoppedCount();

private:
    struct Shared;

    void Deliver();

    std::shared_ptr<Shared> m_shared;
    QObject m_receiver;  // the finished build is queued to it
    Done m_done;
};

}  // namespace tremolux
