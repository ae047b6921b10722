#pragma once

#include <chrono>

#include <QList>
#include <QMainWindow>
#include <QTimer>

#include "core/cycle/MainCycle.h"
#include "core/feed/QuakeList.h"
#include "core/view/MapWindowFile.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QStatusBar;
class QToolBar;

namespace tremolux {

class CChildFrame;
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
    // One tick of the cycle's timers.
    void OnTimer(int id);

    // The map window commands. New and Open return the window they opened;
    // Open returns null, having said why, when the file holds no map window.
    CChildFrame* OnFileNew();
    CChildFrame* OpenDocumentFile(const QString& path);
    // A new map window showing content; path names its file, if any.
    CChildFrame* OpenMapWindow(const MapWindow& content, const QString& path = {});
    void OnFileOpen();
    void OnFileSave();
    void OnFileClose();
    // Loads a feed file chosen in a file dialog as the feed.
    void OnFileOpenFeed();
    void OnOptionsFeed();
    // Makes address the feed, kept in the settings, and starts loading it.
    void SetFeed(const QString& address);
    std::chrono::milliseconds RefreshPeriod() const;
    void OnWindowCascade();
    void OnWindowTileHorz();
    void OnWindowTileVert();
    void OnWindowArrange();
    void OnWindowNewWorldMap();
    void OnAppAbout();
    void OnHelpFinder();
    void OnContextHelp();

    QList<CChildFrame*> MapWindows() const;
    CChildFrame* ActiveMapWindow() const;
    const Clock& GetClock() const { return m_clock; }
    const MainCycle& Cycle() const { return m_cycle; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    // The text of the feed pane right of the message pane.
    QString FeedStatus() const;
    void UpdateFeedStatus();

    QuakeList m_quakes;
    QStatusBar* m_wndStatusBar = nullptr;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the message pane shows with no prompt and no map window.
    static constexpr char kIdleMessage[] = " ";

    void ApplyStoredRefreshPeriod();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void UpdateMenus();
    void UpdateWindowMenu();
    void UpdateCaption();
    void ShowActiveViewStatus();

    void RepaintAll() override;
    void ShowFailure(const std::string& message) override;
    void NoteFailure(const std::string& message) override;

    const Clock& m_clock;
    CycleTimings m_timings;
    MainCycle m_cycle;
    QTimer m_pollTimer;
    QTimer m_refreshTimer;
    int m_nextDocumentNumber = 1;

    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_feedPane = nullptr;

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

    QList<QMenu*> m_noDocumentMenus;  // menu 128
    QList<QMenu*> m_mapMenus;         // menu 129
    QMenu* m_windowMenu = nullptr;
};

}  // namespace tremolux
