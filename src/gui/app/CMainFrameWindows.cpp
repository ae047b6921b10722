#include "gui/app/CMainFrame.h"

#include <algorithm>

#include <QHash>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "gui/app/CChildFrame.h"
#include "gui/app/CTremoluxDoc.h"
#include "gui/app/InstallPaths.h"
#include "gui/app/WindowPlacement.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/WorldMapWindow.h"

// The Window menu's layouts of the map windows.
namespace tremolux {

namespace {

// A world map window's title before it is numbered.
constexpr char kPlainTitle[] = "tremoluxPlainTitle";

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

// Each window a title bar lower and to the right of the one before it, the
// active one last and on top, so that every title bar shows; a long stack
// starts again at the top left.
void CMainFrame::OnWindowCascade()
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isHidden() && !window->isMinimized())
            windows << window;
    }
    QMdiSubWindow* active = m_mdiArea->currentSubWindow();
    if (windows.removeOne(active))
        windows << active;
    if (windows.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int titleBar = windows.first()->widget() != nullptr ? windows.first()->widget()->y() : 0;
    const int step = std::max(titleBar, fontMetrics().height() + 8);
    const int n = static_cast<int>(windows.size());
    const int perStack = std::clamp(area.height() / 2 / step + 1, 1, n);
    const QSize size(std::max(area.width() - (perStack - 1) * step, area.width() / 2),
                     std::max(area.height() - (perStack - 1) * step, area.height() / 2));
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* window = windows[i];
        if (window->isMaximized())
            window->showNormal();
        const int offset = (i % perStack) * step;
        window->setGeometry(QRect(QPoint(offset, offset), size));
        window->raise();
    }
    if (active != nullptr)
        m_mdiArea->setActiveSubWindow(active);
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
    else if (const WorldMapWindow* world = ActiveWorldMap())
        content = world->Content();
    OpenWorldMapWindow(content);
}

WorldMapWindow* CMainFrame::OpenWorldMapWindow(const MapWindow& content)
{
    WorldMapWindow* world = OpenWorldMap(*m_mdiArea, m_quakes, m_clock, content, LandFilePath());
    if (world == nullptr)
        return nullptr;
    world->SetFrameCommands(m_mapMenu->actions());
    auto* window = qobject_cast<QMdiSubWindow*>(world->parentWidget());
    window->setProperty(kPlainTitle, window->windowTitle());
    connect(world, &WorldMapWindow::titleChanged, this, [this, window](const QString& title) {
        window->setProperty(kPlainTitle, title);
        NumberEqualTitles();
        UpdateCaption();
    });
    PlaceNewWindow(window);
    UpdateMenus();
    return world;
}

// A new window keeps the size it chose where that fits; the only window
// takes the whole area, which is what a first start shows.
void CMainFrame::PlaceNewWindow(QMdiSubWindow* window)
{
    const QRect area = m_mdiArea->viewport()->rect();
    if (area.isEmpty() || window->isMaximized())
        return;
    const QList<QMdiSubWindow*> open = m_mdiArea->subWindowList();
    const bool alone = std::none_of(open.begin(), open.end(), [window](const QMdiSubWindow* other) {
        return other != window && !other->isHidden();
    });
    window->setGeometry(alone ? area : IntoView(window->geometry(), area));
}

// Equal titles are told apart by number, in the order the windows opened:
// "Tokyo", "Tokyo (2)".
void CMainFrame::NumberEqualTitles()
{
    QHash<QString, int> seen;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isHidden())
            continue;
        const auto* map = qobject_cast<CChildFrame*>(window);
        const QString title = map != nullptr ? map->GetDocument().GetTitle()
                                             : window->property(kPlainTitle).toString();
        if (title.isEmpty())
            continue;
        const int number = ++seen[title];
        window->setWindowTitle(number == 1 ? title : tr("%1 (%2)").arg(title).arg(number));
    }
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
