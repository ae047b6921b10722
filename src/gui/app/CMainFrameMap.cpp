#include "gui/app/CMainFrame.h"

#include <QMdiArea>
#include <QStatusBar>

#include "gui/app/CChildFrame.h"
#include "gui/app/CTremoluxApp.h"
#include "gui/feed/FeedView.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/WorldMapWindow.h"

// What the map and feed commands do: reload now, the active map window's
// dialogs.
namespace tremolux {

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
    else if (WorldMapWindow* world = ActiveWorldMap())
        world->OnLButtonDblClk();
}

void CMainFrame::OnMapParameters()
{
    if (CChildFrame* window = ActiveMapWindow())
        window->GetView()->OnRButtonDblClk();
    else if (WorldMapWindow* world = ActiveWorldMap())
        world->OnParameters();
}

}  // namespace tremolux
