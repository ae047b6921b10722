#include "gui/view/CTremoluxView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtConcurrent/QtConcurrentMap>

#include <utility>
#include <vector>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "core/view/DrawQuakes.h"
#include "gui/view/MapLabelFont.h"
#include "gui/view/MapWindowCommands.h"
#include "gui/view/QPainterCanvas.h"

namespace tremolux {

CTremoluxView::CTremoluxView(const QuakeList& quakes, const Clock& clock, QWidget* parent)
    : QuakeWindow(parent), m_font(MapLabelFont()), m_quakes(quakes), m_clock(clock)
{
    setFocusPolicy(Qt::ClickFocus);
    setWhatsThis(tr("A map of the recent quakes around this window's city. Each quake is a "
                    "ray in its direction from the city; fresh quakes lie on the outer circle. "
                    "Double-click with the left button to choose the city, with the right "
                    "button to change what is shown."));
    m_strStatus = StatusText(m_settings);
    m_contextMenuDelay.setSingleShot(true);
    connect(&m_contextMenuDelay, &QTimer::timeout, this,
            [this] { ShowContextMenu(m_contextMenuPos); });
}

QSize CTremoluxView::sizeHint() const
{
    return {480, 400};
}

void CTremoluxView::UpdateStatusText()
{
    m_strStatus = StatusText(m_settings);
    emit statusTextChanged(QString::fromStdString(m_strStatus));
}

void CTremoluxView::SetSettings(const DisplaySettings& settings)
{
    m_settings = settings;
    UpdateStatusText();
    repaint();
}

MapWindow CTremoluxView::Content() const
{
    return {m_city.name.empty() ? CurrentCity : m_city, m_settings};
}

void CTremoluxView::SetContent(const MapWindow& window)
{
    if (!window.city.name.empty())
        TakeCity(window.city);
    SetSettings(window.settings);
}

void CTremoluxView::TakeCity(const CityEntry& city)
{
    m_city = city;
    emit titleChanged(QString::fromStdString(m_city.name));
}

bool CTremoluxView::PictureKey::operator==(const PictureKey& other) const
{
    return listRevision == other.listRevision && settings.drawTexts == other.settings.drawTexts
           && settings.hours == other.settings.hours
           && settings.nearestRadius == other.settings.nearestRadius
           && settings.pieRadius == other.settings.pieRadius && latitude == other.latitude
           && longitude == other.longitude && size == other.size
           && pixelRatio == other.pixelRatio && now.value == other.now.value
           && now.valid == other.now.valid;
}

CTremoluxView::PictureKey CTremoluxView::CurrentPictureKey() const
{
    PictureKey key;
    key.listRevision = m_quakes.Revision();
    key.settings = m_settings;
    key.latitude = m_city.position.latDecimal;
    key.longitude = m_city.position.lonDecimal;
    key.size = size();
    key.pixelRatio = devicePixelRatioF();
    key.now = m_clock.Now();
    return key;
}

// A new window has no city until it is first shown: it then takes the one
// chosen last, which start-up sets once the first window exists.
void CTremoluxView::paintEvent(QPaintEvent*)
{
    if (m_city.name.empty())
        TakeCity(CurrentCity);
    RenderPicture(CurrentPictureKey());
    QPainter painter(this);
    OnDraw(painter);
    PaintSelection(painter);
    PaintNotice(painter);
}

void CTremoluxView::OnDraw(QPainter& painter)
{
    painter.drawImage(0, 0, m_picture);
}

// Reads only what key names and the window's own members, so that pictures
// of several windows can be drawn at once on worker threads.
void CTremoluxView::RenderPicture(const PictureKey& key)
{
    if (!m_picture.isNull() && key == m_pictureKey)
        return;
    // Transparent where the map leaves its frame to the window behind it.
    QImage picture(key.size * key.pixelRatio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(key.pixelRatio);
    picture.fill(Qt::transparent);
    // Drawn for the key's moment, not a second reading of the clock, so
    // that the picture is exactly what its key promises.
    const FixedClock clock(key.now);
    QuakeLayout layout;
    {
        QPainter painter(&picture);
        layout = LayOutQuakes(key.size.width(), key.size.height(), key.settings, m_city.position,
                              m_quakes, key.now, MapLabelMeasure(m_font, painter.device()));
        QPainterCanvas canvas(painter, m_font);
        DrawQuakes(canvas, key.size.width(), key.size.height(), layout, m_city.position, m_quakes,
                   clock);
    }
    m_picture = std::move(picture);
    m_layout = std::move(layout);
    m_pictureKey = key;
}

void CTremoluxView::RenderPictures(const QList<CTremoluxView*>& views)
{
    std::vector<std::pair<CTremoluxView*, PictureKey>> stale;
    for (CTremoluxView* view : views) {
        if (view->isVisible() && !view->m_city.name.empty())
            stale.emplace_back(view, view->CurrentPictureKey());
    }
    QtConcurrent::blockingMap(stale, [](std::pair<CTremoluxView*, PictureKey>& item) {
        item.first->RenderPicture(item.second);
    });
}

// The press before a double-click has done its part (selecting): the second
// one is not passed on as another press.
void CTremoluxView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        OnLButtonDblClk();
    } else if (event->button() == Qt::RightButton) {
        m_contextMenuDelay.stop();
        OnRButtonDblClk();
    } else {
        QWidget::mouseDoubleClickEvent(event);
    }
}

void CTremoluxView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    UpdateStatusText();
}

void CTremoluxView::OnLButtonDblClk()
{
    if (const std::optional<CityEntry> city = ChooseCity()) {
        TakeCity(*city);
        repaint();
    }
}

void CTremoluxView::OnRButtonDblClk()
{
    if (const std::optional<DisplaySettings> settings = EditParameters(m_settings))
        SetSettings(*settings);
}

}  // namespace tremolux
