#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QFont>

#include "core/geo/CityPosition.h"
#include "core/events/NewEvents.h"
#include "core/list/QuakeText.h"

namespace tremolux {

class Clock;
class QuakeList;

// The program's quake list as a table. It reads the list on every call and
// keeps nothing of it but which rows the latest load added and where each
// quake lies from the city (sorting by distance compares them often); the
// frame calls ListChanged after each load.
class QuakeTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Magnitude, Time, Age, Region, Depth, Distance, ColumnCount };
    // The number a column sorts and filters by (NaN where the row has none).
    static constexpr int SortRole = Qt::UserRole;
    // True for a row the latest load added.
    static constexpr int NewRole = Qt::UserRole + 1;

    QuakeTableModel(const QuakeList& quakes, const Clock& clock, QObject* parent = nullptr);

    // The list was rebuilt: every row may have changed.
    void ListChanged();
    // The next load comes from another feed: it marks no quake as new.
    void FeedChanged() { m_new.Forget(); }
    // Distances and directions from now on count from city.
    void SetCity(const CityPosition& city);
    // The clock moved on: the ages are out of date.
    void AgesChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant display(int row, int column) const;
    double number(int row, int column) const;
    // The list is read only while it is the one the rows were made from: a
    // failure box opened in the middle of a load lets the table repaint
    // against a list half rebuilt.
    bool readable(const QModelIndex& index) const;
    void columnChanged(int column);
    void measurePlaces();

    const QuakeList& m_quakes;
    const Clock& m_clock;
    CityPosition m_city;
    NewEvents m_new;
    std::vector<QuakePlace> m_places;  // by row
    QFont m_newFont;
    int m_rows = 0;
    unsigned long long m_revision = 0;
};

}  // namespace tremolux
