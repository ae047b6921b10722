#include "gui/app/CMainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QStatusBar>
#include <QToolBar>

#include "gui/app/CChildFrame.h"
#include "gui/app/CTremoluxDoc.h"
#include "gui/app/QuakeDocks.h"

// The frame's commands as actions, and the menus, toolbar and status bar that show them.
namespace tremolux {

namespace {

// A separator where the list of a menu's actions holds none.
void AddActions(QMenu* menu, std::initializer_list<QAction*> actions)
{
    for (QAction* action : actions) {
        if (action == nullptr)
            menu->addSeparator();
        else
            menu->addAction(action);
    }
}

}  // namespace

// Every command of the frame, created here and nowhere else: its menu text,
// status bar prompt, tooltip (none: Qt's own, the text without its mnemonic),
// keys and what it does. The menus below and the map windows' context menus
// show these actions.
void CMainFrame::CreateActions()
{
    struct Command {
        QAction* CMainFrame::*action;
        const char* text;
        const char* prompt;
        const char* tip;
        QKeySequence keys;
        void (*run)(CMainFrame&);
    };
    const Command commands[] = {
        {&CMainFrame::m_newAct, QT_TR_NOOP("&New\tCtrl+N"), QT_TR_NOOP("Create a new document"),
         QT_TR_NOOP("New"), QKeySequence(Qt::CTRL | Qt::Key_N),
         [](CMainFrame& f) { f.OnFileNew(); }},
        {&CMainFrame::m_openAct, QT_TR_NOOP("&Open..."), QT_TR_NOOP("Open an existing document"),
         QT_TR_NOOP("Open"), QKeySequence(Qt::CTRL | Qt::Key_O),
         [](CMainFrame& f) { f.OnFileOpen(); }},
        {&CMainFrame::m_saveAct, QT_TR_NOOP("&Save"), QT_TR_NOOP("Save the active document"),
         QT_TR_NOOP("Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
         [](CMainFrame& f) { f.OnFileSave(); }},
        {&CMainFrame::m_closeAct, QT_TR_NOOP("&Close"), QT_TR_NOOP("Close the active document"),
         QT_TR_NOOP("Close"), QKeySequence(Qt::CTRL | Qt::Key_F4),
         [](CMainFrame& f) { f.OnFileClose(); }},
        {&CMainFrame::m_openFeedAct,
         QT_TR_NOOP("Open &Feed..."),
         QT_TR_NOOP("Read the quakes from a feed file"),
         QT_TR_NOOP("Open Feed"),
         {},
         [](CMainFrame& f) { f.OnFileOpenFeed(); }},
        {&CMainFrame::m_refreshAct, QT_TR_NOOP("&Refresh Now"),
         QT_TR_NOOP("Reload the quake feed now"), QT_TR_NOOP("Refresh Now"),
         QKeySequence(Qt::Key_F5), [](CMainFrame& f) { f.OnRefreshNow(); }},
        {&CMainFrame::m_exportListAct,
         QT_TR_NOOP("&Export List..."),
         QT_TR_NOOP("Write the rows the quake list shows as CSV or GeoJSON"),
         nullptr,
         {},
         [](CMainFrame& f) { f.OnFileExportList(); }},
        {&CMainFrame::m_exitAct,
         QT_TR_NOOP("E&xit"),
         QT_TR_NOOP("Quit the application; prompts to save documents"),
         QT_TR_NOOP("Exit"),
         {},
         [](CMainFrame& f) { f.close(); }},
        {&CMainFrame::m_toolbarAct,
         QT_TR_NOOP("&Toolbar"),
         QT_TR_NOOP("Show or hide the toolbar"),
         QT_TR_NOOP("Toggle ToolBar"),
         {},
         nullptr},
        {&CMainFrame::m_statusBarAct,
         QT_TR_NOOP("&Status Bar"),
         QT_TR_NOOP("Show or hide the status bar"),
         QT_TR_NOOP("Toggle StatusBar"),
         {},
         nullptr},
        {&CMainFrame::m_chooseCityAct, QT_TR_NOOP("Choose &City…"),
         QT_TR_NOOP("Choose the active map window's city"), QT_TR_NOOP("Choose City"),
         QKeySequence(Qt::CTRL | Qt::Key_L), [](CMainFrame& f) { f.OnMapChooseCity(); }},
        {&CMainFrame::m_parametersAct, QT_TR_NOOP("&Parameters…"),
         QT_TR_NOOP("Set what the active map window shows"), QT_TR_NOOP("Parameters"),
         QKeySequence(Qt::CTRL | Qt::Key_P), [](CMainFrame& f) { f.OnMapParameters(); }},
        {&CMainFrame::m_feedAct,
         QT_TR_NOOP("&Feed..."),
         QT_TR_NOOP("Choose the quake feed and how often it is reloaded"),
         QT_TR_NOOP("Feed"),
         {},
         [](CMainFrame& f) { f.OnOptionsFeed(); }},
        {&CMainFrame::m_utcTimesAct,
         QT_TR_NOOP("&UTC"),
         QT_TR_NOOP("Tell the quakes' times in UTC in the list and the tooltips"),
         nullptr,
         {},
         [](CMainFrame& f) { f.SetLocalTimes(false); }},
        {&CMainFrame::m_localTimesAct,
         QT_TR_NOOP("&Local Time"),
         QT_TR_NOOP(
             "Tell the quakes' times in this computer's local time in the list and the tooltips"),
         nullptr,
         {},
         [](CMainFrame& f) { f.SetLocalTimes(true); }},
        {&CMainFrame::m_alertsAct,
         QT_TR_NOOP("&Alerts…"),
         QT_TR_NOOP("Choose which quakes sound, notify or run a command"),
         nullptr,
         {},
         [](CMainFrame& f) { f.OnOptionsAlerts(); }},
        {&CMainFrame::m_snoozeHourAct,
         QT_TR_NOOP("For 1 &Hour"),
         nullptr,
         nullptr,
         {},
         [](CMainFrame& f) { f.SnoozeAlerts(1.0); }},
        {&CMainFrame::m_snoozeMorningAct,
         QT_TR_NOOP("Until &Morning"),
         nullptr,
         nullptr,
         {},
         [](CMainFrame& f) { f.SnoozeUntilMorning(); }},
        {&CMainFrame::m_resumeAlertsAct,
         QT_TR_NOOP("&Resume Alerts"),
         nullptr,
         nullptr,
         {},
         [](CMainFrame& f) { f.ResumeAlerts(); }},
        {&CMainFrame::m_cascadeAct,
         QT_TR_NOOP("&Cascade"),
         QT_TR_NOOP("Arrange windows so they overlap"),
         QT_TR_NOOP("Cascade Windows"),
         {},
         [](CMainFrame& f) { f.OnWindowCascade(); }},
        {&CMainFrame::m_tileAct,
         QT_TR_NOOP("&Tile"),
         QT_TR_NOOP("Arrange windows horizontally"),
         QT_TR_NOOP("Arrange windows horizontally"),
         {},
         [](CMainFrame& f) { f.OnWindowTileHorz(); }},
        {&CMainFrame::m_arrangeAct,
         QT_TR_NOOP("&Arrange Icons"),
         QT_TR_NOOP("Arrange icons at the bottom of the window"),
         QT_TR_NOOP("Arrange Icons"),
         {},
         [](CMainFrame& f) { f.OnWindowArrange(); }},
        {&CMainFrame::m_tileVertAct,
         QT_TR_NOOP("Tile Vertically"),
         QT_TR_NOOP("Arrange windows vertically"),
         QT_TR_NOOP("Arrange windows vertically"),
         {},
         [](CMainFrame& f) { f.OnWindowTileVert(); }},
        {&CMainFrame::m_tileHorzAct,
         QT_TR_NOOP("Tile Horizontally"),
         QT_TR_NOOP("Arrange windows horizontally"),
         QT_TR_NOOP("Arrange windows horizontally"),
         {},
         [](CMainFrame& f) { f.OnWindowTileHorz(); }},
        {&CMainFrame::m_nextWindowAct, QT_TR_NOOP("Ne&xt Window"),
         QT_TR_NOOP("Activate the next map window"), QT_TR_NOOP("Next Window"),
         QKeySequence(Qt::CTRL | Qt::Key_Tab),
         [](CMainFrame& f) { f.m_mdiArea->activateNextSubWindow(); }},
        {&CMainFrame::m_previousWindowAct, QT_TR_NOOP("Pre&vious Window"),
         QT_TR_NOOP("Activate the previous map window"), QT_TR_NOOP("Previous Window"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
         [](CMainFrame& f) { f.m_mdiArea->activatePreviousSubWindow(); }},
        {&CMainFrame::m_worldMapAct,
         QT_TR_NOOP("New &World Map"),
         QT_TR_NOOP("Open a world map about the active window's city"),
         QT_TR_NOOP("New World Map"),
         {},
         [](CMainFrame& f) { f.OnWindowNewWorldMap(); }},
        {&CMainFrame::m_helpFinderAct,
         QT_TR_NOOP("&Help Topics"),
         QT_TR_NOOP("List Help topics"),
         QT_TR_NOOP("Help Topics"),
         {},
         [](CMainFrame& f) { f.OnHelpFinder(); }},
        {&CMainFrame::m_aboutAct,
         QT_TR_NOOP("&About Tremolux..."),
         QT_TR_NOOP("Display program information, version number and copyright"),
         QT_TR_NOOP("About"),
         {},
         [](CMainFrame& f) { f.OnAppAbout(); }},
        {&CMainFrame::m_helpAct, QT_TR_NOOP("Help"),
         QT_TR_NOOP("Display help for current task or command"), QT_TR_NOOP("Help"),
         QKeySequence(Qt::Key_F1), [](CMainFrame& f) { f.OnHelpFinder(); }},
        {&CMainFrame::m_contextHelpAct, QT_TR_NOOP("Help"),
         QT_TR_NOOP("Display help for clicked on buttons, menus and windows"), QT_TR_NOOP("Help"),
         QKeySequence(Qt::SHIFT | Qt::Key_F1), [](CMainFrame& f) { f.OnContextHelp(); }},
    };
    for (const Command& command : commands) {
        auto* action = new QAction(tr(command.text), this);
        if (command.prompt != nullptr)
            action->setStatusTip(tr(command.prompt));
        if (command.tip != nullptr)
            action->setToolTip(tr(command.tip));
        action->setShortcut(command.keys);
        if (command.run != nullptr)
            connect(action, &QAction::triggered, this, [this, run = command.run] { run(*this); });
        this->*command.action = action;
    }
    for (QAction* action : {m_toolbarAct, m_statusBarAct}) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    auto* timeZones = new QActionGroup(this);
    for (QAction* action : {m_utcTimesAct, m_localTimesAct}) {
        action->setCheckable(true);
        timeZones->addAction(action);
    }
    m_newAct->setIcon(QIcon(":/images/new.png"));
    m_tileVertAct->setIcon(QIcon(":/images/tile_vert.png"));
    m_tileHorzAct->setIcon(QIcon(":/images/tile_horz.png"));
    // The style's own icon: a theme look-up costs milliseconds at start-up.
    m_refreshAct->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));

    // The accelerators work whichever menu is shown, and for commands no menu holds.
    addActions({m_newAct, m_openAct, m_saveAct, m_helpAct, m_contextHelpAct});
    addActions({m_closeAct, m_refreshAct, m_chooseCityAct, m_parametersAct, m_nextWindowAct,
                m_previousWindowAct});
    CreateAlertRunner();
    CreateHistoryActions();
}

void CMainFrame::CreateMenus()
{
    auto* viewMenu = new QMenu(tr("&View"), this);
    AddActions(viewMenu,
               {m_toolbarAct, m_statusBarAct, nullptr, m_docks->ListDock()->toggleViewAction(),
                m_docks->LegendDock()->toggleViewAction()});

    auto* helpMenu = new QMenu(tr("&Help"), this);
    AddActions(helpMenu, {m_helpFinderAct, nullptr, m_aboutAct});

    // With no window open there is no Window menu: New World Map is here.
    auto* fileMenu = new QMenu(tr("&File"), this);
    AddActions(fileMenu, {m_newAct, m_worldMapAct, m_openAct, m_openFeedAct, m_refreshAct,
                          m_exportListAct, nullptr, m_closeAct, m_exitAct});

    m_snoozeMenu = new QMenu(tr("S&nooze Alerts"), this);
    AddActions(m_snoozeMenu, {m_snoozeHourAct, m_snoozeMorningAct, m_resumeAlertsAct});
    connect(m_snoozeMenu, &QMenu::aboutToShow, this,
            [this] { m_resumeAlertsAct->setEnabled(AlertsSnoozed()); });
    auto* timesMenu = new QMenu(tr("Show &Times In"), this);
    AddActions(timesMenu, {m_utcTimesAct, m_localTimesAct});
    auto* optionsMenu = new QMenu(tr("&Options"), this);
    AddActions(optionsMenu, {m_feedAct});
    optionsMenu->addMenu(timesMenu);
    optionsMenu->addMenu(m_historyLimitMenu);
    AddActions(optionsMenu, {nullptr, m_alertsAct});
    optionsMenu->addMenu(m_snoozeMenu);
    m_noDocumentMenus = {fileMenu, viewMenu, optionsMenu, helpMenu};

    auto* mapFileMenu = new QMenu(tr("&File"), this);
    AddActions(mapFileMenu, {m_newAct, m_openAct, m_saveAct, m_closeAct, m_openFeedAct,
                             m_refreshAct, m_exportListAct, nullptr, m_exitAct});

    m_windowMenu = new QMenu(tr("&Window"), this);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
    UpdateWindowMenu();
    m_mapMenu = new QMenu(tr("&Map"), this);
    AddActions(m_mapMenu, {m_chooseCityAct, m_parametersAct});

    m_mapMenus = {mapFileMenu, viewMenu, m_mapMenu, optionsMenu, m_windowMenu, helpMenu};
}

// The fixed items, then the open polar and world map windows, numbered, the
// active one checked.
void CMainFrame::UpdateWindowMenu()
{
    m_windowMenu->clear();
    AddActions(m_windowMenu,
               {m_cascadeAct, m_tileAct, m_arrangeAct, nullptr, m_tileVertAct, m_tileHorzAct,
                nullptr, m_nextWindowAct, m_previousWindowAct, nullptr, m_worldMapAct});

    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isHidden())
            windows << window;
    }
    if (windows.isEmpty())
        return;
    m_windowMenu->addSeparator();
    auto* group = new QActionGroup(m_windowMenu);
    QMdiSubWindow* active = m_mdiArea->currentSubWindow();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        const QString number =
            i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1);
        QAction* action = m_windowMenu->addAction(number + window->windowTitle());
        action->setCheckable(true);
        action->setChecked(window == active);
        action->setActionGroup(group);
        action->setStatusTip(tr("Activate this window"));
        connect(action, &QAction::triggered, window,
                [this, window] { m_mdiArea->setActiveSubWindow(window); });
    }
}

void CMainFrame::CreateToolBar()
{
    m_wndToolBar = new QToolBar(tr("Standard"), this);
    m_wndToolBar->setObjectName("toolbar");
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (QAction* action : {m_newAct, m_refreshAct, m_tileVertAct, m_tileHorzAct}) {
        action->setIconVisibleInMenu(false);  // the images belong to the toolbar
        m_wndToolBar->addAction(action);
    }
    m_wndToolBar->setWhatsThis(tr("New opens a further map window; Refresh Now reloads the "
                                  "feed at once; the two tiling buttons lay the map windows out "
                                  "side by side or one above another."));
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    connect(m_toolbarAct, &QAction::toggled, m_wndToolBar, &QWidget::setVisible);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, m_toolbarAct, &QAction::setChecked);
}

void CMainFrame::CreateStatusBar()
{
    m_wndStatusBar = statusBar();
    m_feedPane = new QLabel(m_wndStatusBar);
    m_feedPane->setTextFormat(Qt::PlainText);
    m_feedPane->setWhatsThis(tr("The state of the quake feed: how many quakes were read and "
                                "when, or why the latest reload failed and how old the data "
                                "shown is."));
    m_wndStatusBar->addPermanentWidget(m_feedPane);
    m_wndStatusBar->showMessage(QString(kIdleMessage));
    connect(m_statusBarAct, &QAction::toggled, m_wndStatusBar, &QWidget::setVisible);
    UpdateFeedStatus();
}
}  // namespace tremolux
