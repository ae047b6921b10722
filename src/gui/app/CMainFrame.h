#pragma once

#include <chrono>
#include <vector>

#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include "core/alerts/AlertEvaluation.h"
#include "core/cycle/MainCycle.h"
#include "core/feed/QuakeList.h"
#include "core/session/MapWindowFile.h"
#include "gui/app/ToneRelay.h"
#include "gui/store/EventHistory.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QSystemTrayIcon;
class QToolBar;

namespace tremolux {

class CChildFrame;
class WorldMapWindow;
class AlertActionRunner;
class QuakeDocks;
class CTremoluxView;
class Clock;

struct CycleTimings {
    std::chrono::milliseconds poll{MainCycle::kPollPeriodMs};
    std::chrono::milliseconds refresh{MainCycle::kRefreshPeriodMs};
};

// The top-level window: map windows in an MDI area, the menus, the toolbar,
// the status bar, the program's one quake list and the main cycle's timers.
class CMainFrame : public QMainWindow, private Repaint, private FailureSink {
    Q_OBJECT
public:
    static constexpr char kAppTitle[] = "Tremolux";

    CMainFrame(const Clock& clock, Tone& tone, CycleTimings timings = {});
    ~CMainFrame() override;

    // Starts the cycle's timers; the first load is then pending.
    void OnCreate();
    // Keeps the events seen in the history file from now on; when it cannot
    // be used, says so once and goes on with the session's events.
    void OpenHistory(const QString& path);
    // One tick of the cycle's timers.
    void OnTimer(int id);

    // The map window commands. New and Open return the window they opened;
    // Open returns null, having said why, when the file holds no map window.
    CChildFrame* OnFileNew();
    CChildFrame* OpenDocumentFile(const QString& path);
    // A new map window showing content; path names its file, if any.
    CChildFrame* OpenMapWindow(const MapWindow& content, const QString& path = {});
    // Files a later start of the program named: opened here, the frame in front.
    void OpenHandedOverFiles(const QStringList& files);
    void OnFileOpen();
    void OnFileSave();
    void OnFileClose();
    // Loads a feed file chosen in a file dialog as the feed.
    void OnFileOpenFeed();
    void OnOptionsFeed();
    // Makes address the feed, kept in the settings, and starts loading it.
    void SetFeed(const QString& address, const QStringList& others = {});
    std::chrono::milliseconds RefreshPeriod() const;
    void OnWindowCascade();
    void OnWindowTileHorz();
    void OnWindowTileVert();
    void OnWindowArrange();
    void OnWindowNewWorldMap();
    // A world map window showing content, fitted into the area; null when
    // the land cannot be read (the user was told).
    WorldMapWindow* OpenWorldMapWindow(const MapWindow& content);
    void OnAppAbout();
    void OnHelpFinder();
    void OnContextHelp();
    // Reloads the feed at once; while a load is under way it does nothing.
    void OnRefreshNow();
    // The active map window's double-click commands.
    void OnMapChooseCity();
    void OnMapParameters();
    void OnOptionsAlerts();

    // Reads the stored alert rules, once the city file is known.
    void LoadAlerts();
    // The alert rules in use; setting them keeps them in the settings.
    const AlertSettings& Alerts() const { return m_alertSettings; }
    void SetAlerts(const AlertSettings& settings);
    // Sends a made-up quake near the active window's city through these rules
    // and their actions, as if a load had brought it.
    void TestAlert(const AlertSettings& settings);
    // No rule alerts for hours, or until the morning (the end of the quiet
    // hours, else 07:00 local time); Resume ends a snooze.
    void SnoozeAlerts(double hours);
    void SnoozeUntilMorning();
    void ResumeAlerts();
    bool AlertsSnoozed() const;
    AlertActionRunner& AlertActions() const { return *m_alertActions; }

    QList<CChildFrame*> MapWindows() const;
    CChildFrame* ActiveMapWindow() const;
    // The active world map window, or null when another window is active.
    WorldMapWindow* ActiveWorldMap() const;
    const Clock& GetClock() const { return m_clock; }
    EventHistory& History() { return m_history; }
    const MainCycle& Cycle() const { return m_cycle; }
    // Whether the feed is being polled: only while a page is awaited.
    bool Polling() const { return m_pollTimer.isActive(); }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    QuakeDocks& Docks() const { return *m_docks; }
    // The text of the feed pane right of the message pane.
    QString FeedStatus() const;
    void UpdateFeedStatus();

    QuakeList m_quakes;
    QStatusBar* m_wndStatusBar = nullptr;

signals:
    // The rules fired: the title and text of the one desktop notification of a load.
    void quakeAlert(const QString& title, const QString& text);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the message pane shows with no prompt and no map window.
    static constexpr char kIdleMessage[] = " ";

    void ApplyStoredRefreshPeriod();
    void FollowPendingPage();
    void PollWhenLoadEnds();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void UpdateMenus();
    void UpdateWindowMenu();
    void UpdateCaption();
    void NumberEqualTitles();
    // Where a window just opened goes: inside the area, all of it on the first.
    void PlaceNewWindow(QMdiSubWindow* window);
    void ShowActiveViewStatus();
    void CreateAlerts();
    void CreateAlertRunner();
    // The list and the tooltips tell times in local time, or in UTC; kept.
    void SetLocalTimes(bool local);
    void ShowTimesIn(bool local);
    void CreateHistoryActions();
    void OnFileExportList();
    void OnNewestQuake(int frequencyHz, int durationMs);
    void EvaluateLoad(const std::vector<EventChange>& changes);
    void CarryAlerts(const std::vector<EventChange>& changes);
    std::vector<AlertPlace> WindowCities() const;
    int LocalMinute() const;
    void ShowAlertRings();
    void Notify(const QString& title, const QString& text);
    void BringToFront(const QuakeRecord& quake);
    void ShowFeedState(bool stale, const QString& notice);
    // Hands the load just parsed, when good, to the history; its changes
    // come back to LoadTaken.
    void TakeLoad();
    void LoadTaken(EventHistory::LoadOutcome outcome);
    bool GoodLoad() const;
    void ShowHistoryOff();

    void RepaintAll() override;
    void ShowFailure(const std::string& message) override;
    void NoteFailure(const std::string& message) override;
    void LogFailure(const std::string& message) const;

    const Clock& m_clock;
    CycleTimings m_timings;
    Tone& m_speaker;
    // The cycle's tone comes here first: sound and notification as the user set them.
    ToneRelay m_alertTone;
    MainCycle m_cycle;
    EventHistory m_history;
    QString m_historyOffShown;  // the reason last told, so that it is told once
    bool m_awayTold = false;    // the run's first good load was summed up
    EventHistory::LoadOutcome m_untold;  // of loads whose successor is with the history
    QAction* m_exportListAct = nullptr;
    QMenu* m_historyLimitMenu = nullptr;
    QTimer m_pollTimer;
    QTimer m_refreshTimer;
    int m_nextDocumentNumber = 1;

    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_feedPane = nullptr;
    QLabel* m_feedWarning = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    QTimer m_feedAgeTimer;
    QString m_feedNotice;  // what the map windows say over their pictures
    QuakeDocks* m_docks = nullptr;

    AlertSettings m_alertSettings;
    AlertActionRunner* m_alertActions = nullptr;
    unsigned long long m_evaluatedRevision = 0;
    double m_snoozedUntil = 0.0;  // the clock's days; alerts rest before it

    QAction* m_newAct = nullptr;
    QAction* m_openAct = nullptr;
    QAction* m_saveAct = nullptr;
    QAction* m_closeAct = nullptr;
    QAction* m_openFeedAct = nullptr;
    QAction* m_feedAct = nullptr;
    QAction* m_exitAct = nullptr;
    QAction* m_toolbarAct = nullptr;
    QAction* m_statusBarAct = nullptr;
    QAction* m_cascadeAct = nullptr;
    QAction* m_tileAct = nullptr;
    QAction* m_arrangeAct = nullptr;
    QAction* m_tileVertAct = nullptr;
    QAction* m_tileHorzAct = nullptr;
    QAction* m_worldMapAct = nullptr;
    QAction* m_helpFinderAct = nullptr;
    QAction* m_aboutAct = nullptr;
    QAction* m_helpAct = nullptr;
    QAction* m_contextHelpAct = nullptr;
    QAction* m_refreshAct = nullptr;
    QAction* m_chooseCityAct = nullptr;
    QAction* m_parametersAct = nullptr;
    QAction* m_nextWindowAct = nullptr;
    QAction* m_previousWindowAct = nullptr;
    QAction* m_alertsAct = nullptr;
    QAction* m_utcTimesAct = nullptr;
    QAction* m_localTimesAct = nullptr;
    QAction* m_snoozeHourAct = nullptr;
    QAction* m_snoozeMorningAct = nullptr;
    QAction* m_resumeAlertsAct = nullptr;
    QMenu* m_snoozeMenu = nullptr;

    QList<QMenu*> m_noDocumentMenus;  // menu 128
    QList<QMenu*> m_mapMenus;         // menu 129
    QMenu* m_windowMenu = nullptr;
    QMenu* m_mapMenu = nullptr;
};

}  // namespace tremolux
