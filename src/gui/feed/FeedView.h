#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/common/OleDate.h"
#include "core/feed/FeedDocument.h"
#include "core/feed/PageRead.h"
#include "gui/feed/FeedFetch.h"
#include "gui/feed/FeedSource.h"

class QNetworkAccessManager;

namespace tremolux {

class Clock;
class DocumentBuild;
struct BuiltPage;

// The hidden feed window's browser: loads the feed address with Qt Network and
// holds the page as a document of tables, built away from the GUI thread. A
// load that fails completes without replacing the last good document, so a
// passing outage never empties the list; until a load completes, the document
// held is the last good one. A reload asks for the page only if it changed;
// an unchanged page is a good load that keeps the document. Other sources may
// be read beside the address: the document is then all their quakes merged,
// and a load completes when every source's has. A push source among them
// (ws:// or wss://) adds its events as they come.
class FeedView final : public FeedSource {
public:
    static constexpr int kReadyStateUninitialized = 0;
    static constexpr int kReadyStateLoading = 1;
    // The page is here and its document being built.
    static constexpr int kReadyStateLoaded = 2;

    explicit FeedView(const Clock& clock);
    ~FeedView() override;

    void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

    void Navigate2(const std::string& address) override;
    int GetReadyState() const override;
    void Refresh() override;
    const FeedDocument* GetHtmlDocument() const override;
    // Swaps in the rows read with the document held, the first time; while
    // the list stays as it then became, it holds them already, and a load
    // that kept the document (unchanged, failed) costs nothing. The merged
    // document of several sources is read here.
    bool ReadPageInto(QuakeList& quakes, const FailureReport& report) override;

    // Sources read beside the address, in order of preference after it.
    void SetOtherSources(const std::vector<std::string>& addresses);
    const std::vector<std::unique_ptr<FeedSource>>& OtherSources() const { return m_others; }
    // One query read beside the sources until it has loaded once, merged
    // into the loads meanwhile: the events a feed no longer reaches after
    // the watcher was away. Empty for none.
    void SetCatchUp(const std::string& address);

    // Called when a push source brought something: the document is to be
    // read again though no load was asked for.
    void SetOnPushed(std::function<void()> pushed) { m_pushed = std::move(pushed); }
    // Called when a load of the address, or of a source read beside it, has
    // ended, good or not, after the call that started it returned: the
    // document may be read at once rather than at the next poll.
    void SetOnLoadEnded(std::function<void()> ended) { m_loadEnded = std::move(ended); }

    const std::string& Address() const override { return m_address; }
    // Whether a good page of the address itself is held, and when it was loaded
    // (by the program's clock); the other sources answer for themselves.
    bool HasLoaded() const override { return m_document != nullptr; }
    OleDate LastGoodLoad() const override { return m_lastGoodLoad; }
    // Why the latest load failed; empty when it succeeded or none ended yet.
    const std::string& LastFailure() const override { return m_lastFailure; }

private:
    // Whether the document is several sources' merged.
    bool Merges() const { return !m_others.empty() || m_catchUp != nullptr; }
    void Load();
    void Fetched(FetchResult result);
    void Built(BuiltPage page);
    void LoadEnded();

    const Clock& m_clock;
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<FeedFetch> m_fetch;
    std::unique_ptr<DocumentBuild> m_build;
    std::chrono::milliseconds m_timeout = kFeedTimeout;
    std::string m_address;
    int m_readyState = kReadyStateUninitialized;
    std::unique_ptr<FeedDocument> m_document;
    std::optional<PageRead> m_pageRead;  // of the document held, until a list takes it
    // The list that took the rows of the document held, its revision then,
    // and the read's failure.
    struct TakenRead {
        const QuakeList* list = nullptr;
        unsigned long long revision = 0;
        std::string failure;
    };
    std::optional<TakenRead> m_taken;
    OleDate m_lastGoodLoad;
    std::string m_lastFailure;
    FeedValidators m_validators;         // of the document held
    FeedValidators m_arrivedValidators;  // of the page being built
    std::vector<std::unique_ptr<FeedSource>> m_others;
    std::function<void()> m_pushed;
    std::function<void()> m_loadEnded;
    std::unique_ptr<FeedView> m_catchUp;
    // Made when the first poll sees every source's load complete.
    mutable std::unique_ptr<FeedDocument> m_merged;
    mutable bool m_mergePending = false;
};

}  // namespace tremolux
