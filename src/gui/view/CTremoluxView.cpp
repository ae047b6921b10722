#include "gui/view/CTremoluxView.h"

#include <QMouseEvent>
#include <QPainter>

#include <memory>
#include <new>
#include <utility>

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
           && longitude == other.longitude && size == other.size && pixelRatio == other.pixelRatio
           && now.value == other.now.value && now.valid == other.now.valid;
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
    const PictureKey key = CurrentPictureKey();
    if (m_picture.isNull() || !(key == m_pictureKey)) {
        PictureKey sameMoment = key;
        sameMoment.now = m_pictureKey.now;
        if (m_worker.Busy())
            m_newerWanted = true;
        else if (!(m_justTaken && sameMoment == m_pictureKey))
            RequestPicture(key);
    }
    m_justTaken = false;
    QPainter painter(this);
    OnDraw(painter);
    PaintSelection(painter);
    PaintNotice(painter);
}

void CTremoluxView::OnDraw(QPainter& painter)
{
    painter.drawImage(0, 0, m_picture);
}

bool CTremoluxView::PictureIsCurrent() const
{
    return !m_picture.isNull() && CurrentPictureKey() == m_pictureKey;
}

// The worker reads only copies: the list may be read anew, the window
// closed, before its picture is done.
void CTremoluxView::RequestPicture(const PictureKey& key)
{
    m_worker.Start([key, quakes = std::make_shared<const QuakeList>(m_quakes),
                    city = m_city.position, font = m_font, seen = m_layout.seen,
                    this]() -> PictureWorker::Deliver {
        // Transparent where the map leaves its frame to the window behind it.
        auto picture = std::make_shared<Picture>();
        picture->key = key;
        picture->image = QImage(key.size * key.pixelRatio, QImage::Format_ARGB32_Premultiplied);
        if (!picture->image.isNull()) {
            picture->image.setDevicePixelRatio(key.pixelRatio);
            picture->image.fill(Qt::transparent);
            // Drawn for the key's moment, not a second reading of the clock, so
            // that the picture is exactly what its key promises.
            const FixedClock clock(key.now);
            QPainter painter(&picture->image);
            try {
                picture->layout =
                    LayOutQuakes(key.size.width(), key.size.height(), key.settings, city, *quakes,
                                 key.now, MapLabelMeasure(font, painter.device()), seen);
                QPainterCanvas canvas(painter, font);
                DrawQuakes(canvas, key.size.width(), key.size.height(), picture->layout, city,
                           *quakes, clock);
            } catch (const std::bad_alloc&) {
                picture->layout = {};
            }
        }
        return [this, picture] { TakePicture(std::move(*picture)); };
    });
}

void CTremoluxView::TakePicture(Picture picture)
{
    m_picture = std::move(picture.image);
    m_layout = std::move(picture.layout);
    m_pictureKey = picture.key;
    emit pictureChanged();
    if (m_newerWanted) {
        m_newerWanted = false;
        const PictureKey key = CurrentPictureKey();
        if (!(key == m_pictureKey))
            RequestPicture(key);
    }
    m_justTaken = true;
    update();
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
