#pragma once

#include <optional>
#include <vector>

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "core/events/AwaySummary.h"
#include "core/events/EventChange.h"
#include "core/feed/QuakeRecord.h"

class QAction;
class QDockWidget;

namespace tremolux {

class CMainFrame;
class LegendWidget;
class QuakeListPanel;
class QuakeTableModel;
class QuakeWindow;

// The quake list and legend docks of the main frame. Both follow the active
// window of either kind, polar or world map, or the one active last: the list
// measures distances from its city and shares its selected quake; the legend
// explains that kind of map for its settings.
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
    // With the changes the load brought by the event history.
    void ListChanged(std::vector<EventChange> changes = {});
    // The first good load of the run: what it brought since the last run's.
    void ShowAway(const AwayLoad& load);
    // The quakes will come from another feed.
    void FeedChanged();
    // Another window became active, or the active one closed.
    void FollowActiveWindow();

private:
    QuakeWindow* ActiveWindow() const;
    bool IsOpen(const QuakeWindow* window) const;
    void Link(QuakeWindow* window);
    void ShowCity();
    void ShowLegend();
    void OnQuakeChosen(int index);
    void OnWindowSelected(int index);
    void OpenEventPage(int row);
    // The history's rows again, after a load or another choice of days.
    void ShowChosenRows();
    void Remember(int index);

    CMainFrame& m_frame;
    QuakeTableModel* m_model;
    QuakeListPanel* m_panel;
    LegendWidget* m_legend;
    QDockWidget* m_listDock;
    QDockWidget* m_legendDock;
    QPointer<QuakeWindow> m_window;  // the one the docks follow
    QList<QMetaObject::Connection> m_windowLinks;
    // The selected quake by what it is, to find it again after a load.
    std::optional<QuakeRecord> m_selected;
    QTimer m_ageTimer;
};

}  // namespace tremolux
