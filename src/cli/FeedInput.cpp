#include "cli/FeedInput.h"

#include <QCoreApplication>
#include <QString>
#include <QUrl>

#include <iostream>
#include <memory>

#include "core/feed/FeedDocument.h"
#include "core/feed/OpenFeedDocument.h"
#include "core/feed/QuakeList.h"
#include "gui/feed/FeedFetch.h"
#include "gui/feed/FeedView.h"

namespace tremolux {

namespace {

// The loaded document, complete from the start.
class LoadedFeed final : public FeedBrowser {
public:
    explicit LoadedFeed(std::unique_ptr<FeedDocument> document) : m_document(std::move(document)) {}
    void Navigate2(const std::string&) override {}
    int GetReadyState() const override { return kReadyStateComplete; }
    void Refresh() override {}
    const FeedDocument* GetHtmlDocument() const override { return m_document.get(); }

private:
    std::unique_ptr<FeedDocument> m_document;
};

// The one place where a feed source becomes bytes: a local file is read
// directly, with room for the JSON parser behind it.
bool ReadFeedSource(const std::string& source, std::string& bytes, std::string& error)
{
    const QUrl url = FeedUrl(source);
    FetchResult result;
    if (url.isLocalFile()) {
        result = ReadFeedFile(url.toLocalFile().toStdString(), kFeedPadding);
    } else {
        // The loader runs an event loop, which wants an application object.
        std::unique_ptr<QCoreApplication> application;
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "tremolux-cli";
            static char* argv[] = {name, nullptr};
            application = std::make_unique<QCoreApplication>(argc, argv);
        }
        result = FetchFeed(source);
    }
    if (!result.ok) {
        // A file URL is named by its path, anything else as given.
        const bool fileUrl = url.isLocalFile() && source.find("://") != std::string::npos;
        error = "cannot read " + (fileUrl ? url.toLocalFile().toStdString() : source) + ": "
                + result.error;
        return false;
    }
    bytes = std::move(result.bytes);
    return true;
}

}  // namespace

bool LoadQuakes(const std::string& source, QuakeList& quakes)
{
    std::string bytes;
    std::string error;
    if (!ReadFeedSource(source, bytes, error)) {
        std::cerr << "tremolux-cli: " << error << '\n';
        return false;
    }
    std::unique_ptr<FeedDocument> document = OpenFeedDocument(std::move(bytes));
    if (const std::string failure = document->Failure(); !failure.empty()) {
        std::cerr << "tremolux-cli: cannot read " << source << ": " << failure << '\n';
        return false;
    }
    const LoadedFeed feed(std::move(document));
    // The parser's own words, then what they mean.
    return quakes.ParsePage(feed, [](const std::string& message) {
        std::cerr << message << '\n';
        if (message == kNoTablesFailure)
            std::cerr << "The feed is not a list of quakes.\n";
    });
}

}  // namespace tremolux
