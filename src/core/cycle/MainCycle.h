#pragma once

#include <string>

#include "core/feed/QuakeList.h"
#include "core/feed/QuakeRecord.h"

namespace tremolux {

class FeedBrowser;

// Sounds the new-quake alert. Returns at once; the tone plays on its own.
class Tone {
public:
    virtual ~Tone() = default;
    virtual void Play(int frequencyHz, int durationMs) = 0;
};

// Repaints the frame and every window inside it before returning.
class Repaint {
public:
    virtual ~Repaint() = default;
    virtual void RepaintAll() = 0;
};

// Where a parse failure goes: a modal box the first time, the feed status
// while such a box is still open, so boxes never stack, and while the same
// failure goes on (one box per outage, until a good load).
class FailureSink {
public:
    virtual ~FailureSink() = default;
    // Shows the message modally; events (and timer ticks) go on meanwhile.
    virtual void ShowFailure(const std::string& message) = 0;
    virtual void NoteFailure(const std::string& message) = 0;
};

// The main frame's timer logic: poll the feed view while a load is pending,
// parse the completed page, sound the alert when the newest quake moved, and
// repaint; reload the page on the slow timer.
class MainCycle {
public:
    static constexpr int ID_TIMER_POLL = 1;
    static constexpr int ID_TIMER_REFRESH = 2;
    static constexpr int kPollPeriodMs = 100;
    static constexpr int kRefreshPeriodMs = 300000;
    static constexpr double kToneFactor = 200.0;
    static constexpr int kToneDurationMs = 500;

    MainCycle(QuakeList& quakes, Tone& tone, Repaint& repaint, FailureSink& failures);

    // The frame exists, or the feed changed: the first load is awaited like
    // any reload, and its failure is boxed whatever was boxed before.
    void Start()
    {
        m_bPagePending = true;
        m_strOutageBoxed.clear();
    }

    // The document changed without a reload being asked for (a pushed
    // event): it is read at the next poll like any load.
    void DocumentChanged() { m_bPagePending = true; }

    // One timer tick. feedView is null until the feed window exists.
    void OnTimer(int id, FeedBrowser* feedView);

    bool PagePending() const { return m_bPagePending; }
    const QuakeRecord& LastNewest() const { return m_lastNewest; }
    // The failure text of the latest parse, empty when it went through.
    const std::string& LastParseFailure() const { return m_strParseFailure; }

    // Whole hertz for a magnitude, truncated toward zero.
    static int ToneFrequency(double magnitude);

private:
    void Poll(FeedBrowser& feedView);
    void Report(const std::string& message);

    QuakeList& m_quakes;
    Tone& m_tone;
    Repaint& m_repaint;
    FailureSink& m_failures;

    bool m_bPagePending = false;
    QuakeRecord m_lastNewest;
    bool m_bFailureShown = false;
    std::string m_strParseFailure;
    // The failure last boxed, until a load goes through.
    std::string m_strOutageBoxed;
};

}  // namespace tremolux
