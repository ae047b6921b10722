#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include <QStringList>

#include "core/common/OleDate.h"
#include "gui/app/CMainFrame.h"
#include "gui/feed/FeedView.h"

namespace tremolux {

class CTremoluxDoc;
class Clock;

// How a run of the watcher is set up: the command line, and for tests the
// tone, the timer periods and the load timeout.
struct AppOptions {
    std::string feedAddress;     // empty: the stored "feed/address", else the USGS feed
    std::optional<OleDate> now;  // a fixed clock instead of the system's
    QStringList files;           // opened as map windows; none opens one new window
    Tone* tone = nullptr;        // null: the default audio output
    CycleTimings timings;
    std::chrono::milliseconds loadTimeout = kFeedTimeout;
    QString historyFile;  // the event history; empty keeps the session's events only
};

// The hidden feed window's browser, for the main cycle.
extern FeedView* g_pFeedView;

// Turns a program start into a running watcher: main frame, first map
// window, start-up directory, initial city, and the feed being loaded.
class CTremoluxApp {
public:
    explicit CTremoluxApp(AppOptions options = {});
    ~CTremoluxApp();
    CTremoluxApp(const CTremoluxApp&) = delete;
    CTremoluxApp& operator=(const CTremoluxApp&) = delete;

    // False when start-up could not complete; the program then ends.
    bool InitInstance();
    // Sets the initial city once the windows exist; the feed document was
    // opened on the feed address before them (StartFeed).
    bool InitFeed();

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    // The hidden feed window's document, once the feed is set up.
    const CTremoluxDoc* FeedDocument() const { return m_pFeedDoc.get(); }
    const Clock& GetClock() const { return *m_clock; }
    // --feed, else the stored setting, else the live USGS feed.
    std::string FeedAddress() const;

private:
    // Opens the hidden feed document and starts its first load.
    void StartFeed();

    AppOptions m_options;
    std::unique_ptr<Clock> m_clock;
    std::unique_ptr<Tone> m_ownTone;
    std::unique_ptr<CTremoluxDoc> m_pFeedDoc;
    std::unique_ptr<FeedView> m_pFeedView;
    std::unique_ptr<CMainFrame> m_pMainFrame;  // last: it goes first
};

}  // namespace tremolux
