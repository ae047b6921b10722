#include "gui/app/Session.h"

#include <algorithm>
#include <cmath>

#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTableView>

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CTremoluxDoc.h"
#include "gui/app/QuakeDocks.h"
#include "gui/app/WindowPlacement.h"
#include "gui/common/Log.h"
#include "gui/common/Settings.h"
#include "gui/list/QuakeListPanel.h"
#include "gui/list/QuakeTableModel.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/WorldMapWindow.h"

namespace tremolux {

namespace {

const QString kMaximized = QStringLiteral("maximized");
const QString kMinimized = QStringLiteral("minimized");

// The stored values over a new window's; the city only when all of it is good.
MapWindow ReadWindowContent(const QSettings& settings)
{
    MapWindow content;
    MapWindow city;
    bool cityWhole = true;
    for (const char* key : {"city", "latitude", "longitude"}) {
        const std::string value = settings.value(key).toString().toStdString();
        cityWhole = cityWhole && ReadMapWindowValue(key, value, city).ok();
    }
    if (cityWhole)
        content.city = city.city;
    for (const char* key : {"hours", "nearest_km", "pie_km", "texts"}) {
        const Result<> read =
            ReadMapWindowValue(key, settings.value(key).toString().toStdString(), content);
        if (!read && settings.contains(key))
            qCWarning(lcSession).noquote()
                << "a stored window's" << QString::fromStdString(read.error());
    }
    return content;
}

// The stored zoom and pan; the whole Earth when they make no sense.
WorldView ReadWorldView(const QSettings& settings)
{
    bool ok[3] = {};
    const WorldView view{settings.value(settings::kWindowZoom).toDouble(&ok[0]),
                         settings.value(settings::kWindowOffsetX).toDouble(&ok[1]),
                         settings.value(settings::kWindowOffsetY).toDouble(&ok[2])};
    const bool sound = ok[0] && ok[1] && ok[2] && view.zoom >= kWorldMinZoom
                       && view.zoom <= kWorldMaxZoom && std::isfinite(view.offsetX)
                       && std::isfinite(view.offsetY);
    return sound ? view : WorldView{};
}

void SavePlacement(QSettings& settings, QMdiSubWindow* window)
{
    settings.setValue(settings::kWindowShow, window->isMaximized()   ? kMaximized
                                             : window->isMinimized() ? kMinimized
                                                                     : QStringLiteral("normal"));
    // The normal geometry is the one to come back to.
    if (window->isMaximized() || window->isMinimized())
        window->showNormal();
    settings.setValue(settings::kWindowGeometry, window->geometry());
}

void RestorePlacement(const QSettings& settings, QMdiSubWindow* window, const QRect& area)
{
    const QRect geometry = settings.value(settings::kWindowGeometry).toRect();
    if (geometry.isValid() && geometry.width() >= window->minimumSizeHint().width()
        && geometry.height() >= window->minimumSizeHint().height())
        window->setGeometry(IntoView(geometry, area));
    const QString show = settings.value(settings::kWindowShow).toString();
    if (show == kMaximized)
        window->showMaximized();
    else if (show == kMinimized)
        window->showMinimized();
}

WorldMapWindow* WorldIn(QMdiSubWindow* window)
{
    return qobject_cast<WorldMapWindow*>(window->widget());
}

// A stored world map; null when the land cannot be read (the user was told).
QMdiSubWindow* RestoreWorldWindow(CMainFrame& frame, const QSettings& settings)
{
    WorldMapWindow* world = frame.OpenWorldMapWindow(ReadWindowContent(settings));
    if (world == nullptr)
        return nullptr;
    world->SetView(ReadWorldView(settings));
    return qobject_cast<QMdiSubWindow*>(world->parentWidget());
}

}  // namespace

void SaveSession(CMainFrame& frame)
{
    AppSettings settings;
    settings.setValue(settings::kSessionFrameGeometry, frame.saveGeometry());
    settings.setValue(settings::kSessionFrameState, frame.saveState());
    settings.setValue(settings::kSessionStatusBar, !frame.m_wndStatusBar->isHidden());
    const QHeaderView* header = frame.Docks().Panel().Table()->horizontalHeader();
    settings.setValue(settings::kSessionListSortColumn, header->sortIndicatorSection());
    settings.setValue(settings::kSessionListSortOrder,
                      header->sortIndicatorOrder() == Qt::AscendingOrder ? "ascending"
                                                                         : "descending");

    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : frame.MdiArea()->subWindowList(QMdiArea::StackingOrder)) {
        if (!window->isHidden()
            && (qobject_cast<CChildFrame*>(window) != nullptr || WorldIn(window) != nullptr))
            windows << window;
    }
    settings.setValue(settings::kSessionActiveWindow,
                      static_cast<int>(windows.indexOf(frame.MdiArea()->currentSubWindow())));
    settings.remove(settings::kSessionWindows);
    settings.beginWriteArray(settings::kSessionWindows, static_cast<int>(windows.size()));
    for (int i = 0; i < windows.size(); ++i) {
        settings.setArrayIndex(i);
        MapWindow content;
        if (auto* map = qobject_cast<CChildFrame*>(windows[i])) {
            content = map->GetView()->Content();
            settings.setValue(settings::kWindowFile, map->GetDocument().GetPathName());
        } else {
            const WorldMapWindow* world = WorldIn(windows[i]);
            content = world->Content();
            settings.setValue(settings::kWindowKind, settings::kWorldWindowKind);
            settings.setValue(settings::kWindowZoom, world->View().zoom);
            settings.setValue(settings::kWindowOffsetX, world->View().offsetX);
            settings.setValue(settings::kWindowOffsetY, world->View().offsetY);
        }
        for (const auto& [key, value] : MapWindowValues(content))
            settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
        SavePlacement(settings, windows[i]);
    }
    settings.endArray();
}

void RestoreFrameLayout(CMainFrame& frame)
{
    const AppSettings settings;
    frame.restoreGeometry(settings.value(settings::kSessionFrameGeometry).toByteArray());
    KeepFrameUsable(frame);
    frame.restoreState(settings.value(settings::kSessionFrameState).toByteArray());
    if (!settings.value(settings::kSessionStatusBar, true).toBool())
        frame.m_wndStatusBar->hide();
    bool stored = false;
    const int column = settings.value(settings::kSessionListSortColumn).toInt(&stored);
    if (stored && column >= 0 && column < QuakeTableModel::ColumnCount) {
        const bool ascending =
            settings.value(settings::kSessionListSortOrder).toString() == "ascending";
        frame.Docks().SortList(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
}

bool RestoreMapWindows(CMainFrame& frame)
{
    AppSettings settings;
    const int count =
        std::min(settings.beginReadArray(settings::kSessionWindows), settings::kMaxSessionWindows);
    // Indexed as stored, so that the active one is found again.
    QList<QMdiSubWindow*> windows;
    const QRect area = frame.MdiArea()->viewport()->rect();
    // Every world map draws the same land: once it cannot be read (and the
    // user was told), the other stored world maps are not tried.
    bool landFailed = false;
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        QMdiSubWindow* window = nullptr;
        if (settings.value(settings::kWindowKind).toString() == settings::kWorldWindowKind) {
            if (!landFailed)
                window = RestoreWorldWindow(frame, settings);
            landFailed = window == nullptr;
        } else
            window = frame.OpenMapWindow(ReadWindowContent(settings),
                                         settings.value(settings::kWindowFile).toString());
        if (window != nullptr)
            RestorePlacement(settings, window, area);
        windows << window;
    }
    settings.endArray();
    QMdiSubWindow* active =
        windows.value(settings.value(settings::kSessionActiveWindow, -1).toInt());
    windows.removeAll(nullptr);
    if (windows.isEmpty())
        return false;
    frame.MdiArea()->setActiveSubWindow(active != nullptr ? active : windows.last());
    return true;
}

}  // namespace tremolux
