#include "gui/app/CMainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QDesktopServices>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include "gui/app/CAboutDlg.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CTremoluxApp.h"
#include "gui/app/CTremoluxDoc.h"
#include "core/cycle/FeedStatus.h"
#include "gui/app/InstallPaths.h"
#include "gui/common/MessageBoxes.h"
#include "gui/app/RecentFiles.h"
#include "gui/app/Resources.h"
#include "core/common/Clock.h"
#include "gui/feed/FeedView.h"
#include "gui/view/CTremoluxView.h"

namespace tremolux {

namespace {

const QString kAppTitle = QStringLiteral("Tremolux");
const QString kIdleMessage = QStringLiteral(" ");

QAction* MakeAction(QObject* parent, const QString& text, const QString& prompt,
                    const QString& tip)
{
    auto* action = new QAction(text, parent);
    action->setStatusTip(prompt);
    action->setToolTip(tip);
    return action;
}

// Lays the windows out in one row (side by side) or one column.
void TileInLine(QMdiArea* area, bool sideBySide)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isHidden() && !window->isMinimized())
            windows << window;
    }
    if (windows.isEmpty())
        return;
    const QRect area_ = area->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    const int length = sideBySide ? area_.width() : area_.height();
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* window = windows[i];
        if (window->isMaximized())
            window->showNormal();
        const int from = length * i / n;
        const int to = length * (i + 1) / n;
        window->setGeometry(sideBySide ? QRect(from, 0, to - from, area_.height())
                                       : QRect(0, from, area_.width(), to - from));
    }
}

}  // namespace

CMainFrame::CMainFrame(const Clock& clock, Tone& tone, CycleTimings timings)
    : m_clock(clock), m_timings(timings), m_cycle(m_quakes, tone, *this, *this)
{
    InitResources();
    setWindowTitle(kAppTitle);
    setWindowIcon(QIcon(":/icons/tremolux.png"));
    resize(1024, 720);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        UpdateMenus();
        ShowActiveViewStatus();
    });

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    UpdateMenus();

    // Ticks are handled from the event queue rather than inside the timer's own
    // event: a timer does not fire again while its handler runs, and a failure
    // box opened by a poll must let later polls run in its loop.
    m_pollTimer.setInterval(m_timings.poll);
    m_refreshTimer.setInterval(m_timings.refresh);
    connect(&m_pollTimer, &QTimer::timeout, this,
            [this] { OnTimer(MainCycle::ID_TIMER_POLL); }, Qt::QueuedConnection);
    connect(&m_refreshTimer, &QTimer::timeout, this,
            [this] { OnTimer(MainCycle::ID_TIMER_REFRESH); }, Qt::QueuedConnection);
}

CMainFrame::~CMainFrame()
{
    m_pollTimer.stop();
    m_refreshTimer.stop();
    // The map windows go while the frame is whole, without calling back into it;
    // closed ones may still wait for their deletion.
    m_mdiArea->disconnect(this);
    for (CChildFrame* window : m_mdiArea->findChildren<CChildFrame*>()) {
        window->disconnect(this);
        window->GetDocument().disconnect(this);
    }
    delete m_mdiArea;
}

void CMainFrame::OnCreate()
{
    m_cycle.Start();
    m_pollTimer.start();
    m_refreshTimer.start();
}

void CMainFrame::OnTimer(int id)
{
    m_cycle.OnTimer(id, g_pFeedView);
}

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

    // The accelerators work whichever menu is shown, and for commands no menu holds.
    addActions({m_newAct, m_openAct, m_saveAct, m_helpAct, m_contextHelpAct});
}

void CMainFrame::CreateMenus()
{
    auto* viewMenu = new QMenu(tr("&View"), this);
    viewMenu->addAction(m_toolbarAct);
    viewMenu->addAction(m_statusBarAct);

    auto* helpMenu = new QMenu(tr("&Help"), this);
    helpMenu->addAction(m_helpFinderAct);
    helpMenu->addSeparator();
    helpMenu->addAction(m_aboutAct);

    auto* fileMenu = new QMenu(tr("&File"), this);
    fileMenu->addAction(m_newAct);
    fileMenu->addSeparator();
    fileMenu->addAction(m_closeAct);
    fileMenu->addAction(m_exitAct);
    m_noDocumentMenus = {fileMenu, viewMenu, helpMenu};

    auto* mapFileMenu = new QMenu(tr("&File"), this);
    mapFileMenu->addAction(m_newAct);
    mapFileMenu->addAction(m_closeAct);
    mapFileMenu->addSeparator();
    mapFileMenu->addAction(m_exitAct);

    m_windowMenu = new QMenu(tr("&Window"), this);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
    UpdateWindowMenu();
    m_mapMenus = {mapFileMenu, viewMenu, m_windowMenu, helpMenu};
}

// The fixed items, then the open map windows, numbered, the active one checked.
void CMainFrame::UpdateWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(m_cascadeAct);
    m_windowMenu->addAction(m_tileAct);
    m_windowMenu->addAction(m_arrangeAct);
    m_windowMenu->addSeparator();
    m_windowMenu->addAction(m_tileVertAct);
    m_windowMenu->addAction(m_tileHorzAct);

    const QList<CChildFrame*> windows = MapWindows();
    if (windows.isEmpty())
        return;
    m_windowMenu->addSeparator();
    auto* group = new QActionGroup(m_windowMenu);
    CChildFrame* active = ActiveMapWindow();
    for (int i = 0; i < windows.size(); ++i) {
        CChildFrame* window = windows[i];
        const QString number = i < 9 ? QStringLiteral("&%1 ").arg(i + 1)
                                     : QStringLiteral("%1 ").arg(i + 1);
        QAction* action = m_windowMenu->addAction(number + window->GetDocument().GetTitle());
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
    for (QAction* action : {m_newAct, m_tileVertAct, m_tileHorzAct}) {
        action->setIconVisibleInMenu(false);  // the images belong to the toolbar
        m_wndToolBar->addAction(action);
    }
    m_wndToolBar->setWhatsThis(tr("New opens a further map window; the two tiling buttons "
                                  "lay the map windows out side by side or one above another."));
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
    m_wndStatusBar->showMessage(kIdleMessage);
    connect(m_statusBarAct, &QAction::toggled, m_wndStatusBar, &QWidget::setVisible);
    UpdateFeedStatus();
}

bool CMainFrame::event(QEvent* event)
{
    // Leaving a menu clears its prompt; the pane then shows the idle text.
    if (event->type() == QEvent::StatusTip
        && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        ShowActiveViewStatus();
        return true;
    }
    return QMainWindow::event(event);
}

// Nothing is ever modified, so the windows close without asking; the cycle
// ends with the frame.
void CMainFrame::closeEvent(QCloseEvent* event)
{
    m_pollTimer.stop();
    m_refreshTimer.stop();
    m_mdiArea->closeAllSubWindows();
    event->accept();
}

QList<CChildFrame*> CMainFrame::MapWindows() const
{
    QList<CChildFrame*> windows;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame != nullptr && !frame->isHidden())
            windows << frame;
    }
    return windows;
}

// The active map window's settings, or the idle text without one.
void CMainFrame::ShowActiveViewStatus()
{
    if (CChildFrame* active = ActiveMapWindow())
        active->GetView()->UpdateStatusText();
    else
        m_wndStatusBar->showMessage(kIdleMessage);
}

CChildFrame* CMainFrame::ActiveMapWindow() const
{
    auto* frame = qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
    return frame != nullptr && !frame->isHidden() ? frame : nullptr;
}

void CMainFrame::UpdateMenus()
{
    const bool mapActive = !MapWindows().isEmpty();
    const QList<QMenu*>& menus = mapActive ? m_mapMenus : m_noDocumentMenus;
    if (menuBar()->actions().size() != menus.size()
        || menuBar()->actions().first() != menus.first()->menuAction()) {
        menuBar()->clear();
        for (QMenu* menu : menus)
            menuBar()->addMenu(menu);
    }
    m_closeAct->setEnabled(mapActive);
    m_saveAct->setEnabled(mapActive);
    UpdateCaption();
}

void CMainFrame::UpdateCaption()
{
    CChildFrame* active = ActiveMapWindow();
    if (active == nullptr && !MapWindows().isEmpty())
        active = MapWindows().last();
    setWindowTitle(active != nullptr ? kAppTitle + " - " + active->GetDocument().GetTitle()
                                     : kAppTitle);
}

CChildFrame* CMainFrame::OnFileNew()
{
    auto* document = new CTremoluxDoc(kAppTitle + QString::number(m_nextDocumentNumber++));
    auto* frame = new CChildFrame(document);
    frame->setWindowIcon(QIcon(":/icons/map.png"));
    auto* view = new CTremoluxView(m_quakes, m_clock);
    frame->setWidget(view);
    connect(view, &CTremoluxView::titleChanged, document, &CTremoluxDoc::SetTitle);
    connect(view, &CTremoluxView::statusTextChanged, this, [this, frame](const QString& text) {
        if (ActiveMapWindow() == frame)
            m_wndStatusBar->showMessage(text);
    });
    connect(document, &CTremoluxDoc::titleChanged, this, [this] { UpdateCaption(); });
    connect(frame, &QObject::destroyed, this, [this] { UpdateMenus(); });
    m_mdiArea->addSubWindow(frame);
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
    UpdateMenus();
    ShowActiveViewStatus();
    return frame;
}

CChildFrame* CMainFrame::OpenDocumentFile(const QString& path)
{
    CChildFrame* frame = OnFileNew();
    frame->GetDocument().SetTitle(QFileInfo(path).fileName());
    AddRecentFile(path);
    return frame;
}

void CMainFrame::OnFileOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open"));
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CMainFrame::OnFileSave()
{
    CChildFrame* window = ActiveMapWindow();
    if (window == nullptr)
        return;
    CTremoluxDoc& document = window->GetDocument();
    const QString path = QFileDialog::getSaveFileName(this, tr("Save As"), document.GetTitle());
    if (path.isEmpty())
        return;
    QString error;
    if (!document.OnSaveDocument(path, &error)) {
        ShowMessage(this, QMessageBox::Warning, tr("%1 could not be saved: %2").arg(path, error));
        return;
    }
    AddRecentFile(path);
}

void CMainFrame::OnFileClose()
{
    if (CChildFrame* window = ActiveMapWindow())
        window->close();
}

void CMainFrame::OnWindowCascade()
{
    m_mdiArea->cascadeSubWindows();
}

void CMainFrame::OnWindowTileHorz()
{
    TileInLine(m_mdiArea, false);
}

void CMainFrame::OnWindowTileVert()
{
    TileInLine(m_mdiArea, true);
}

// Minimized windows in rows along the bottom edge, left to right.
void CMainFrame::OnWindowArrange()
{
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0;
    int bottom = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isHidden() || !window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        window->move(x, bottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(g_pFeedView != nullptr ? g_pFeedView->Address() : std::string(), this);
    dialog.exec();
}

void CMainFrame::OnHelpFinder()
{
    const QString page = HelpPagePath();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page))) {
        ShowMessage(this, QMessageBox::Warning,
                    tr("The help page %1 could not be opened.").arg(page));
    }
}

void CMainFrame::OnContextHelp()
{
    QWhatsThis::enterWhatsThisMode();
    m_wndStatusBar->showMessage(tr("Select an object on which to get Help"));
}

QString CMainFrame::FeedStatus() const
{
    return m_feedPane->text();
}

void CMainFrame::UpdateFeedStatus()
{
    tremolux::FeedStatus status;
    if (g_pFeedView != nullptr) {
        status.hasData = g_pFeedView->HasLoaded();
        status.lastGoodLoad = g_pFeedView->LastGoodLoad();
        status.loadFailure = g_pFeedView->LastFailure();
        status.anyLoadEnded = status.hasData || !status.loadFailure.empty();
        m_feedPane->setToolTip(QString::fromStdString(g_pFeedView->Address()));
    }
    status.parseFailure = m_cycle.LastParseFailure();
    m_feedPane->setText(
        QString::fromStdString(FeedStatusText(status, m_quakes.count(), m_clock.Now())));
}

// Each view is painted here and now: repainting the frame does not reach the
// opaque map views inside the MDI area.
void CMainFrame::RepaintAll()
{
    UpdateFeedStatus();
    for (CChildFrame* window : MapWindows())
        window->GetView()->repaint();
}

void CMainFrame::ShowFailure(const std::string& message)
{
    UpdateFeedStatus();
    ShowMessage(this, QMessageBox::Warning, QString::fromStdString(message));
}

void CMainFrame::NoteFailure(const std::string&)
{
    UpdateFeedStatus();
}

}  // namespace tremolux
