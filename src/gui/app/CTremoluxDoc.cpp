#include "gui/app/CTremoluxDoc.h"

#include <QFileInfo>

#include "gui/app/MapWindowFiles.h"

namespace tremolux {

CTremoluxDoc::CTremoluxDoc(const QString& title, QObject* parent) : QObject(parent), m_title(title)
{
}

void CTremoluxDoc::SetTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    emit titleChanged(m_title);
}

void CTremoluxDoc::SetPathName(const QString& path)
{
    m_pathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(path).fileName());
}

Result<> CTremoluxDoc::OnSaveDocument(const QString& path, const MapWindow& window)
{
    Result<> save = SaveMapWindowFile(path, window);
    if (save)
        SetPathName(path);
    return save;
}

}  // namespace tremolux
