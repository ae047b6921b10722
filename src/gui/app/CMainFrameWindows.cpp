#include "gui/app/CMainFrame.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "gui/app/CChildFrame.h"
#include "gui/app/InstallPaths.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/CWorldView.h"

// The Window menu's layouts of the map windows.
namespace tremolux {

namespace {

// Lays the windows out in one row (side by side) or one column.
void TileInLine(QMdiArea* area, bool sideBySide)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isHidden() && !window->isMinimized())
            windows << window;
    }
    if (windows.isEmpty())
        return;
    const QRect area_ = area->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    const int length = sideBySide ? area_.width() : area_.height();
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* window = windows[i];
        if (window->isMaximized())
            window->showNormal();
        const int from = length * i / n;
        const int to = length * (i + 1) / n;
        window->setGeometry(sideBySide ? QRect(from, 0, to - from, area_.height())
                                       : QRect(0, from, area_.width(), to - from));
    }
}

}  // namespace

void CMainFrame::OnWindowCascade()
{
    m_mdiArea->cascadeSubWindows();
}

void CMainFrame::OnWindowTileHorz()
{
    TileInLine(m_mdiArea, false);
}

void CMainFrame::OnWindowTileVert()
{
    TileInLine(m_mdiArea, true);
}

void CMainFrame::OnWindowNewWorldMap()
{
    MapWindow content;
    if (const CChildFrame* map = ActiveMapWindow())
        content = map->GetView()->Content();
    else if (const CWorldView* world = ActiveWorldMap())
        content = world->Content();
    OpenWorldMap(*m_mdiArea, m_quakes, m_clock, content, LandFilePath());
}

// Minimized windows in rows along the bottom edge, left to right.
void CMainFrame::OnWindowArrange()
{
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0;
    int bottom = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isHidden() || !window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        window->move(x, bottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}
}  // namespace tremolux
