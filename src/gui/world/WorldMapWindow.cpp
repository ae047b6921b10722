#include "gui/world/WorldMapWindow.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <map>
#include <memory>
#include <new>

#include "core/cities/CityEntry.h"
#include "core/common/Clock.h"
#include "core/events/EventIdentity.h"
#include "core/feed/QuakeList.h"
#include "core/world/DrawWorld.h"
#include "core/world/WorldStyle.h"
#include "gui/common/Log.h"
#include "gui/common/MessageBoxes.h"
#include "gui/view/MapWindowCommands.h"
#include "gui/view/QPainterCanvas.h"
#include "gui/world/DrawAlertRings.h"

namespace tremolux {

namespace {

// One notch of the wheel zooms by this factor.
constexpr double kZoomPerNotch = 1.25;

// How long the view rests before the land is painted anew for it.
constexpr int kSettleMs = 150;

// An image painted for the projection was, moved and scaled so that its Earth
// lies on now's; an image painted while the window had no size has nothing
// to scale.
void DrawMoved(QPainter& painter, const QImage& image, const WorldProjection& was,
               const WorldProjection& now)
{
    if (!(was.earthRadius() > 0.0))
        return;
    const double scale = now.earthRadius() / was.earthRadius();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(now.centreX(), now.centreY());
    painter.scale(scale, scale);
    painter.translate(-was.centreX(), -was.centreY());
    painter.drawImage(0, 0, image);
    painter.restore();
}

}  // namespace

WorldMapWindow::WorldMapWindow(const QuakeList& quakes, const Clock& clock, const Land& land,
                               const MapWindow& content, QWidget* parent)
    : QuakeWindow(parent),
      m_quakes(quakes),
      m_clock(clock),
      m_land(land),
      m_city(content.city),
      m_settings(content.settings)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // "=" too: "+" is a shifted "=" on many keyboards.
    AddCommand(tr("Zoom &In"), {Qt::Key_Plus, Qt::Key_Equal}, &WorldMapWindow::ZoomIn);
    AddCommand(tr("Zoom &Out"), {Qt::Key_Minus}, &WorldMapWindow::ZoomOut);
    AddCommand(tr("&Fit Earth"), {Qt::Key_Home}, &WorldMapWindow::FitEarth);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (!BaseFits(Projection())) {
            m_base = QImage();
            update();
        }
    });
}

void WorldMapWindow::AddCommand(const QString& text, const QList<QKeySequence>& shortcuts,
                                void (WorldMapWindow::*slot)())
{
    auto* action = new QAction(text, this);
    action->setShortcuts(shortcuts);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
}

void WorldMapWindow::SetCity(const CityEntry& city)
{
    m_city = city;
    m_base = QImage();
    emit titleChanged(tr("World map: %1").arg(QString::fromStdString(city.name)));
    update();
}

void WorldMapWindow::SetSettings(const DisplaySettings& settings)
{
    m_settings = settings;
    m_base = QImage();
    update();
    emit shownChanged();
}

void WorldMapWindow::FitEarth()
{
    SetView(WorldView{});
}

void WorldMapWindow::ZoomIn()
{
    SetView(ZoomAbout(m_view, width(), height(), width() / 2.0, height() / 2.0, kZoomPerNotch));
}

void WorldMapWindow::ZoomOut()
{
    SetView(
        ZoomAbout(m_view, width(), height(), width() / 2.0, height() / 2.0, 1.0 / kZoomPerNotch));
}

void WorldMapWindow::SelectQuake(int index)
{
    FollowList();
    if (index < 0 || index >= m_quakes.count())
        index = -1;
    m_selectedEvent.reset();
    if (index >= 0)
        m_selectedEvent = m_quakes.at(index);
    const bool changed = index != m_selected;
    m_selected = index;
    update();
    if (changed)
        emit quakeSelected(index);
}

int WorldMapWindow::QuakeAtPoint(QPointF point) const
{
    // Discs drawn from an older list would name the wrong quakes, and discs
    // of another view lie elsewhere.
    const WorldProjection projection = Projection();
    if (m_layer.isNull() || m_layerKey.listRevision != m_quakes.Revision()
        || m_layerKey.centreX != projection.centreX() || m_layerKey.centreY != projection.centreY()
        || m_layerKey.earthRadius != projection.earthRadius())
        return -1;
    return QuakeAt(m_drawn, point.x(), point.y());
}

void WorldMapWindow::OnLButtonDblClk()
{
    if (const std::optional<CityEntry> city = ChooseCity())
        SetCity(*city);
}

void WorldMapWindow::OnParameters()
{
    if (const std::optional<DisplaySettings> settings = EditParameters(m_settings))
        SetSettings(*settings);
}

QSize WorldMapWindow::sizeHint() const
{
    return {700, 600};
}

WorldProjection WorldMapWindow::Projection() const
{
    return ViewProjection(m_city.position, width(), height(), m_view);
}

void WorldMapWindow::SetView(const WorldView& view)
{
    m_view = view;
    SettleLater();
    update();
}

void WorldMapWindow::SettleLater()
{
    m_settle.start();
}

// A load rebuilds the list: the marks move to what it brought and the
// selection to where its quake now is, or to none when it left the list.
void WorldMapWindow::FollowList()
{
    if (m_quakes.Revision() == m_listRevision)
        return;
    m_marks.Update(m_quakes);
    m_listRevision = m_quakes.Revision();
    const int was = m_selected;
    m_selected = m_selectedEvent ? FindEvent(m_quakes, *m_selectedEvent) : -1;
    if (m_selected < 0)
        m_selectedEvent.reset();
    if (m_selected != was)
        emit quakeSelected(m_selected);
}

void WorldMapWindow::PaintBase(const WorldProjection& projection)
{
    const qreal ratio = devicePixelRatioF();
    m_base = QImage(size() * ratio, QImage::Format_RGB32);
    m_base.setDevicePixelRatio(ratio);
    m_baseProjection = projection;
    QPainter painter(&m_base);
    QPainterCanvas canvas(painter, MapLabelFont());
    DrawWorldBase(canvas, width(), height(), projection, m_land, m_settings);
    canvas.Flush();
}

bool WorldMapWindow::BaseFits(const WorldProjection& projection) const
{
    const WorldProjection& was = m_baseProjection;
    return !m_base.isNull() && m_base.deviceIndependentSize() == QSizeF(size())
           && was.centreX() == projection.centreX() && was.centreY() == projection.centreY()
           && was.earthRadius() == projection.earthRadius();
}

// The cached layer as it is when it fits the projection; else moved and
// scaled so that its Earth lies on the projection's, until it is painted anew.
void WorldMapWindow::DrawBase(QPainter& painter, const WorldProjection& projection)
{
    if (BaseFits(projection)) {
        painter.drawImage(0, 0, m_base);
        return;
    }
    const WorldProjection& was = m_baseProjection;
    const Rgb around = world_style::kWindowColor;
    painter.fillRect(rect(), QColor(around.red, around.green, around.blue));
    if (!m_settle.isActive())
        SettleLater();
    DrawMoved(painter, m_base, was, projection);
}

// The still picture is painted once per city, size, settings and view; the
// quakes over it are drawn on a worker thread, and the last layer drawn is
// shown until the new one is done.
void WorldMapWindow::paintEvent(QPaintEvent*)
{
    FollowList();
    const WorldProjection projection = Projection();
    if (m_base.isNull() || m_base.devicePixelRatio() != devicePixelRatioF())
        PaintBase(projection);
    const LayerKey key = CurrentLayerKey(projection);
    if (m_layer.isNull() || !(key == m_layerKey)) {
        LayerKey sameMoment = key;
        sameMoment.now = m_layerKey.now;
        if (m_worker.Busy())
            m_newerWanted = true;
        else if (!(m_justTaken && sameMoment == m_layerKey))
            RequestLayer(key, projection);
    }
    m_justTaken = false;

    QPainter painter(this);
    DrawBase(painter, projection);
    DrawLayer(painter, projection);
    DrawAlertRings(painter, projection, m_rings);
}

bool WorldMapWindow::LayerKey::operator==(const LayerKey& other) const
{
    return listRevision == other.listRevision && centreX == other.centreX
           && centreY == other.centreY && earthRadius == other.earthRadius
           && latitude == other.latitude && longitude == other.longitude && size == other.size
           && pixelRatio == other.pixelRatio && settings.drawTexts == other.settings.drawTexts
           && settings.hours == other.settings.hours
           && settings.nearestRadius == other.settings.nearestRadius
           && settings.pieRadius == other.settings.pieRadius && selected == other.selected
           && now.value == other.now.value && now.valid == other.now.valid;
}

WorldMapWindow::LayerKey WorldMapWindow::CurrentLayerKey(const WorldProjection& projection) const
{
    LayerKey key;
    key.listRevision = m_quakes.Revision();
    key.centreX = projection.centreX();
    key.centreY = projection.centreY();
    key.earthRadius = projection.earthRadius();
    key.latitude = m_city.position.latDecimal;
    key.longitude = m_city.position.lonDecimal;
    key.size = size();
    key.pixelRatio = devicePixelRatioF();
    key.settings = m_settings;
    key.selected = m_selected;
    key.now = m_clock.Now();
    return key;
}

bool WorldMapWindow::PictureIsCurrent() const
{
    return !m_layer.isNull() && CurrentLayerKey(Projection()) == m_layerKey;
}

// The worker reads only copies: the list may be read anew, the window
// closed, before the layer is done. The land is read only, by every window.
void WorldMapWindow::RequestLayer(const LayerKey& key, const WorldProjection& projection)
{
    m_worker.Start([key, projection, quakes = std::make_shared<const QuakeList>(m_quakes),
                    marks = m_marks, this]() -> PictureWorker::Deliver {
        auto layer = std::make_shared<Layer>();
        layer->key = key;
        layer->image = QImage(key.size * key.pixelRatio, QImage::Format_ARGB32_Premultiplied);
        if (!layer->image.isNull()) {
            layer->image.setDevicePixelRatio(key.pixelRatio);
            layer->image.fill(Qt::transparent);
            QPainter painter(&layer->image);
            try {
                layer->drawn =
                    PlaceWorldQuakes(projection, UnitPlaces(projection, *quakes), key.settings,
                                     *quakes, key.now, key.size.width(), key.size.height());
                QPainterCanvas canvas(painter, MapLabelFont());
                DrawPlacedQuakes(canvas, projection, layer->drawn, *quakes, marks, key.selected);
                canvas.Flush();
            } catch (const std::bad_alloc&) {
                layer->drawn.clear();
            }
        }
        return [this, layer, projection] {
            m_layerProjection = projection;
            TakeLayer(std::move(*layer));
        };
    });
}

void WorldMapWindow::TakeLayer(Layer layer)
{
    m_layer = std::move(layer.image);
    m_drawn = std::move(layer.drawn);
    m_layerKey = layer.key;
    if (m_newerWanted) {
        m_newerWanted = false;
        const WorldProjection projection = Projection();
        const LayerKey key = CurrentLayerKey(projection);
        if (!(key == m_layerKey))
            RequestLayer(key, projection);
    }
    m_justTaken = true;
    update();
}

// The layer as drawn when it fits the projection; else moved and scaled so
// that its Earth lies on the projection's, like the still picture.
void WorldMapWindow::DrawLayer(QPainter& painter, const WorldProjection& projection)
{
    if (m_layer.isNull())
        return;
    const WorldProjection& was = m_layerProjection;
    if (was.centreX() == projection.centreX() && was.centreY() == projection.centreY()
        && was.earthRadius() == projection.earthRadius()) {
        painter.drawImage(0, 0, m_layer);
        return;
    }
    DrawMoved(painter, m_layer, was, projection);
}

void WorldMapWindow::SetAlertRings(std::vector<AlertRing> rings)
{
    m_rings = std::move(rings);
    update();
    emit shownChanged();
}

void WorldMapWindow::resizeEvent(QResizeEvent* event)
{
    SettleLater();
    QWidget::resizeEvent(event);
}

bool WorldMapWindow::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const int index = QuakeAtPoint(static_cast<QHelpEvent*>(event)->pos());
    // The tip goes when the pointer leaves the disc.
    QRect disc;
    for (const DrawnQuake& drawn : m_drawn) {
        if (drawn.index == index) {
            const int reach = static_cast<int>(std::ceil(drawn.radius + kQuakeHitSlack));
            disc = QRect(static_cast<int>(drawn.x) - reach, static_cast<int>(drawn.y) - reach,
                         2 * reach + 1, 2 * reach + 1);
        }
    }
    const QString details =
        index < 0 ? QString() : QuakeDetailsText(m_quakes.at(index), m_city, m_clock.Now());
    ShowQuakeToolTip(this, event, details, disc);
    return true;
}

QMenu* WorldMapWindow::CreateContextMenu(QPoint pos)
{
    QMenu* menu = CreateMapWindowMenu(*this, actions());
    const int index = QuakeAtPoint(pos);
    if (index < 0)
        return menu;
    SelectQuake(index);
    const QuakeRecord& quake = m_quakes.at(index);
    AddQuakeEntries(menu, QuakeDetailsText(quake, m_city, m_clock.Now()), quake.eventPage);
    return menu;
}

void WorldMapWindow::contextMenuEvent(QContextMenuEvent* event)
{
    PopUpMapWindowMenu(*this, CreateContextMenu(event->pos()), event->pos());
    event->accept();
}

void WorldMapWindow::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0)
        return;
    const QPointF at = event->position();
    SetView(ZoomAbout(m_view, width(), height(), at.x(), at.y(), std::pow(kZoomPerNotch, notches)));
    event->accept();
}

void WorldMapWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressedAt = event->position().toPoint();
        m_dragFrom = *m_pressedAt;
        m_dragging = false;
    }
    QWidget::mousePressEvent(event);
}

// A press that moves further than a click would becomes a drag.
void WorldMapWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressedAt || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint now = event->position().toPoint();
    if (!m_dragging && (now - *m_pressedAt).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    const QPoint moved = now - m_dragFrom;
    m_dragFrom = now;
    SetView(PanBy(m_view, width(), height(), moved.x(), moved.y()));
}

void WorldMapWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pressedAt) {
        if (!m_dragging)
            SelectQuake(QuakeAtPoint(event->position()));
        m_pressedAt.reset();
        m_dragging = false;
    }
    QWidget::mouseReleaseEvent(event);
}

void WorldMapWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressedAt.reset();
        m_dragging = false;
        OnLButtonDblClk();
    }
    QWidget::mouseDoubleClickEvent(event);
}

WorldMapWindow* OpenWorldMap(QMdiArea& area, const QuakeList& quakes, const Clock& clock,
                             const MapWindow& content, const QString& landPath)
{
    // Read once; every world map window draws the same land. A file that
    // cannot be read is tried again next time.
    static std::map<QString, Land> lands;
    auto land = lands.find(landPath);
    if (land == lands.end()) {
        Result<Land> read = ReadLandFile(landPath.toStdString());
        if (!read) {
            const QString text = QObject::tr("The world map cannot be shown: %1")
                                     .arg(QString::fromStdString(read.error()));
            qCWarning(lcSession).noquote() << text;
            ShowMessage(&area, QMessageBox::Warning, text);
            return nullptr;
        }
        land = lands.emplace(landPath, std::move(*read)).first;
    }
    MapWindow shown = content;
    if (shown.city.name.empty())
        shown.city = InitialCity();
    auto* view = new WorldMapWindow(quakes, clock, land->second, shown);
    QMdiSubWindow* window = area.addSubWindow(view);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(view, &WorldMapWindow::titleChanged, window, &QWidget::setWindowTitle);
    view->SetCity(shown.city);
    window->show();
    area.setActiveSubWindow(window);
    return view;
}

}  // namespace tremolux
