#pragma once

#include <QWidget>

class QDoubleSpinBox;
class QItemSelection;
class QLabel;
class QTableView;

namespace tremolux {

class QuakeSortFilter;
class QuakeTableModel;

// The quake list dock's contents: a minimum-magnitude box over a sortable
// table. Rows are named by their index in the quake list.
class QuakeListPanel : public QWidget {
    Q_OBJECT
public:
    QuakeListPanel(QuakeTableModel& model, QWidget* parent = nullptr);

    QTableView* Table() const { return m_table; }
    QDoubleSpinBox* MinimumMagnitudeBox() const { return m_minimum; }
    QuakeSortFilter& Filter() const { return *m_filter; }

    // Selects the row of the quake (-1: none) without announcing it.
    void ShowSelected(int quakeIndex);
    // The quake of the selected row, -1 when none is.
    int SelectedQuake() const;

signals:
    // The user selected a row (-1: cleared the selection).
    void quakeChosen(int quakeIndex);
    // The user double-clicked a row or pressed Enter on it.
    void quakeOpened(int quakeIndex);

private:
    void OnSelectionChanged();
    void UpdateCount();

    QuakeTableModel& m_model;
    QuakeSortFilter* m_filter;
    QTableView* m_table;
    QDoubleSpinBox* m_minimum;
    QLabel* m_count;
    bool m_showing = false;
};

}  // namespace tremolux
