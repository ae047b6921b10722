#include "gui/app/Session.h"

#include <algorithm>

#include <QMdiArea>
#include <QStatusBar>

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CTremoluxDoc.h"
#include "gui/common/Settings.h"
#include "gui/view/CTremoluxView.h"

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
        cityWhole = cityWhole && !ReadMapWindowValue(key, value, city).has_value();
    }
    if (cityWhole)
        content.city = city.city;
    for (const char* key : {"hours", "nearest_km", "pie_km", "texts"})
        ReadMapWindowValue(key, settings.value(key).toString().toStdString(), content);
    return content;
}

// Within the area when it fits, else at its top left corner.
QRect IntoView(QRect geometry, const QRect& area)
{
    geometry.setSize(geometry.size().boundedTo(area.size()));
    geometry.moveLeft(std::clamp(geometry.left(), area.left(), area.right() + 1 - geometry.width()));
    geometry.moveTop(std::clamp(geometry.top(), area.top(), area.bottom() + 1 - geometry.height()));
    return geometry;
}

}  // namespace

void SaveSession(CMainFrame& frame)
{
    AppSettings settings;
    settings.setValue(settings::kSessionFrameGeometry, frame.saveGeometry());
    settings.setValue(settings::kSessionFrameState, frame.saveState());
    settings.setValue(settings::kSessionStatusBar, !frame.m_wndStatusBar->isHidden());

    QList<CChildFrame*> windows;
    for (QMdiSubWindow* window : frame.MdiArea()->subWindowList(QMdiArea::StackingOrder)) {
        auto* map = qobject_cast<CChildFrame*>(window);
        if (map != nullptr && !map->isHidden())
            windows << map;
    }
    settings.setValue(settings::kSessionActiveWindow,
                      static_cast<int>(windows.indexOf(frame.ActiveMapWindow())));
    settings.remove(settings::kSessionWindows);
    settings.beginWriteArray(settings::kSessionWindows, static_cast<int>(windows.size()));
    for (int i = 0; i < windows.size(); ++i) {
        CChildFrame* window = windows[i];
        settings.setArrayIndex(i);
        for (const auto& [key, value] : MapWindowValues(window->GetView()->Content()))
            settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
        settings.setValue(settings::kWindowFile, window->GetDocument().GetPathName());
        settings.setValue(settings::kWindowShow, window->isMaximized()   ? kMaximized
                                                 : window->isMinimized() ? kMinimized
                                                                         : QStringLiteral("normal"));
        // The normal geometry is the one to come back to.
        if (window->isMaximized() || window->isMinimized())
            window->showNormal();
        settings.setValue(settings::kWindowGeometry, window->geometry());
    }
    settings.endArray();
}

void RestoreFrameLayout(CMainFrame& frame)
{
    const AppSettings settings;
    frame.restoreGeometry(settings.value(settings::kSessionFrameGeometry).toByteArray());
    frame.restoreState(settings.value(settings::kSessionFrameState).toByteArray());
    if (!settings.value(settings::kSessionStatusBar, true).toBool())
        frame.m_wndStatusBar->hide();
}

bool RestoreMapWindows(CMainFrame& frame)
{
    AppSettings settings;
    const int count =
        std::min(settings.beginReadArray(settings::kSessionWindows), settings::kMaxSessionWindows);
    QList<CChildFrame*> windows;
    const QRect area = frame.MdiArea()->viewport()->rect();
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        CChildFrame* window = frame.OpenMapWindow(ReadWindowContent(settings),
                                                  settings.value(settings::kWindowFile).toString());
        const QRect geometry = settings.value(settings::kWindowGeometry).toRect();
        if (geometry.isValid() && geometry.width() >= window->minimumSizeHint().width()
            && geometry.height() >= window->minimumSizeHint().height())
            window->setGeometry(IntoView(geometry, area));
        const QString show = settings.value(settings::kWindowShow).toString();
        if (show == kMaximized)
            window->showMaximized();
        else if (show == kMinimized)
            window->showMinimized();
        windows << window;
    }
    settings.endArray();
    if (windows.isEmpty())
        return false;
    const int active = settings.value(settings::kSessionActiveWindow, -1).toInt();
    frame.MdiArea()->setActiveSubWindow(active >= 0 && active < windows.size() ? windows[active]
                                                                               : windows.last());
    return true;
}

}  // namespace tremolux
