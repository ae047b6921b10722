#include "gui/feed/FeedView.h"

#include <algorithm>
#include <thread>
#include <utility>

#include <QNetworkAccessManager>
#include <QUrl>

#include "core/common/Clock.h"
#include "core/feed/FeedChoice.h"
#include "core/feed/MergedFeedDocument.h"
#include "core/feed/QuakeList.h"
#include "gui/feed/DocumentBuild.h"
#include "gui/feed/PushFeed.h"

namespace tremolux {

namespace {

// Frees a value on a thread of its own: a list or a document of a hundred
// thousand rows keeps the GUI thread for milliseconds to free.
template <typename T>
void FreeElsewhere(T value)
{
    std::thread([doomed = std::move(value)] {}).detach();
}

}  // namespace

FeedView::FeedView(const Clock& clock)
    : m_clock(clock), m_network(std::make_unique<QNetworkAccessManager>())
{
}

FeedView::~FeedView()
{
    // The transfer must end before the manager that carries it.
    m_fetch.reset();
}

void FeedView::Navigate2(const std::string& address)
{
    if (address != m_address)
        m_validators = {};
    m_address = address;
    m_mergePending = true;
    Load();
}

void FeedView::SetOtherSources(const std::vector<std::string>& addresses)
{
    m_others.clear();
    m_merged.reset();
    for (const std::string& address : addresses) {
        if (IsPushAddress(address)) {
            auto push = std::make_unique<PushFeed>(m_clock, [this] {
                m_mergePending = true;
                if (m_pushed)
                    m_pushed();
            });
            push->Navigate2(address);
            m_others.push_back(std::move(push));
            continue;
        }
        auto other = std::make_unique<FeedView>(m_clock);
        other->SetTimeout(m_timeout);
        other->SetOnLoadEnded([this] { LoadEnded(); });
        other->Navigate2(address);
        m_others.push_back(std::move(other));
    }
    m_mergePending = true;
}

void FeedView::SetCatchUp(const std::string& address)
{
    m_catchUp.reset();
    if (address.empty())
        return;
    m_catchUp = std::make_unique<FeedView>(m_clock);
    m_catchUp->SetTimeout(m_timeout);
    m_catchUp->SetOnLoadEnded([this] { LoadEnded(); });
    m_catchUp->Navigate2(address);
    m_mergePending = true;
}

int FeedView::GetReadyState() const
{
    int state = m_readyState;
    for (const auto& other : m_others)
        state = std::min(state, other->GetReadyState());
    if (m_catchUp)
        state = std::min(state, m_catchUp->GetReadyState());
    if (Merges() && state == kReadyStateComplete && m_mergePending) {
        std::vector<SourceDocument> sources = {{SourceName(m_address), m_document.get()}};
        for (const auto& other : m_others)
            sources.push_back({SourceName(other->Address()), other->GetHtmlDocument()});
        if (m_catchUp)
            sources.push_back({std::string(), m_catchUp->GetHtmlDocument()});
        m_merged = MergedFeedDocument(sources);
        m_mergePending = false;
    }
    return state;
}

const FeedDocument* FeedView::GetHtmlDocument() const
{
    return Merges() ? m_merged.get() : m_document.get();
}

bool FeedView::ReadPageInto(QuakeList& quakes, const FailureReport& report)
{
    if (Merges())
        return FeedBrowser::ReadPageInto(quakes, report);
    std::string failure;
    if (m_pageRead) {
        PageRead read = std::move(*m_pageRead);
        m_pageRead.reset();
        quakes.TakeRead(read);
        failure = read.failure;
        m_taken = TakenRead{&quakes, quakes.Revision(), read.failure};
        FreeElsewhere(std::move(read.records));
    } else if (m_taken && m_taken->list == &quakes && m_taken->revision == quakes.Revision()) {
        failure = m_taken->failure;
    } else {
        return FeedBrowser::ReadPageInto(quakes, report);
    }
    // Last: the report may run a nested event loop in which a load ends.
    if (failure.empty())
        return true;
    report(failure);
    return false;
}

// Within the address's minimum period after a good load, a refresh asks the
// server nothing: it is a good load with nothing new.
void FeedView::Refresh()
{
    if (m_readyState == kReadyStateUninitialized)
        return;
    m_mergePending = true;
    for (const auto& other : m_others)
        other->Refresh();
    // Its events are in the store now; a failed one is asked again.
    if (m_catchUp && m_catchUp->HasLoaded())
        m_catchUp.reset();
    else if (m_catchUp)
        m_catchUp->Refresh();
    const double sinceGoodLoad = OleDayDifference(m_clock.Now(), m_lastGoodLoad) * 86400.0;
    const auto minimum = std::chrono::duration<double>(MinimumReloadPeriod(m_address)).count();
    if (HasLoaded() && sinceGoodLoad < minimum) {
        m_fetch.reset();
        m_build.reset();
        m_lastFailure.clear();
        m_readyState = kReadyStateComplete;
        return;
    }
    Load();
}

// A new load supersedes the one before, its build included.
void FeedView::Load()
{
    m_readyState = kReadyStateLoading;
    m_build.reset();
    m_fetch.reset();
    m_fetch = std::make_unique<FeedFetch>(
        *m_network, FeedUrl(m_address), m_timeout, m_document ? m_validators : FeedValidators{},
        [this](FetchResult result) { Fetched(std::move(result)); });
}

// The finished fetch and build stay until the next load: each is still on the
// call stack when it reports.
void FeedView::Fetched(FetchResult result)
{
    if (!result.ok) {
        m_lastFailure = result.error;
        m_readyState = kReadyStateComplete;
        LoadEnded();
        return;
    }
    if (result.notModified) {
        m_lastGoodLoad = m_clock.Now();
        m_lastFailure.clear();
        m_readyState = kReadyStateComplete;
        LoadEnded();
        return;
    }
    m_arrivedValidators = std::move(result.validators);
    m_readyState = kReadyStateLoaded;
    m_build = std::make_unique<DocumentBuild>(std::move(result.bytes),
                                              [this](BuiltPage page) { Built(std::move(page)); });
}

void FeedView::Built(BuiltPage page)
{
    std::unique_ptr<FeedDocument>& document = page.document;
    if (document == nullptr) {
        m_lastFailure = "not enough memory to read the page";
    } else if (!document->Failure().empty()) {
        m_lastFailure = document->Failure();
    } else if (document->ViewableAsTables()) {
        document.swap(m_document);
        m_pageRead = std::move(page.read);
        m_taken.reset();
        m_validators = std::move(m_arrivedValidators);
        m_lastGoodLoad = m_clock.Now();
        m_lastFailure.clear();
    } else if (const FeedTables* tables = document->Tables(); tables && tables->Count() == 0) {
        m_lastFailure = "the page holds no table";
    } else {
        m_lastFailure = "the page is not a quake feed";
    }
    // The document replaced, or the one refused.
    if (document != nullptr)
        FreeElsewhere(std::move(document));
    m_readyState = kReadyStateComplete;
    LoadEnded();
}

void FeedView::LoadEnded()
{
    if (m_loadEnded)
        m_loadEnded();
}

}  // namespace tremolux
