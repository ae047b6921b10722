#pragma once

#include <QList>
#include <QWidget>

#include "core/session/MapWindowFile.h"

namespace tremolux {

// A window that shows the quakes about its own city and can select one: the
// polar map and the world map alike. The quake list follows whichever of them
// is active.
class QuakeWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // The city and settings shown.
    virtual MapWindow Content() const = 0;
    // The selected quake, an index into the quake list, or -1 for none.
    virtual int SelectedQuake() const = 0;
    // Selects index (-1: none) and marks it; announces a change.
    virtual void SelectQuake(int index) = 0;

    // The frame's commands that act on the active window (its Map menu): the
    // context menu offers these very actions.
    void SetFrameCommands(const QList<QAction*>& commands) { m_frameCommands = commands; }
    const QList<QAction*>& FrameCommands() const { return m_frameCommands; }

signals:
    // Also when the city changes: the title names it.
    void titleChanged(const QString& title);
    void quakeSelected(int index);

private:
    QList<QAction*> m_frameCommands;
};

}  // namespace tremolux
