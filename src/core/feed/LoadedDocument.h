#pragma once

#include <string>

#include "core/feed/FeedDocument.h"

namespace tremolux {

// A document that has finished loading, seen through the browser interface
// that the page walk reads.
class LoadedDocument final : public FeedBrowser {
public:
    explicit LoadedDocument(const FeedDocument& document) : m_document(document) {}

    void Navigate2(const std::string&) override {}
    int GetReadyState() const override { return kReadyStateComplete; }
    void Refresh() override {}
    const FeedDocument* GetHtmlDocument() const override { return &m_document; }

private:
    const FeedDocument& m_document;
};

}  // namespace tremolux
