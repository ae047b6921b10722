// A feed page that has finished loading with the given bytes, for walking a
// feed's text without a browser or a server.
#pragma once

#include <memory>
#include <string>

#include "core/feed/FeedDocument.h"
#include "core/feed/OpenFeedDocument.h"

namespace tremolux::test {

struct HeldPage final : FeedBrowser {
    explicit HeldPage(std::string bytes) : document(OpenFeedDocument(std::move(bytes))) {}
    void Navigate2(const std::string&) override {}
    int GetReadyState() const override { return kReadyStateComplete; }
    void Refresh() override {}
    const FeedDocument* GetHtmlDocument() const override { return document.get(); }
    std::unique_ptr<FeedDocument> document;
};

}  // namespace tremolux::test
