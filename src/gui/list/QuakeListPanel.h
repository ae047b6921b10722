#pragma once

#include <QSet>
#include <QWidget>

#include <utility>
#include <vector>

#include "core/events/EventExport.h"
#include "gui/list/QuakeTableModel.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFrame;
class QPushButton;
class QItemSelection;
class QLabel;
class QTableView;

namespace tremolux {

class QuakeSortFilter;

// The quake list dock's contents: what to show (the feed or the stored
// history of the last days) and a minimum-magnitude box over a sortable
// table, with room above it for the summary of what came while the watcher
// was away. Quakes are named by their index in the quake list.
class QuakeListPanel : public QWidget {
    Q_OBJECT
public:
    // The rows show in the order of sort from the start: sorted once, not
    // first by a default and then again.
    using Sort = std::pair<int, Qt::SortOrder>;
    QuakeListPanel(QuakeTableModel& model, QWidget* parent = nullptr,
                   Sort sort = {QuakeTableModel::Time, Qt::DescendingOrder});

    QTableView* Table() const { return m_table; }
    QDoubleSpinBox* MinimumMagnitudeBox() const { return m_minimum; }
    QCheckBox* GroupSequencesBox() const { return m_groupSequences; }
    QComboBox* ShowBox() const { return m_show; }
    QFrame* AwaySummary() const { return m_away; }
    QPushButton* AwayFilterButton() const { return m_awayFilter; }
    QuakeSortFilter& Filter() const { return *m_filter; }

    // Selects the row of the quake (-1: none) without announcing it.
    void ShowSelected(int quakeIndex);
    // The quake of the selected row, -1 when none is.
    int SelectedQuake() const;
    // Says what came while the watcher was away; its button shows only the
    // events of keys, until pressed again or the summary is dismissed.
    void ShowAwaySummary(const QString& text, QSet<QString> keys);
    // The rows shown, in their order on screen.
    std::vector<HistoryEntry> ShownEntries() const;
    // The history's days the Show box asks for; 0 for the current feed.
    int ShownDays() const;

signals:
    // The user selected a row (-1: cleared the selection).
    void quakeChosen(int quakeIndex);
    // The user double-clicked a row or pressed Enter on it: its model row.
    void rowOpened(int row);
    // The user chose what to show: the history of these last days, 0 for the feed.
    void showChosen(int days);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnSelectionChanged();
    void UpdateCount();
    void FitColumns();
    void ToggleAwayFilter();
    void DismissAwaySummary();

    QuakeTableModel& m_model;
    QuakeSortFilter* m_filter;
    QTableView* m_table;
    QDoubleSpinBox* m_minimum;
    QCheckBox* m_groupSequences;
    QLabel* m_count;
    QComboBox* m_show;
    QFrame* m_away;
    QLabel* m_awayText;
    QPushButton* m_awayFilter;
    QSet<QString> m_awayKeys;
    bool m_showing = false;
    int m_selectedWhilePaused = -1;  // the quake to select once the rows show again
};

}  // namespace tremolux
