#include "cli/FeedInput.h"

#include <QCoreApplication>
#include <QString>
#include <QUrl>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "core/feed/FeedDocument.h"
#include "core/feed/OpenFeedDocument.h"
#include "core/feed/QuakeList.h"
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

bool FetchOverNetwork(const std::string& source, std::string& bytes, std::string& error)
{
    // The loader runs an event loop, which wants an application object.
    std::unique_ptr<QCoreApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "tremolux-cli";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    FetchResult result = FetchFeed(source);
    if (!result.ok) {
        error = "cannot read " + source + ": " + result.error;
        return false;
    }
    bytes = std::move(result.bytes);
    return true;
}

bool ReadLocalFile(const std::string& path, std::string& bytes, std::string& error)
{
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error = "cannot read " + path + ": it is a directory";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    // One read of the size the file has, with room for the JSON parser; a
    // file that grows meanwhile, or a pipe, is read on to its end.
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    bytes.clear();
    if (!code) {
        bytes.reserve(static_cast<std::size_t>(size) + kFeedPadding);
        bytes.resize(static_cast<std::size_t>(size));
        file.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(file.gcount()));
    }
    char chunk[1 << 16];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0)
        bytes.append(chunk, static_cast<std::size_t>(file.gcount()));
    if (file.bad()) {
        error = "cannot read " + path + ": read error";
        return false;
    }
    return true;
}

// The one place where a feed source becomes bytes.
bool ReadFeedSource(const std::string& source, std::string& bytes, std::string& error)
{
    const QUrl url(QString::fromStdString(source));
    const QString scheme = url.scheme();
    if (scheme == "http" || scheme == "https")
        return FetchOverNetwork(source, bytes, error);
    const std::string path = scheme == "file" ? url.toLocalFile().toStdString() : source;
    return ReadLocalFile(path, bytes, error);
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
    const LoadedFeed feed(OpenFeedDocument(std::move(bytes)));
    return quakes.ParsePage(feed, [](const std::string& message) { std::cerr << message << '\n'; });
}

std::string FeedName(const std::string& source)
{
    if (source.find("://") != std::string::npos)
        return source;
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(source, error);
    return error ? source : path.lexically_normal().string();
}

}  // namespace tremolux
