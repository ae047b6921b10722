#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>

#include "core/events/AwaySummary.h"
#include "core/events/EventChange.h"
#include "core/feed/QuakeRecord.h"
#include "core/list/QuakeText.h"

class QAction;
class QDockWidget;

namespace tremolux {

class CMainFrame;
class LegendWidget;
class QuakeListPanel;
class CTremoluxView;
class QuakeTableModel;
class QuakeWindow;

// The quake list and legend docks of the main frame. Both follow the active
// window of either kind, polar or world map, or the one active last: the list
// measures distances from its city and shares its selected quake; the legend
// explains that kind of map for its settings.
//
// The list's rows for thousands of quakes take a while to make: the list is
// made once the first map has been painted after the first load, or at the
// second load, or when the dock is shown after the first load, or when
// anything asks for it. Until then the dock says that it waits for the feed.
class QuakeDocks : public QObject {
    Q_OBJECT
public:
    explicit QuakeDocks(CMainFrame& frame);

    QDockWidget* ListDock() const { return m_listDock; }
    QDockWidget* LegendDock() const { return m_legendDock; }
    QuakeTableModel& Model();
    QuakeListPanel& Panel();
    LegendWidget& Legend() const { return *m_legend; }

    // The list's times on this clock.
    void SetTimeShown(TimeShown shown);
    // Sorts the list by a column, as a click on its header does.
    void SortList(int column, Qt::SortOrder order);

    // A load rebuilt the quake list.
    // With the changes the load brought by the event history.
    void ListChanged(std::vector<EventChange> changes = {});
    // The list shows the stored history rather than the feed (or will, once made).
    bool ShowsHistory() const;
    // The first good load of the run: what it brought since the last run's.
    void ShowAway(const AwayLoad& load);
    // The quakes will come from another feed.
    void FeedChanged();
    // Another window became active, or the active one closed.
    void FollowActiveWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildList();
    void BuildListAfterMapShown();
    QuakeWindow* ActiveWindow() const;
    bool IsOpen(const QuakeWindow* window) const;
    void Link(QuakeWindow* window);
    int FollowSelection();
    void ShowCity();
    void ShowLegend();
    void OnQuakeChosen(int index);
    void OnWindowSelected(int index);
    void OpenEventPage(int row);
    // The history's rows again, after a load or another choice of days.
    void ShowChosenRows();
    void Remember(int index);

    CMainFrame& m_frame;
    QuakeTableModel* m_model = nullptr;  // both made by BuildList
    QuakeListPanel* m_panel = nullptr;
    LegendWidget* m_legend;
    QDockWidget* m_listDock;
    QDockWidget* m_legendDock;
    QPointer<QuakeWindow> m_window;  // the one the docks follow
    QList<QMetaObject::Connection> m_windowLinks;
    // The selected quake by what it is, to find it again after a load.
    std::optional<QuakeRecord> m_selected;
    QTimer m_ageTimer;

    // What the list takes when it is made.
    TimeShown m_timeShown = TimeShown::Utc;
    std::optional<std::pair<int, Qt::SortOrder>> m_sort;
    std::optional<std::pair<QString, QSet<QString>>> m_away;
    bool m_loadWaiting = false;  // the first load, read before the list was made
    std::vector<EventChange> m_waitingChanges;
    QPointer<CTremoluxView> m_firstMap;  // its first paint after the load makes the list
};

}  // namespace tremolux
