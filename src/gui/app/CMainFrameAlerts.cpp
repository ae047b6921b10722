#include "gui/app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>

#include <algorithm>
#include <unordered_set>

#include "core/alerts/AlertRings.h"
#include "core/alerts/Sequences.h"
#include "core/cities/CityEntry.h"
#include "core/common/Clock.h"
#include "core/events/EventIdentity.h"
#include "gui/alerts/AlertActions.h"
#include "gui/alerts/CDia_Alerts.h"
#include "gui/alerts/StoredAlertRules.h"
#include "gui/app/CChildFrame.h"
#include "gui/common/AlertNotes.h"
#include "gui/common/Log.h"
#include "gui/common/PlainText.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/WorldMapWindow.h"

// How the frame tells a person what happens without being looked at: the
// main cycle's tone and the alert rules with their actions, snoozing, the tray
// icon, and a warning look when the quakes shown are out of date.
namespace tremolux {

namespace {

constexpr int kNotificationMs = 10000;
constexpr char kStaleStyle[] = "QLabel { background: #ffd54f; color: black; padding: 0 4px; }";
constexpr int kMorningMinute = 7 * 60;
constexpr double kTestMagnitude = 5.0;
constexpr double kTestKm = 50.0;
constexpr double kKmPerDegree = 111.2;

QDateTime ToDateTime(OleDate date)
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)
        .addMSecs(std::llround(date.value * 86400000.0));
}

double ToDays(const QDateTime& time)
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC).msecsTo(time) / 86400000.0;
}

// Whether two rows have one key. A change the history tells is a copy of its
// row, so the fields a key is made from are compared before any key is made.
bool SameKey(const QuakeRecord& a, const QuakeRecord& b)
{
    if (!a.eventId.empty() && !b.eventId.empty())
        return a.eventId == b.eventId;
    if (a.eventId.empty() && b.eventId.empty() && a.time.valid == b.time.valid
        && a.time.value == b.time.value && a.latitude == b.latitude
        && a.longitude == b.longitude)
        return true;
    return EventKey(a) == EventKey(b);
}

// True when every event of the load is new to the history. The history tells
// a load's new events in the list's order, so a first sight of a long list
// is seen row by row without a set of its keys.
bool FirstSight(const std::vector<EventChange>& changes, const QuakeList& quakes)
{
    auto change = changes.begin();
    int row = 0;
    for (; row < quakes.count(); ++row) {
        change = std::find_if(change, changes.end(), [](const EventChange& c) {
            return c.kind == ChangeKind::New;
        });
        if (change == changes.end() || !SameKey(change->event, quakes.at(row)))
            break;
        ++change;
    }
    if (row == quakes.count())
        return true;
    std::unordered_set<std::string> news;
    for (const EventChange& c : changes)
        if (c.kind == ChangeKind::New)
            news.insert(EventKey(c.event));
    for (; row < quakes.count(); ++row)
        if (news.count(EventKey(quakes.at(row))) == 0)
            return false;
    return true;
}

}  // namespace

void CMainFrame::CreateAlertRunner()
{
    m_alertActions = new AlertActionRunner(m_speaker, this);
    connect(m_alertActions, &AlertActionRunner::notification, this, &CMainFrame::Notify);
    connect(m_alertActions, &AlertActionRunner::bringToFront, this, &CMainFrame::BringToFront);
    connect(m_alertActions, &AlertActionRunner::actionFailed, this, [this](const QString& message) {
        qCWarning(lcAlerts).noquote() << message;
        m_wndStatusBar->showMessage(message, 10000);
    });
}

void CMainFrame::CreateAlerts()
{
    m_feedWarning = new QLabel(m_wndStatusBar);
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
    m_feedWarning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size));
    m_feedWarning->setToolTip(tr("The quakes shown are out of date"));
    m_feedWarning->hide();
    m_wndStatusBar->insertPermanentWidget(0, m_feedWarning);

    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setContextMenu(m_snoozeMenu);
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Context)
                    return;
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

// The cycle sounds its tone the moment the newest quake changes: the fixed
// entry passes it on unless switched off, snoozed or quieted for the night.
void CMainFrame::OnNewestQuake(int frequencyHz, int durationMs)
{
    const QuakeRecord& quake = m_cycle.LastNewest();
    const NewestTone& entry = m_alertSettings.newestTone;
    const QuietHours& quiet = m_alertSettings.quiet;
    if (!entry.enabled || AlertsSnoozed() || quake.magnitude < entry.minMagnitude)
        return;
    if (quiet.Covers(LocalMinute()) && quake.magnitude < quiet.minMagnitude)
        return;
    qCDebug(lcAlerts).noquote() << "tone" << frequencyHz << "Hz, the newest quake";
    m_speaker.Play(frequencyHz, durationMs);
}

// The rules see every change of a good load, once: new events wherever they
// stand in the list, revisions and retractions. A load of nothing but new
// events (an empty history, another feed) tells what is there, not news.
void CMainFrame::EvaluateLoad(const std::vector<EventChange>& changes)
{
    if (m_quakes.Revision() == m_evaluatedRevision)
        return;
    m_evaluatedRevision = m_quakes.Revision();
    if (!AlertsSnoozed() && !changes.empty() && !FirstSight(changes, m_quakes))
        CarryAlerts(changes);
    ShowAlertRings();
}

void CMainFrame::CarryAlerts(const std::vector<EventChange>& changes)
{
    AlertContext context;
    context.windowCities = WindowCities();
    context.localMinute = LocalMinute();
    // Only a large quake starts a sequence: the rest of a long list is not copied.
    if (m_alertSettings.quieterSequences)
        for (int i = 0; i < m_quakes.count(); ++i)
            if (m_quakes.at(i).magnitude >= Mainshocks::kLeastMagnitude)
                context.known.push_back(m_quakes.at(i));
    const std::vector<AlertFiring> firings = EvaluateAlerts(m_alertSettings, changes, context);
    for (const AlertFiring& firing : firings)
        qCDebug(lcAlerts).noquote()
            << QString::fromStdString(firing.ruleName) << ChangeKindName(firing.change)
            << QString::fromStdString(EventKey(firing.event));
    AlertNotes::Shared().Record(firings);
    m_alertActions->Carry(firings);
}

std::vector<AlertPlace> CMainFrame::WindowCities() const
{
    std::vector<AlertPlace> cities;
    for (const CChildFrame* window : MapWindows()) {
        const CityEntry& city = window->GetView()->City();
        if (!city.name.empty())
            cities.push_back({city.name, city.position});
    }
    for (const WorldMapWindow* world : m_mdiArea->findChildren<WorldMapWindow*>()) {
        if (!world->City().name.empty())
            cities.push_back({world->City().name, world->City().position});
    }
    return cities;
}

int CMainFrame::LocalMinute() const
{
    const QTime local = ToDateTime(m_clock.Now()).toLocalTime().time();
    return local.hour() * 60 + local.minute();
}

void CMainFrame::ShowAlertRings()
{
    const std::vector<AlertRing> rings = AlertRings(m_alertSettings, WindowCities());
    for (WorldMapWindow* world : m_mdiArea->findChildren<WorldMapWindow*>())
        world->SetAlertRings(rings);
}

void CMainFrame::Notify(const QString& fullTitle, const QString& fullText)
{
    const QString title = ShownLines(fullTitle);
    const QString text = ShownLines(fullText);
    emit quakeAlert(title, text);
    qCDebug(lcAlerts).noquote() << "notification:" << title << "-"
                                << QString(text).replace('\n', "; ");
    // Without a tray (some desktops have none) the status bar tells it.
    if (m_tray->isVisible())
        m_tray->showMessage(title, text, QSystemTrayIcon::Information, kNotificationMs);
    else
        m_wndStatusBar->showMessage(title + ": " + text.section('\n', 0, 0), kNotificationMs);
    QApplication::alert(this);
}

void CMainFrame::BringToFront(const QuakeRecord& quake)
{
    showNormal();
    raise();
    activateWindow();
    const int index = FindEvent(m_quakes, quake);
    if (index < 0)
        return;
    if (CChildFrame* window = ActiveMapWindow())
        window->GetView()->SelectQuake(index);
    else if (WorldMapWindow* world = ActiveWorldMap())
        world->SelectQuake(index);
}

void CMainFrame::LoadAlerts()
{
    std::string error;
    m_alertSettings = LoadAlertSettings(error);
    if (!error.empty()) {
        qCWarning(lcAlerts).noquote()
            << "the stored alert rules were not taken:" << QString::fromStdString(error);
        m_wndStatusBar->showMessage(
            tr("The stored alert rules were not taken (%1): Options > Alerts… sets them again.")
                .arg(QString::fromStdString(error)));
    }
    ShowAlertRings();
}

void CMainFrame::OnOptionsAlerts()
{
    CDia_Alerts dialog(
        m_alertSettings, [this](const AlertSettings& settings) { TestAlert(settings); }, this);
    if (dialog.exec() == QDialog::Accepted)
        SetAlerts(dialog.Settings());
}

void CMainFrame::SetAlerts(const AlertSettings& settings)
{
    m_alertSettings = settings;
    SaveAlertSettings(settings);
    ShowAlertRings();
}

void CMainFrame::TestAlert(const AlertSettings& settings)
{
    CityEntry city = CurrentCity;
    if (const CChildFrame* active = ActiveMapWindow())
        city = active->GetView()->City();
    else if (const WorldMapWindow* world = ActiveWorldMap())
        city = world->City();
    QuakeRecord quake;
    quake.eventId = "test";
    quake.magnitude = kTestMagnitude;
    quake.latitude = city.position.latDecimal + kTestKm / kKmPerDegree;
    quake.longitude = city.position.lonDecimal;
    quake.depth = 10.0;
    quake.time = m_clock.Now();
    quake.region = tr("Test alert (made up)").toStdString();
    AlertContext context;
    context.windowCities = WindowCities();
    context.localMinute = LocalMinute();
    const std::vector<AlertFiring> firings =
        EvaluateAlerts(settings, {{ChangeKind::New, quake, std::nullopt, {}}}, context);
    if (firings.empty())
        m_wndStatusBar->showMessage(tr("No rule fires for a made-up M %1 quake %2 km north of %3.")
                                        .arg(kTestMagnitude, 0, 'f', 1)
                                        .arg(kTestKm)
                                        .arg(QString::fromStdString(city.name)),
                                    10000);
    m_alertActions->Carry(firings);
}

void CMainFrame::SnoozeAlerts(double hours)
{
    m_snoozedUntil = m_clock.Now().value + hours / 24.0;
}

void CMainFrame::SnoozeUntilMorning()
{
    const QuietHours& quiet = m_alertSettings.quiet;
    const int morning = quiet.enabled ? quiet.toMinute : kMorningMinute;
    QDateTime local = ToDateTime(m_clock.Now()).toLocalTime();
    QDateTime until(local.date(), QTime(morning / 60, morning % 60), local.timeSpec());
    if (until <= local)
        until = until.addDays(1);
    m_snoozedUntil = ToDays(until.toUTC());
}

void CMainFrame::ResumeAlerts()
{
    m_snoozedUntil = 0.0;
}

bool CMainFrame::AlertsSnoozed() const
{
    return m_clock.Now().value < m_snoozedUntil;
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
