#pragma once

#include <optional>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QTimer>

#include "core/alerts/AlertRings.h"
#include "core/cities/CityEntry.h"
#include "core/common/DisplaySettings.h"
#include "core/events/NewEvents.h"
#include "core/feed/QuakeRecord.h"
#include "core/session/MapWindowFile.h"
#include "core/world/DrawnQuake.h"
#include "core/world/LandFile.h"
#include "core/world/WorldView.h"
#include "gui/common/QuakeWindow.h"
#include "gui/view/PictureWorker.h"

class QMdiArea;
class QMenu;
class QPainter;

namespace tremolux {

class Clock;
class QuakeList;

// The world map window: the Earth about its own city, drawn from the
// program's one quake list. The wheel zooms about the pointer, a drag pans,
// a click selects the quake under the pointer and its tip names it; the
// context menu offers zooming (also + and -), Fit Earth (also Home), the city
// (also a left double-click), the display parameters (the hours filter
// the quakes) and, over a quake, its details and event page.
class WorldMapWindow : public QuakeWindow {
    Q_OBJECT
public:
    WorldMapWindow(const QuakeList& quakes, const Clock& clock, const Land& land,
                   const MapWindow& content, QWidget* parent = nullptr);

    const CityEntry& City() const { return m_city; }
    const DisplaySettings& Settings() const { return m_settings; }
    const WorldView& View() const { return m_view; }
    MapWindow Content() const override { return {m_city, m_settings}; }
    void SetCity(const CityEntry& city);
    void SetSettings(const DisplaySettings& settings);
    // Zoom and pan as the user left them; checked by the caller.
    void SetView(const WorldView& view);
    void FitEarth();
    // By one notch of the wheel about the window's centre.
    void ZoomIn();
    void ZoomOut();

    // The selected quake, an index into the quake list, or -1 for none. It
    // follows its quake when a load rebuilds the list, announcing its new
    // index (-1 once the quake has left the list).
    int SelectedQuake() const override { return m_selected; }
    // Selects index (-1: none) and marks it; announces a change.
    void SelectQuake(int index) override;
    // The alert rules' rings, drawn over the map.
    void SetAlertRings(std::vector<AlertRing> rings);
    const std::vector<AlertRing>& AlertRingsShown() const { return m_rings; }
    // The quake drawn under the point, as the window shows it now, or -1.
    int QuakeAtPoint(QPointF point) const;
    // Takes a load: marks what it brought and follows the selection. The
    // frame calls it after every load, so that a window not painted in
    // between still marks as the quake list does.
    void FollowList();

    // The quakes shown are drawn for the list, view, settings, selection and
    // clock second as they are now: what a paint shows once drawing is done.
    bool PictureIsCurrent() const;

    // The commands that run a dialog modally.
    void OnLButtonDblClk();
    void OnParameters();

    // The window's menu at pos, as a right click opens it; the quake under
    // pos is selected.
    QMenu* CreateContextMenu(QPoint pos);

    QSize sizeHint() const override;

signals:
    // Its settings or the alert rings over it changed: the legend follows.
    void shownChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // What the quakes' layer shows; a layer drawn for another key is out of date.
    struct LayerKey {
        unsigned long long listRevision = 0;
        double centreX = 0.0;
        double centreY = 0.0;
        double earthRadius = 0.0;
        double latitude = 0.0;
        double longitude = 0.0;
        QSize size;
        qreal pixelRatio = 0.0;
        DisplaySettings settings;
        int selected = -1;
        OleDate now;

        bool operator==(const LayerKey& other) const;
    };
    struct Layer {
        LayerKey key;
        QImage image;
        std::vector<DrawnQuake> drawn;
    };

    LayerKey CurrentLayerKey(const WorldProjection& projection) const;
    void RequestLayer(const LayerKey& key, const WorldProjection& projection);
    void TakeLayer(Layer layer);
    void DrawLayer(QPainter& painter, const WorldProjection& projection);
    WorldProjection Projection() const;
    void PaintBase(const WorldProjection& projection);
    bool BaseFits(const WorldProjection& projection) const;
    void DrawBase(QPainter& painter, const WorldProjection& projection);
    void SettleLater();
    void AddCommand(const QString& text, const QList<QKeySequence>& shortcuts,
                    void (WorldMapWindow::*slot)());

    const QuakeList& m_quakes;
    const Clock& m_clock;
    const Land& m_land;
    CityEntry m_city;
    DisplaySettings m_settings;
    WorldView m_view;
    // Land, graticule and rings as painted for a projection; null when out
    // of date. While the user zooms, pans or resizes it is shown moved and
    // scaled, and painted anew once the view has rested a moment.
    QImage m_base;
    WorldProjection m_baseProjection{0.0, 0.0, 0.0, 0.0, 1.0};
    std::vector<AlertRing> m_rings;
    QTimer m_settle;
    NewEvents m_marks;
    unsigned long long m_listRevision = 0;
    int m_selected = -1;
    std::optional<QuakeRecord> m_selectedEvent;
    // The quakes drawn over the still picture, on a worker thread: shown
    // moved and scaled like it while a newer layer is drawn. m_drawn are its
    // discs; the pointer finds quakes among them.
    QImage m_layer;
    LayerKey m_layerKey;
    WorldProjection m_layerProjection{0.0, 0.0, 0.0, 0.0, 1.0};
    std::vector<DrawnQuake> m_drawn;
    PictureWorker m_worker;
    bool m_newerWanted = false;
    // The next paint only shows the layer just taken (see CTremoluxView).
    bool m_justTaken = false;
    std::optional<QPoint> m_pressedAt;
    QPoint m_dragFrom;
    bool m_dragging = false;
};

// Opens a world map window in the MDI area showing content (Tokyo for a
// city without a name, as a map window has before its first paint), after
// reading the land file the first time. Nothing but a message box when the
// land cannot be read.
WorldMapWindow* OpenWorldMap(QMdiArea& area, const QuakeList& quakes, const Clock& clock,
                             const MapWindow& content, const QString& landPath);

}  // namespace tremolux
