#pragma once

#include <QEvent>
#include <QWidget>

namespace tremolux::test {

// Counts the paint events a widget receives: what reaches the screen, which
// grab() would hide by painting afresh on demand.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

}  // namespace tremolux::test
