#include "gui/app/CMainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include "gui/app/CChildFrame.h"
#include "gui/app/CTremoluxDoc.h"
#include "gui/app/QuakeDocks.h"

// The frame's commands as actions, and the menus, toolbar and status bar that show them.
namespace tremolux {

namespace {

QAction* MakeAction(QObject* parent, const QString& text, const QString& prompt,
                    const QString& tip)
{
    auto* action = new QAction(text, parent);
    action->setStatusTip(prompt);
    action->setToolTip(tip);
    return action;
}

}  // namespace

void CMainFrame::CreateActions()
{
    m_newAct = MakeAction(this, tr("&New\tCtrl+N"), tr("Create a new document"), tr("New"));
    m_newAct->setIcon(QIcon(":/images/new.png"));
    m_newAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(m_newAct, &QAction::triggered, this, [this] { OnFileNew(); });

    m_openAct = MakeAction(this, tr("&Open..."), tr("Open an existing document"), tr("Open"));
    m_openAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(m_openAct, &QAction::triggered, this, &CMainFrame::OnFileOpen);

    m_saveAct = MakeAction(this, tr("&Save"), tr("Save the active document"), tr("Save"));
    m_saveAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(m_saveAct, &QAction::triggered, this, &CMainFrame::OnFileSave);

    m_closeAct = MakeAction(this, tr("&Close"), tr("Close the active document"), tr("Close"));
    connect(m_closeAct, &QAction::triggered, this, &CMainFrame::OnFileClose);

    m_openFeedAct = MakeAction(this, tr("Open &Feed..."), tr("Read the quakes from a feed file"),
                               tr("Open Feed"));
    connect(m_openFeedAct, &QAction::triggered, this, &CMainFrame::OnFileOpenFeed);

    m_feedAct = MakeAction(this, tr("&Feed..."),
                           tr("Choose the quake feed and how often it is reloaded"), tr("Feed"));
    connect(m_feedAct, &QAction::triggered, this, &CMainFrame::OnOptionsFeed);

    m_exitAct = MakeAction(this, tr("E&xit"), tr("Quit the application; prompts to save documents"),
                           tr("Exit"));
    connect(m_exitAct, &QAction::triggered, this, &QWidget::close);

    m_toolbarAct = MakeAction(this, tr("&Toolbar"), tr("Show or hide the toolbar"),
                              tr("Toggle ToolBar"));
    m_toolbarAct->setCheckable(true);
    m_toolbarAct->setChecked(true);

    m_statusBarAct = MakeAction(this, tr("&Status Bar"), tr("Show or hide the status bar"),
                                tr("Toggle StatusBar"));
    m_statusBarAct->setCheckable(true);
    m_statusBarAct->setChecked(true);

    m_cascadeAct = MakeAction(this, tr("&Cascade"), tr("Arrange windows so they overlap"),
                              tr("Cascade Windows"));
    connect(m_cascadeAct, &QAction::triggered, this, &CMainFrame::OnWindowCascade);

    const QString horizontally = tr("Arrange windows horizontally");
    const QString vertically = tr("Arrange windows vertically");
    m_tileAct = MakeAction(this, tr("&Tile"), horizontally, horizontally);
    connect(m_tileAct, &QAction::triggered, this, &CMainFrame::OnWindowTileHorz);

    m_arrangeAct = MakeAction(this, tr("&Arrange Icons"),
                              tr("Arrange icons at the bottom of the window"), tr("Arrange Icons"));
    connect(m_arrangeAct, &QAction::triggered, this, &CMainFrame::OnWindowArrange);

    m_tileVertAct = MakeAction(this, tr("Tile Vertically"), vertically, vertically);
    m_tileVertAct->setIcon(QIcon(":/images/tile_vert.png"));
    connect(m_tileVertAct, &QAction::triggered, this, &CMainFrame::OnWindowTileVert);

    m_tileHorzAct = MakeAction(this, tr("Tile Horizontally"), horizontally, horizontally);
    m_tileHorzAct->setIcon(QIcon(":/images/tile_horz.png"));
    connect(m_tileHorzAct, &QAction::triggered, this, &CMainFrame::OnWindowTileHorz);

    m_worldMapAct = MakeAction(this, tr("New &World Map"),
                               tr("Open a world map about the active window's city"),
                               tr("New World Map"));
    connect(m_worldMapAct, &QAction::triggered, this, &CMainFrame::OnWindowNewWorldMap);

    m_helpFinderAct = MakeAction(this, tr("&Help Topics"), tr("List Help topics"),
                                 tr("Help Topics"));
    connect(m_helpFinderAct, &QAction::triggered, this, &CMainFrame::OnHelpFinder);

    m_aboutAct = MakeAction(this, tr("&About Tremolux..."),
                            tr("Display program information, version number and copyright"),
                            tr("About"));
    connect(m_aboutAct, &QAction::triggered, this, &CMainFrame::OnAppAbout);

    m_helpAct = MakeAction(this, tr("Help"), tr("Display help for current task or command"),
                           tr("Help"));
    m_helpAct->setShortcut(QKeySequence(Qt::Key_F1));
    connect(m_helpAct, &QAction::triggered, this, &CMainFrame::OnHelpFinder);

    m_contextHelpAct = MakeAction(this, tr("Help"),
                                  tr("Display help for clicked on buttons, menus and windows"),
                                  tr("Help"));
    m_contextHelpAct->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    connect(m_contextHelpAct, &QAction::triggered, this, &CMainFrame::OnContextHelp);

    m_closeAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    CreateMapActions();
    CreateHistoryActions();

    // The accelerators work whichever menu is shown, and for commands no menu holds.
    addActions({m_newAct, m_openAct, m_saveAct, m_helpAct, m_contextHelpAct});
    addActions({m_closeAct, m_refreshAct, m_chooseCityAct, m_parametersAct, m_nextWindowAct,
                m_previousWindowAct});
}

void CMainFrame::CreateMenus()
{
    auto* viewMenu = new QMenu(tr("&View"), this);
    viewMenu->addAction(m_toolbarAct);
    viewMenu->addAction(m_statusBarAct);
    viewMenu->addSeparator();
    viewMenu->addAction(m_docks->ListDock()->toggleViewAction());
    viewMenu->addAction(m_docks->LegendDock()->toggleViewAction());

    auto* helpMenu = new QMenu(tr("&Help"), this);
    helpMenu->addAction(m_helpFinderAct);
    helpMenu->addSeparator();
    helpMenu->addAction(m_aboutAct);

    auto* fileMenu = new QMenu(tr("&File"), this);
    fileMenu->addAction(m_newAct);
    fileMenu->addAction(m_worldMapAct);  // with no window open there is no Window menu
    fileMenu->addAction(m_openAct);
    fileMenu->addAction(m_openFeedAct);
    fileMenu->addAction(m_refreshAct);
    fileMenu->addAction(m_exportListAct);
    fileMenu->addSeparator();
    fileMenu->addAction(m_closeAct);
    fileMenu->addAction(m_exitAct);
    auto* optionsMenu = new QMenu(tr("&Options"), this);
    optionsMenu->addAction(m_feedAct);
    optionsMenu->addMenu(m_historyLimitMenu);
    optionsMenu->addSeparator();
    optionsMenu->addAction(m_alertsAct);
    optionsMenu->addMenu(m_snoozeMenu);
    m_noDocumentMenus = {fileMenu, viewMenu, optionsMenu, helpMenu};

    auto* mapFileMenu = new QMenu(tr("&File"), this);
    mapFileMenu->addAction(m_newAct);
    mapFileMenu->addAction(m_openAct);
    mapFileMenu->addAction(m_saveAct);
    mapFileMenu->addAction(m_closeAct);
    mapFileMenu->addAction(m_openFeedAct);
    mapFileMenu->addAction(m_refreshAct);
    mapFileMenu->addAction(m_exportListAct);
    mapFileMenu->addSeparator();
    mapFileMenu->addAction(m_exitAct);

    m_windowMenu = new QMenu(tr("&Window"), this);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
    UpdateWindowMenu();
    m_mapMenu = new QMenu(tr("&Map"), this);
    m_mapMenu->addAction(m_chooseCityAct);
    m_mapMenu->addAction(m_parametersAct);

    m_mapMenus = {mapFileMenu, viewMenu, m_mapMenu, optionsMenu, m_windowMenu, helpMenu};
}

// The fixed items, then the open polar and world map windows, numbered, the
// active one checked.
void CMainFrame::UpdateWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(m_cascadeAct);
    m_windowMenu->addAction(m_tileAct);
    m_windowMenu->addAction(m_arrangeAct);
    m_windowMenu->addSeparator();
    m_windowMenu->addAction(m_tileVertAct);
    m_windowMenu->addAction(m_tileHorzAct);
    m_windowMenu->addSeparator();
    m_windowMenu->addAction(m_nextWindowAct);
    m_windowMenu->addAction(m_previousWindowAct);
    m_windowMenu->addSeparator();
    m_windowMenu->addAction(m_worldMapAct);

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
        const QString number = i < 9 ? QStringLiteral("&%1 ").arg(i + 1)
                                     : QStringLiteral("%1 ").arg(i + 1);
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
