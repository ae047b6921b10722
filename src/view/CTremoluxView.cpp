#include "view/CTremoluxView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTremoluxDoc.h"
#include "cities/CDia_Cities.h"
#include "cities/CDia_Parameters.h"
#include "view/DrawQuakes.h"
#include "view/QPainterCanvas.h"

namespace tremolux {

CTremoluxView::CTremoluxView(CMainFrame& frame, CTremoluxDoc& document, QWidget* parent)
    : QWidget(parent),
      m_font(MapLabelFont()),
      m_pQuakes(&frame.m_quakes),
      m_frame(frame),
      m_document(document)
{
    setFocusPolicy(Qt::ClickFocus);
    setWhatsThis(tr("A map of the recent quakes around this window's city. Each quake is a "
                    "ray in its direction from the city; fresh quakes lie on the outer circle. "
                    "Double-click with the left button to choose the city, with the right "
                    "button to change what is shown."));
    UpdateStatusText();
}

QSize CTremoluxView::sizeHint() const
{
    return {480, 400};
}

void CTremoluxView::UpdateStatusText()
{
    m_strStatus = StatusText(m_settings);
    m_frame.m_wndStatusBar->showMessage(QString::fromStdString(m_strStatus));
}

void CTremoluxView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    OnDraw(painter);
}

void CTremoluxView::OnDraw(QPainter& painter)
{
    if (m_city.name.empty()) {
        m_city = CurrentCity;
        m_document.SetTitle(QString::fromStdString(m_city.name));
    }
    QPainterCanvas canvas(painter, m_font);
    DrawQuakes(canvas, width(), height(), m_settings, m_city.position, *m_pQuakes,
               m_frame.GetClock());
}

void CTremoluxView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk();
    else if (event->button() == Qt::RightButton)
        OnRButtonDblClk();
    QWidget::mouseDoubleClickEvent(event);
}

void CTremoluxView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    UpdateStatusText();
}

void CTremoluxView::OnLButtonDblClk()
{
    CDia_Cities dialog;
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_city = CurrentCity;
    m_document.SetTitle(QString::fromStdString(m_city.name));
    repaint();
}

void CTremoluxView::SetSettings(const DisplaySettings& settings)
{
    m_settings = settings;
    if (m_frame.ActiveMapWindow() != nullptr && m_frame.ActiveMapWindow()->GetView() == this)
        UpdateStatusText();
    repaint();
}

void CTremoluxView::OnRButtonDblClk()
{
    CDia_Parameters dialog;
    SettingsTransfer = m_settings;
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_settings = SettingsTransfer;
    UpdateStatusText();  // the window double-clicked is the one the user works in
    repaint();
}

}  // namespace tremolux
