#include "gui/app/CMainFrame.h"

#include <QAction>
#include <QMdiArea>
#include <QStatusBar>
#include <QStyle>

#include "gui/app/CChildFrame.h"
#include "gui/app/CTremoluxApp.h"
#include "gui/feed/FeedView.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/CWorldView.h"

// The commands every map window and the feed answer to from the menus and
// keys, without a hidden gesture: reload now, the map window's dialogs, moving
// between windows; how a new quake is announced is the alerts' own.
namespace tremolux {

namespace {

QAction* MakeAction(QObject* parent, const QString& text, const QString& prompt,
                    const QKeySequence& keys = {})
{
    auto* action = new QAction(text, parent);
    action->setStatusTip(prompt);
    action->setToolTip(QString(text).remove('&').remove(QChar(0x2026)));
    action->setShortcut(keys);
    return action;
}

}  // namespace

void CMainFrame::CreateMapActions()
{
    m_refreshAct = MakeAction(this, tr("&Refresh Now"), tr("Reload the quake feed now"),
                              QKeySequence(Qt::Key_F5));
    m_refreshAct->setIcon(QIcon::fromTheme(QStringLiteral("view-refresh"),
                                           style()->standardIcon(QStyle::SP_BrowserReload)));
    connect(m_refreshAct, &QAction::triggered, this, &CMainFrame::OnRefreshNow);

    m_chooseCityAct = MakeAction(this, tr("Choose &City…"),
                                 tr("Choose the active map window's city"),
                                 QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(m_chooseCityAct, &QAction::triggered, this, &CMainFrame::OnMapChooseCity);

    m_parametersAct = MakeAction(this, tr("&Parameters…"),
                                 tr("Set what the active map window shows"),
                                 QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(m_parametersAct, &QAction::triggered, this, &CMainFrame::OnMapParameters);

    m_nextWindowAct = MakeAction(this, tr("Ne&xt Window"), tr("Activate the next map window"),
                                 QKeySequence(Qt::CTRL | Qt::Key_Tab));
    connect(m_nextWindowAct, &QAction::triggered, m_mdiArea, &QMdiArea::activateNextSubWindow);

    m_previousWindowAct = MakeAction(this, tr("Pre&vious Window"),
                                     tr("Activate the previous map window"),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab));
    connect(m_previousWindowAct, &QAction::triggered, m_mdiArea,
            &QMdiArea::activatePreviousSubWindow);

    CreateAlertActions();
}

void CMainFrame::OnRefreshNow()
{
    if (g_pFeedView == nullptr)
        return;
    const int state = g_pFeedView->GetReadyState();
    if (state == FeedView::kReadyStateLoading || state == FeedView::kReadyStateLoaded) {
        m_wndStatusBar->showMessage(tr("The feed is being loaded already."), 3000);
        return;
    }
    OnTimer(MainCycle::ID_TIMER_REFRESH);
    // The next reload is a whole period after this one.
    if (m_refreshTimer.isActive())
        m_refreshTimer.start();
    UpdateFeedStatus();
}

void CMainFrame::OnMapChooseCity()
{
    if (CChildFrame* window = ActiveMapWindow())
        window->GetView()->OnLButtonDblClk();
    else if (CWorldView* world = ActiveWorldMap())
        world->OnLButtonDblClk();
}

void CMainFrame::OnMapParameters()
{
    if (CChildFrame* window = ActiveMapWindow())
        window->GetView()->OnRButtonDblClk();
    else if (CWorldView* world = ActiveWorldMap())
        world->OnParameters();
}

}  // namespace tremolux
