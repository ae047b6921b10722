#pragma once

#include <QMdiSubWindow>

namespace tremolux {

class CTremoluxDoc;
class CTremoluxView;

// A map window inside the main frame: one document, one view, the
// document's title as its caption. It owns both.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(CTremoluxDoc* document, QWidget* parent = nullptr);

    CTremoluxDoc& GetDocument() const { return *m_document; }
    CTremoluxView* GetView() const;

private:
    CTremoluxDoc* m_document;
};

}  // namespace tremolux
