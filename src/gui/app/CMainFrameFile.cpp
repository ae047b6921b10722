#include "gui/app/CMainFrame.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>

#include "gui/app/CChildFrame.h"
#include "gui/app/CTremoluxDoc.h"
#include "gui/app/MapWindowFiles.h"
#include "gui/app/RecentFiles.h"
#include "gui/common/Log.h"
#include "gui/common/MessageBoxes.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/WorldMapWindow.h"

// The File menu's commands on map windows.
namespace tremolux {

namespace {

QString MapWindowFilter()
{
    return QObject::tr("Tremolux map windows (*.tremolux);;All files (*)");
}

}  // namespace

CChildFrame* CMainFrame::OnFileNew()
{
    return OpenMapWindow(MapWindow());
}

CChildFrame* CMainFrame::OpenMapWindow(const MapWindow& content, const QString& path)
{
    auto* document = new CTremoluxDoc(QString(kAppTitle) + QString::number(m_nextDocumentNumber++));
    auto* frame = new CChildFrame(document);
    frame->setWindowIcon(QIcon(":/icons/map.png"));
    auto* view = new CTremoluxView(m_quakes, m_clock);
    view->SetFrameCommands(m_mapMenu->actions());
    frame->setWidget(view);
    connect(view, &CTremoluxView::titleChanged, document, &CTremoluxDoc::SetTitle);
    connect(view, &CTremoluxView::statusTextChanged, this, [this, frame](const QString& text) {
        if (ActiveMapWindow() == frame)
            m_wndStatusBar->showMessage(text);
    });
    connect(document, &CTremoluxDoc::titleChanged, this, [this] { UpdateCaption(); });
    connect(frame, &QObject::destroyed, this, [this] { UpdateMenus(); });
    view->SetContent(content);
    view->SetNotice(m_feedNotice);
    if (!path.isEmpty())
        document->SetPathName(path);
    m_mdiArea->addSubWindow(frame);
    frame->show();
    PlaceNewWindow(frame);
    m_mdiArea->setActiveSubWindow(frame);
    UpdateMenus();
    ShowActiveViewStatus();
    return frame;
}

CChildFrame* CMainFrame::OpenDocumentFile(const QString& path)
{
    const Result<MapWindow> load = LoadMapWindowFile(path);
    if (!load) {
        const QString text =
            tr("%1 cannot be opened: %2.").arg(path, QString::fromStdString(load.error()));
        qCWarning(lcSession).noquote() << text;
        ShowMessage(this, QMessageBox::Warning, text);
        return nullptr;
    }
    CChildFrame* frame = OpenMapWindow(*load, path);
    AddRecentFile(path);
    return frame;
}

void CMainFrame::OpenHandedOverFiles(const QStringList& files)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    for (const QString& file : files)
        OpenDocumentFile(file);
}

void CMainFrame::OnFileOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open"), {}, MapWindowFilter());
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CMainFrame::OnFileSave()
{
    CChildFrame* window = ActiveMapWindow();
    if (window == nullptr)
        return;
    CTremoluxDoc& document = window->GetDocument();
    const QString suggested =
        document.GetPathName().isEmpty() ? document.GetTitle() : document.GetPathName();
    QString path = QFileDialog::getSaveFileName(this, tr("Save As"), suggested, MapWindowFilter());
    if (path.isEmpty())
        return;
    // A name typed without extension gets the one the Open dialog lists; the
    // dialog asked about the name typed, so the file named now is asked about here.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".tremolux");
        if (QFileInfo::exists(path)
            && AskYesNo(this, tr("%1 already exists. Do you want to replace it?").arg(path))
                   != QMessageBox::Yes)
            return;
    }
    if (const Result<> save = document.OnSaveDocument(path, window->GetView()->Content()); !save) {
        const QString text =
            tr("%1 could not be saved: %2").arg(path, QString::fromStdString(save.error()));
        qCWarning(lcSession).noquote() << text;
        ShowMessage(this, QMessageBox::Warning, text);
        return;
    }
    AddRecentFile(path);
}

void CMainFrame::OnFileClose()
{
    if (CChildFrame* window = ActiveMapWindow())
        window->close();
    else if (WorldMapWindow* world = ActiveWorldMap())
        world->parentWidget()->close();
}

}  // namespace tremolux
