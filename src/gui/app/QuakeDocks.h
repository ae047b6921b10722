#pragma once

#include <optional>

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "core/list/NewQuakes.h"

class QAction;
class QDockWidget;

namespace tremolux {

class CMainFrame;
class CTremoluxView;
class LegendWidget;
class QuakeListPanel;
class QuakeTableModel;

// The quake list and legend docks of the main frame. Both follow the active
// map window: the list measures distances from its city and shares its
// selected quake, the legend explains its settings.
class QuakeDocks : public QObject {
    Q_OBJECT
public:
    explicit QuakeDocks(CMainFrame& frame);

    QDockWidget* ListDock() const { return m_listDock; }
    QDockWidget* LegendDock() const { return m_legendDock; }
    QuakeTableModel& Model() const { return *m_model; }
    QuakeListPanel& Panel() const { return *m_panel; }
    LegendWidget& Legend() const { return *m_legend; }

    // A load rebuilt the quake list.
    void ListChanged();
    // The quakes will come from another feed.
    void FeedChanged();
    // Another map window became active, or the active one closed.
    void FollowActiveWindow();

private:
    void Link(CTremoluxView* view);
    void ShowWindow();
    void OnQuakeChosen(int index);
    void OnWindowSelected(int index);
    void OpenEventPage(int index);
    void Remember(int index);

    CMainFrame& m_frame;
    QuakeTableModel* m_model;
    QuakeListPanel* m_panel;
    LegendWidget* m_legend;
    QDockWidget* m_listDock;
    QDockWidget* m_legendDock;
    QPointer<CTremoluxView> m_view;
    // The selected quake by what it is, to find it again after a load.
    std::optional<QuakeIdentity> m_selected;
    QTimer m_ageTimer;
};

}  // namespace tremolux
