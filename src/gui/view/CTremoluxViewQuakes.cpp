#include "gui/view/CTremoluxView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "core/common/Clock.h"
#include "core/events/EventIdentity.h"
#include "core/feed/QuakeList.h"
#include "core/view/QuakeHitTest.h"
#include "gui/view/MapWindowCommands.h"

// What the map window does with the quakes it shows: tells their details,
// selects one, offers its menu, and says when it has no data to show.
namespace tremolux {

namespace {

// How far from a ray, pie or label the mouse may be and still mean it.
constexpr int kHitTolerance = 4;
// The outline of the selected quake: a ring around its spot on the ray.
constexpr int kSelectionRadius = 11;

}  // namespace

void CTremoluxView::SelectQuake(int index)
{
    if (index < -1 || index >= m_quakes.count())
        index = -1;
    if (index >= 0) {
        m_selectedRecord = m_quakes.at(index);
        m_selectionRevision = m_quakes.Revision();
    }
    if (index == m_selectedQuake)
        return;
    m_selectedQuake = index;
    update();
    emit quakeSelected(index);
}

void CTremoluxView::FollowSelection()
{
    if (m_selectedQuake < 0 || m_selectionRevision == m_quakes.Revision())
        return;
    const int found = FindEvent(m_quakes, m_selectedRecord);
    // The index may stay while the list under it changed: the mark moves anyway.
    m_selectedQuake = -2;
    SelectQuake(found);
}

// A picture of an older list (a window not shown since the last load) has no
// quakes to find: its indexes would name other quakes now.
int CTremoluxView::QuakeAt(QPoint pos) const
{
    if (m_picture.isNull() || m_pictureKey.listRevision != m_quakes.Revision())
        return -1;
    return HitTest(m_layout, pos.x(), pos.y(), kHitTolerance);
}

QString CTremoluxView::QuakeDetailsText(int index) const
{
    if (index < 0 || index >= m_quakes.count())
        return {};
    return tremolux::QuakeDetailsText(m_quakes.at(index), m_city, m_clock.Now());
}

void CTremoluxView::SetNotice(const QString& notice)
{
    if (notice == m_notice)
        return;
    m_notice = notice;
    update();
}

bool CTremoluxView::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    ShowQuakeToolTip(this, event, QuakeDetailsText(QuakeAt(static_cast<QHelpEvent*>(event)->pos())),
                     {});
    return true;
}

void CTremoluxView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SelectQuake(QuakeAt(event->position().toPoint()));
    QWidget::mousePressEvent(event);
}

// The menu waits for the double-click time: a second click makes it the
// right double-click, which opens the Parameters dialog instead.
void CTremoluxView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        m_contextMenuPos = event->position().toPoint();
        m_contextMenuDelay.start(QApplication::doubleClickInterval());
    }
    QWidget::mouseReleaseEvent(event);
}

// The mouse's menu comes from the right button's release; the keyboard's at once.
void CTremoluxView::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() != QContextMenuEvent::Mouse)
        ShowContextMenu(event->pos());
    event->accept();
}

void CTremoluxView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_selectedQuake >= 0) {
        SelectQuake(-1);
        return;
    }
    QWidget::keyPressEvent(event);
}

QMenu* CTremoluxView::CreateContextMenu(QPoint pos)
{
    QMenu* menu = CreateMapWindowMenu(*this, {});
    const int index = QuakeAt(pos);
    if (index < 0)
        return menu;
    SelectQuake(index);
    AddQuakeEntries(menu, QuakeDetailsText(index), m_quakes.at(index).eventPage);
    return menu;
}

void CTremoluxView::ShowContextMenu(QPoint pos)
{
    PopUpMapWindowMenu(*this, CreateContextMenu(pos), pos);
}

void CTremoluxView::PaintSelection(QPainter& painter) const
{
    // The layout of a picture of an older list places other quakes.
    if (m_selectedQuake < 0 || m_pictureKey.listRevision != m_quakes.Revision())
        return;
    const auto shape =
        std::find_if(m_layout.shapes.begin(), m_layout.shapes.end(),
                     [this](const QuakeShape& s) { return s.quake == m_selectedQuake; });
    if (shape == m_layout.shapes.end())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const QPointF spot(shape->position.x, shape->position.y);
    const CanvasRect& box = shape->labelBox;
    // Clear of the label's text: the mark must not hide what it marks.
    const QRectF label(box.left - 2.5, box.top - 2.5, box.right - box.left + 4.0,
                       box.bottom - box.top + 4.0);
    // White under black shows on every colour of the map.
    for (const auto& [color, width] :
         {std::pair{QColor(Qt::white), 3.0}, {QColor(Qt::black), 1.5}}) {
        painter.setPen(QPen(color, width));
        painter.drawEllipse(spot, kSelectionRadius, kSelectionRadius);
        if (box.right > box.left)
            painter.drawRect(label);
    }
    painter.restore();
}

void CTremoluxView::PaintNotice(QPainter& painter) const
{
    if (m_notice.isEmpty())
        return;
    painter.save();
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QRect room = rect().adjusted(20, 0, -20, 0);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    QRect text = painter.boundingRect(room, flags, m_notice);
    const QRect box = text.adjusted(-12, -8, 12, 8);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(QColor(255, 255, 255, 240));
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(Qt::black);
    painter.drawText(text, flags, m_notice);
    painter.restore();
}

}  // namespace tremolux
