#include "gui/app/CChildFrame.h"

#include <QAction>
#include <QMenu>

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
    // The frame's File > Close owns Ctrl+F4, wherever the focus is; claimed
    // twice, the key would do nothing.
    for (QAction* action : systemMenu()->actions()) {
        if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
            action->setShortcuts({});
    }
}

CTremoluxView* CChildFrame::GetView() const
{
    return qobject_cast<CTremoluxView*>(widget());
}

}  // namespace tremolux
