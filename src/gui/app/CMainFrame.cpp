#include "gui/app/CMainFrame.h"

#include <malloc.h>

#include <algorithm>

#include <QDesktopServices>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QUrl>
#include <QWhatsThis>

#include "core/common/Clock.h"
#include "core/cycle/FeedStatus.h"
#include "gui/app/CAboutDlg.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CTremoluxApp.h"
#include "gui/app/CTremoluxDoc.h"
#include "gui/app/InstallPaths.h"
#include "gui/app/QuakeDocks.h"
#include "gui/app/Resources.h"
#include "gui/app/Session.h"
#include "gui/app/WindowPlacement.h"
#include "gui/common/Log.h"
#include "gui/common/Settings.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/PlainText.h"
#include "gui/common/Settings.h"
#include "gui/feed/FeedView.h"
#include "gui/feed/SourceStates.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/WorldMapWindow.h"

namespace tremolux {

namespace {

// "The feed could not be loaded: host example.org not found." for a load's
// failure text; without a capital, to follow other words.
QString FailureReason(const std::string& failure, bool capital = true)
{
    QString words = QString::fromStdString(failure);
    // "Host x not found" reads on after the colon; "HTTP 404" keeps its capitals.
    if (words.size() > 1 && words[0].isUpper() && words[1].isLower())
        words[0] = words[0].toLower();
    return capital ? CMainFrame::tr("The feed could not be loaded: %1.").arg(words)
                   : CMainFrame::tr("the feed could not be loaded: %1.").arg(words);
}

}  // namespace

CMainFrame::CMainFrame(const Clock& clock, Tone& tone, CycleTimings timings)
    : m_clock(clock),
      m_timings(timings),
      m_speaker(tone),
      m_alertTone(
          [this](int frequencyHz, int durationMs) { OnNewestQuake(frequencyHz, durationMs); }),
      m_cycle(m_quakes, m_alertTone, *this, *this)
{
    InitResources();
    setWindowTitle(QString(kAppTitle));
    setWindowIcon(QIcon(":/icons/tremolux.png"));
    resize(FirstFrameSize(screen()));

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        UpdateMenus();
        ShowActiveViewStatus();
        m_docks->FollowActiveWindow();
        ShowAlertRings();
    });

    m_docks = new QuakeDocks(*this);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateAlerts();
    UpdateMenus();
    ShowTimesIn(AppSettings().value(settings::kLocalTimes, settings::kDefaultLocalTimes).toBool());

    // Ticks are handled from the event queue rather than inside the timer's own
    // event: a timer does not fire again while its handler runs, and a failure
    // box opened by a poll must let later polls run in its loop.
    m_pollTimer.setInterval(m_timings.poll);
    m_refreshTimer.setInterval(m_timings.refresh);
    connect(
        &m_pollTimer, &QTimer::timeout, this, [this] { OnTimer(MainCycle::ID_TIMER_POLL); },
        Qt::QueuedConnection);
    connect(
        &m_refreshTimer, &QTimer::timeout, this, [this] { OnTimer(MainCycle::ID_TIMER_REFRESH); },
        Qt::QueuedConnection);
}

CMainFrame::~CMainFrame()
{
    m_pollTimer.stop();
    m_refreshTimer.stop();
    if (g_pFeedView != nullptr) {
        g_pFeedView->SetOnPushed({});
        g_pFeedView->SetOnLoadEnded({});
    }
    // The map windows go while the frame is whole, without calling back into it;
    // closed ones may still wait for their deletion.
    m_mdiArea->disconnect(this);
    for (CChildFrame* window : m_mdiArea->findChildren<CChildFrame*>()) {
        window->disconnect(this);
        window->GetDocument().disconnect(this);
    }
    delete m_mdiArea;
}

void CMainFrame::OnCreate()
{
    if (g_pFeedView != nullptr) {
        g_pFeedView->SetOnPushed([this] {
            m_cycle.DocumentChanged();
            FollowPendingPage();
        });
        PollWhenLoadEnds();
    }
    m_cycle.Start();
    ApplyStoredRefreshPeriod();
    m_refreshTimer.start();
    FollowPendingPage();
}

void CMainFrame::OnTimer(int id)
{
    m_cycle.OnTimer(id, g_pFeedView);
    FollowPendingPage();
}

// The poll only matters while a page is awaited; an idle watcher then wakes
// once a refresh period instead of ten times a second.
void CMainFrame::FollowPendingPage()
{
    if (m_cycle.PagePending()) {
        if (!m_pollTimer.isActive())
            m_pollTimer.start();
        return;
    }
    if (!m_pollTimer.isActive())
        return;
    m_pollTimer.stop();
    // A load frees megabytes of body and document, much of it in the build
    // thread's arena, which glibc would otherwise keep for good. Given back
    // once the windows show the new list.
    QTimer::singleShot(0, this, [] { malloc_trim(0); });
}

bool CMainFrame::event(QEvent* event)
{
    // Leaving a menu clears its prompt; the pane then shows the idle text.
    if (event->type() == QEvent::StatusTip
        && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        ShowActiveViewStatus();
        return true;
    }
    return QMainWindow::event(event);
}

// Nothing is lost on closing: the session keeps every window for the next
// start, so the windows close without asking. The cycle ends with the frame.
void CMainFrame::closeEvent(QCloseEvent* event)
{
    m_pollTimer.stop();
    m_refreshTimer.stop();
    SaveSession(*this);
    m_mdiArea->closeAllSubWindows();
    event->accept();
}

QList<CChildFrame*> CMainFrame::MapWindows() const
{
    QList<CChildFrame*> windows;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame != nullptr && !frame->isHidden())
            windows << frame;
    }
    return windows;
}

// The active map window's settings, or the idle text without one.
void CMainFrame::ShowActiveViewStatus()
{
    if (CChildFrame* active = ActiveMapWindow())
        active->GetView()->UpdateStatusText();
    else
        m_wndStatusBar->showMessage(QString(kIdleMessage));
}

CChildFrame* CMainFrame::ActiveMapWindow() const
{
    auto* frame = qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
    return frame != nullptr && !frame->isHidden() ? frame : nullptr;
}

WorldMapWindow* CMainFrame::ActiveWorldMap() const
{
    QMdiSubWindow* current = m_mdiArea->currentSubWindow();
    if (current == nullptr || current->isHidden())
        return nullptr;
    return qobject_cast<WorldMapWindow*>(current->widget());
}

void CMainFrame::UpdateMenus()
{
    // A world map alone needs the Window menu and Close as much as a polar one.
    const QList<QMdiSubWindow*> open = m_mdiArea->subWindowList();
    const bool anyOpen = std::any_of(
        open.begin(), open.end(), [](const QMdiSubWindow* window) { return !window->isHidden(); });
    const QList<QMenu*>& menus = anyOpen ? m_mapMenus : m_noDocumentMenus;
    if (menuBar()->actions().size() != menus.size()
        || menuBar()->actions().first() != menus.first()->menuAction()) {
        menuBar()->clear();
        for (QMenu* menu : menus)
            menuBar()->addMenu(menu);
    }
    m_closeAct->setEnabled(anyOpen);
    // The Map menu works on a world map too; Save only on a polar map.
    const bool either = ActiveMapWindow() != nullptr || ActiveWorldMap() != nullptr;
    m_chooseCityAct->setEnabled(either);
    m_parametersAct->setEnabled(either);
    m_saveAct->setEnabled(ActiveMapWindow() != nullptr);
    UpdateCaption();
}

void CMainFrame::UpdateCaption()
{
    NumberEqualTitles();
    CChildFrame* active = ActiveMapWindow();
    if (active == nullptr && !MapWindows().isEmpty())
        active = MapWindows().last();
    setWindowTitle(active != nullptr ? QString(kAppTitle) + " - " + active->windowTitle()
                                     : QString(kAppTitle));
}
void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(g_pFeedView != nullptr ? g_pFeedView->Address() : std::string(), this);
    dialog.exec();
}

void CMainFrame::OnHelpFinder()
{
    const QString page = HelpPagePath();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page))) {
        ShowMessage(this, QMessageBox::Warning,
                    tr("The help page %1 could not be opened.").arg(page));
    }
}

void CMainFrame::OnContextHelp()
{
    QWhatsThis::enterWhatsThisMode();
    m_wndStatusBar->showMessage(tr("Select an object on which to get Help"));
}

QString CMainFrame::FeedStatus() const
{
    return m_feedPane->text();
}

void CMainFrame::UpdateFeedStatus()
{
    tremolux::FeedStatus status;
    if (g_pFeedView != nullptr) {
        status.hasData = g_pFeedView->HasLoaded();
        status.lastGoodLoad = g_pFeedView->LastGoodLoad();
        status.loadFailure = g_pFeedView->LastFailure();
        status.anyLoadEnded = status.hasData || !status.loadFailure.empty();
        // Kept for the next start: a gap past the feed's reach is filled then.
        if (status.hasData && StoredLastGoodLoad().value != status.lastGoodLoad.value)
            AppSettings().setValue(settings::kLastGoodLoad, status.lastGoodLoad.value);
        m_feedPane->setToolTip(PlainToolTip(QString::fromStdString(
            g_pFeedView->OtherSources().empty() ? g_pFeedView->Address()
                                                : SourceStatesText(*g_pFeedView, m_clock.Now()))));
    }
    status.parseFailure = m_cycle.LastParseFailure();
    const OleDate now = m_clock.Now();
    std::string paneText = FeedStatusText(status, m_quakes.count(), now);
    if (g_pFeedView != nullptr && !g_pFeedView->OtherSources().empty())
        paneText += "  (" + CompactSourceStates(*g_pFeedView, now) + ")";
    m_feedPane->setText(QString::fromStdString(paneText));

    // Out of date: the last load failed, or the quakes shown missed two reloads.
    const double ageMs = OleDayDifference(now, status.lastGoodLoad) * 86400000.0;
    const bool stale =
        !status.loadFailure.empty() || !status.parseFailure.empty()
        || (status.hasData && ageMs > 2.0 * static_cast<double>(RefreshPeriod().count()));
    QString notice;
    if (!status.hasData && status.loadFailure.empty())
        notice = tr("Waiting for the feed…");
    else if (!status.hasData)
        notice = tr("No data: %1").arg(FailureReason(status.loadFailure, false));
    ShowFeedState(stale, notice);
}

// Each view is asked to paint: repainting the frame does not reach the opaque
// map views inside the MDI area. A view minimised or covered by the others
// draws nothing until it shows again; each draws its picture on its own.
void CMainFrame::RepaintAll()
{
    TakeLoad();
    UpdateFeedStatus();
    m_docks->ListChanged();
    for (CChildFrame* window : MapWindows()) {
        CTremoluxView* view = window->GetView();
        view->FollowSelection();
        if (!view->visibleRegion().isEmpty())
            view->update();
    }
    for (WorldMapWindow* world : m_mdiArea->findChildren<WorldMapWindow*>()) {
        world->FollowList();
        world->update();
    }
}

void CMainFrame::SetLocalTimes(bool local)
{
    AppSettings().setValue(settings::kLocalTimes, local);
    ShowTimesIn(local);
}

// The map labels keep UTC; the list says which clock its times are on, and the
// tooltips each time they are shown.
void CMainFrame::ShowTimesIn(bool local)
{
    (local ? m_localTimesAct : m_utcTimesAct)->setChecked(true);
    m_docks->SetTimeShown(local ? TimeShown::Local : TimeShown::Utc);
}

void CMainFrame::OpenHistory(const QString& path)
{
    if (!m_history.Open(path))
        ShowHistoryOff();
}

// Only a good load is compared: a failed one (the list then holds the last
// good page again, or nothing) changes nothing.
bool CMainFrame::GoodLoad() const
{
    return g_pFeedView != nullptr && g_pFeedView->HasLoaded() && g_pFeedView->LastFailure().empty()
           && m_cycle.LastParseFailure().empty();
}

// Told once, without waiting for the box to be closed: watching goes on.
void CMainFrame::ShowHistoryOff()
{
    m_historyOffShown = m_history.OffReason();
    const QString text = tr("History is off: %1").arg(m_historyOffShown);
    qCWarning(lcStore).noquote() << text;
    m_wndStatusBar->showMessage(text);
    auto* box =
        new QMessageBox(QMessageBox::Warning, QString(kAppTitle), text, QMessageBox::Ok, this);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// The box keeps the parser's own words and says below them what went wrong.
// One line for the log: the parser's words and, when the load failed, why.
void CMainFrame::LogFailure(const std::string& message) const
{
    QString line = QString::fromStdString(message);
    if (g_pFeedView != nullptr && !g_pFeedView->LastFailure().empty())
        line += QStringLiteral(" (%1)").arg(QString::fromStdString(g_pFeedView->LastFailure()));
    qCWarning(lcFeed).noquote() << line;
}

void CMainFrame::ShowFailure(const std::string& message)
{
    LogFailure(message);
    UpdateFeedStatus();
    QString reason;
    if (g_pFeedView != nullptr && !g_pFeedView->LastFailure().empty())
        reason = FailureReason(g_pFeedView->LastFailure());
    else if (message == kNoTablesFailure)
        reason = tr("The page is not a list of quakes.");
    const QString advice = tr("Check the network, or File > Open Feed… to read a saved feed.");
    ShowMessage(this, QMessageBox::Warning, QString::fromStdString(message),
                reason.isEmpty() ? advice : reason + " " + advice);
}

void CMainFrame::NoteFailure(const std::string& message)
{
    LogFailure(message);
    UpdateFeedStatus();
}

}  // namespace tremolux