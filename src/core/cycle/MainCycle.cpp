#include "core/cycle/MainCycle.h"

#include "core/feed/FeedDocument.h"

namespace tremolux {

MainCycle::MainCycle(QuakeList& quakes, Tone& tone, Repaint& repaint, FailureSink& failures)
    : m_quakes(quakes), m_tone(tone), m_repaint(repaint), m_failures(failures)
{
}

int MainCycle::ToneFrequency(double magnitude)
{
    return static_cast<int>(magnitude * kToneFactor);
}

void MainCycle::OnTimer(int id, FeedBrowser* feedView)
{
    if (id == ID_TIMER_POLL) {
        if (m_bPagePending && feedView != nullptr
            && feedView->GetReadyState() == FeedBrowser::kReadyStateComplete)
            Poll(*feedView);
    } else if (id == ID_TIMER_REFRESH) {
        m_bPagePending = true;
        if (feedView != nullptr)
            feedView->Refresh();
    }
}

void MainCycle::Poll(FeedBrowser& feedView)
{
    m_bPagePending = false;
    if (m_quakes.count() > 0)
        m_lastNewest = m_quakes.at(0);

    m_strParseFailure.clear();
    feedView.ReadPageInto(m_quakes, [this](const std::string& message) { Report(message); });
    if (m_strParseFailure.empty())
        m_strOutageBoxed.clear();

    if (m_quakes.count() > 0) {
        const QuakeRecord newest = m_quakes.at(0);
        // Both coordinates must move; a NaN compares unequal and so counts as moved.
        if (newest.latitude != m_lastNewest.latitude
            && newest.longitude != m_lastNewest.longitude) {
            m_lastNewest = newest;
            m_tone.Play(ToneFrequency(newest.magnitude), kToneDurationMs);
        }
    }
    m_repaint.RepaintAll();
}

void MainCycle::Report(const std::string& message)
{
    m_strParseFailure = message;
    if (m_bFailureShown || message == m_strOutageBoxed) {
        m_failures.NoteFailure(message);
        return;
    }
    m_bFailureShown = true;
    m_strOutageBoxed = message;
    m_failures.ShowFailure(message);
    m_bFailureShown = false;
}

}  // namespace tremolux
