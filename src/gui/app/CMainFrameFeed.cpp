#include "gui/app/CMainFrame.h"

#include <QFileDialog>
#include <QUrl>

#include "core/common/Clock.h"
#include "gui/app/CTremoluxApp.h"
#include "gui/app/QuakeDocks.h"
#include "gui/common/Settings.h"
#include "gui/dialogs/FeedDialog.h"

// Where the feed comes from and how often it is read again.
namespace tremolux {

namespace {

// The stored period when it is one of the choices, else none.
std::optional<int> StoredRefreshMinutes()
{
    bool ok = false;
    const int minutes = AppSettings().value(settings::kRefreshMinutes).toInt(&ok);
    for (const int choice : settings::kRefreshChoices) {
        if (ok && minutes == choice)
            return minutes;
    }
    return std::nullopt;
}

}  // namespace

// A delivered page is parsed at once, not at the next poll tick; the tick is
// handled from the event queue like the timer's, so that no load is read
// while the feed view is still reporting it.
void CMainFrame::PollWhenLoadEnds()
{
    g_pFeedView->SetOnLoadEnded([this] {
        QMetaObject::invokeMethod(
            this, [this] { OnTimer(MainCycle::ID_TIMER_POLL); }, Qt::QueuedConnection);
    });
}

void CMainFrame::ApplyStoredRefreshPeriod()
{
    if (const std::optional<int> minutes = StoredRefreshMinutes())
        m_refreshTimer.setInterval(std::chrono::minutes(*minutes));
}

std::chrono::milliseconds CMainFrame::RefreshPeriod() const
{
    return m_refreshTimer.intervalAsDuration();
}

void CMainFrame::OnOptionsFeed()
{
    const QString address =
        g_pFeedView != nullptr ? QString::fromStdString(g_pFeedView->Address()) : QString();
    const auto minutes = std::chrono::duration_cast<std::chrono::minutes>(RefreshPeriod());
    QStringList others;
    for (const std::string& other : StoredOtherFeedAddresses())
        others.append(QString::fromStdString(other));
    FeedDialog dialog(address, others, static_cast<int>(minutes.count()), m_clock.Now(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    AppSettings().setValue(settings::kRefreshMinutes, dialog.RefreshMinutes());
    m_refreshTimer.setInterval(std::chrono::minutes(dialog.RefreshMinutes()));
    SetFeed(dialog.Address(), dialog.OtherAddresses());
}

void CMainFrame::OnFileOpenFeed()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open Feed"), {},
        tr("Quake feeds (*.geojson *.json *.csv *.txt *.html *.htm);;All files (*)"));
    if (!path.isEmpty())
        SetFeed(QUrl::fromLocalFile(path).toString(), {});
}

// The new feed and the sources read beside it are kept for the next start
// and loaded now; the next reload is a whole period away.
void CMainFrame::SetFeed(const QString& address, const QStringList& others)
{
    AppSettings().setValue(settings::kFeedAddress, address);
    AppSettings().setValue(settings::kFeedOtherAddresses, others);
    if (g_pFeedView == nullptr)
        return;
    m_cycle.Start();
    m_docks->FeedChanged();
    std::vector<std::string> otherAddresses;
    for (const QString& other : others)
        otherAddresses.push_back(other.toStdString());
    g_pFeedView->SetOtherSources(otherAddresses);
    g_pFeedView->Navigate2(address.toStdString());
    FollowPendingPage();
    if (m_refreshTimer.isActive())
        m_refreshTimer.start();
    UpdateFeedStatus();
}

}  // namespace tremolux
