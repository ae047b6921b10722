#include "gui/app/CChildFrame.h"

#include "gui/app/CTremoluxDoc.h"
#include "gui/view/CTremoluxView.h"

namespace tremolux {

CChildFrame::CChildFrame(CTremoluxDoc* document, QWidget* parent)
    : QMdiSubWindow(parent), m_document(document)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_document->setParent(this);
    setWindowTitle(m_document->GetTitle());
    connect(m_document, &CTremoluxDoc::titleChanged, this, &QWidget::setWindowTitle);
}

CTremoluxView* CChildFrame::GetView() const
{
    return qobject_cast<CTremoluxView*>(widget());
}

}  // namespace tremolux
