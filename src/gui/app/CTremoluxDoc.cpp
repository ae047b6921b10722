#include "gui/app/CTremoluxDoc.h"

#include <QFile>
#include <QFileInfo>

namespace tremolux {

CTremoluxDoc::CTremoluxDoc(const QString& title, QObject* parent)
    : QObject(parent), m_title(title)
{
}

void CTremoluxDoc::SetTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    emit titleChanged(m_title);
}

bool CTremoluxDoc::OnSaveDocument(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error != nullptr)
            *error = file.errorString();
        return false;
    }
    file.close();
    SetTitle(QFileInfo(path).fileName());
    return true;
}

}  // namespace tremolux
