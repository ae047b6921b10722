#include "gui/app/CMainFrame.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>

#include "core/cities/CityEntry.h"
#include "core/list/QuakeText.h"
#include "gui/app/CChildFrame.h"
#include "gui/common/PlainText.h"
#include "gui/common/Settings.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/CWorldView.h"

// How the frame tells a person what happens without being looked at: the
// tone and the desktop notification for a new quake, the tray icon, and a
// warning look when the quakes shown are out of date.
namespace tremolux {

namespace {

constexpr int kNotificationMs = 10000;
constexpr char kStaleStyle[] = "QLabel { background: #ffd54f; color: black; padding: 0 4px; }";

}  // namespace

void CMainFrame::CreateAlerts()
{
    m_feedWarning = new QLabel(m_wndStatusBar);
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
    m_feedWarning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size));
    m_feedWarning->setToolTip(tr("The quakes shown are out of date"));
    m_feedWarning->hide();
    m_wndStatusBar->insertPermanentWidget(0, m_feedWarning);

    m_tray = new QSystemTrayIcon(windowIcon(), this);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this] {
        showNormal();
        raise();
        activateWindow();
    });
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();

    // The age of the data shown grows by the minute, loads or not.
    m_feedAgeTimer.setInterval(std::chrono::minutes(1));
    connect(&m_feedAgeTimer, &QTimer::timeout, this, &CMainFrame::UpdateFeedStatus);
    m_feedAgeTimer.start();
    UpdateFeedStatus();
}

// The cycle sounds its tone the moment the newest quake changes: the tone is
// passed on when the user wants it, and the desktop is told.
void CMainFrame::OnNewestQuake(int frequencyHz, int durationMs)
{
    const QuakeRecord quake = m_cycle.LastNewest();
    const AppSettings stored;
    const double least =
        stored.value(settings::kSoundMinMagnitude, settings::kDefaultSoundMinMagnitude).toDouble();
    if (stored.value(settings::kSoundOn, settings::kDefaultSoundOn).toBool()
        && !(quake.magnitude < least))
        m_speaker.Play(frequencyHz, durationMs);
    if (!stored.value(settings::kNotificationsOn, settings::kDefaultNotificationsOn).toBool())
        return;

    CityEntry city = CurrentCity;
    if (const CChildFrame* active = ActiveMapWindow())
        city = active->GetView()->City();
    else if (const CWorldView* world = ActiveWorldMap())
        city = world->City();
    const QString title = tr("M %1 earthquake").arg(QString::number(quake.magnitude, 'f', 1));
    QString text = ShownLines(QString::fromStdString(quake.region));
    if (!city.name.empty())
        text += '\n' + QString::fromStdString(DistanceFromText(PlaceFrom(city.position, quake), city.name));
    emit quakeAlert(title, text);
    if (m_tray->isVisible())
        m_tray->showMessage(title, text, QSystemTrayIcon::Information, kNotificationMs);
    QApplication::alert(this);
}

void CMainFrame::ShowFeedState(bool stale, const QString& notice)
{
    if (m_tray == nullptr)
        return;  // the frame is still being built; CreateAlerts comes back here
    m_feedPane->setStyleSheet(stale ? QString(kStaleStyle) : QString());
    m_feedWarning->setVisible(stale);
    m_tray->setToolTip(PlainToolTip(QString(kAppTitle) + '\n' + m_feedPane->text()));
    m_feedNotice = notice;
    for (CChildFrame* window : MapWindows())
        window->GetView()->SetNotice(notice);
}

}  // namespace tremolux
