#pragma once

#include <bitset>
#include <optional>
#include <unordered_map>
#include <vector>

#include <QAbstractTableModel>
#include <QFont>

#include "core/events/EventChange.h"
#include "core/events/EventExport.h"
#include "core/events/NewEvents.h"
#include "core/geo/CityPosition.h"
#include "core/list/QuakeText.h"

namespace tremolux {

class Clock;
class QuakeList;

// The program's quake list as a table. It reads the list on every call and
// keeps nothing of it but which rows the latest load added, revised or
// retracted and where each quake lies from the city (sorting by distance
// compares them often); the frame calls ListChanged after each load. Events
// the load retracted that are no longer in the list follow its rows, struck
// through, until the next load. Or, instead of the list, the stored history's
// events, the latest load's marks on them.
class QuakeTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The impact columns come last, so that a sort column kept by an earlier
    // version names the same column.
    enum Column {
        Magnitude,
        Time,
        Age,
        Region,
        Depth,
        Distance,
        Felt,
        Cdi,
        Mmi,
        Alert,
        Status,
        ColumnCount
    };
    // The number a column sorts and filters by (NaN where the row has none).
    static constexpr int SortRole = Qt::UserRole;
    // True for a row the latest load added.
    static constexpr int NewRole = Qt::UserRole + 1;
    // The row's event key, a string.
    static constexpr int KeyRole = Qt::UserRole + 2;
    // True for an aftershock while sequences are grouped under their mainshock.
    static constexpr int AftershockRole = Qt::UserRole + 3;

    QuakeTableModel(const QuakeList& quakes, const Clock& clock, QObject* parent = nullptr);

    // The list was rebuilt: every row may have changed; changes are what the
    // load brought by the event history. Called again for the same list when
    // its changes come later.
    void ListChanged(std::vector<EventChange> changes = {});
    // The next load comes from another feed: it marks no quake as new.
    void FeedChanged() { m_new.Forget(); }
    // The rows are the history's events from now on, until ShowFeed.
    void ShowHistory(std::vector<HistoryEntry> entries);
    void ShowFeed();
    bool ShowingHistory() const { return m_history.has_value(); }

    // The quake list's index of a row's event, -1 when the list lacks it.
    int FeedIndex(int row) const;
    // The row of the quake list's quake, -1 when none shows it.
    int RowOf(int feedIndex) const;
    // A row as the history keeps it, for the export.
    HistoryEntry EntryAt(int row) const;
    // Whether any row has a value in the column: a column the feed cannot
    // fill is not worth its room.
    bool ColumnKnown(int column) const;

    // Distances and directions from now on count from city.
    void SetCity(const CityPosition& city);
    // The clock moved on: the ages are out of date.
    void AgesChanged();
    // The times from now on on this clock.
    void SetTimeShown(TimeShown shown);
    // Aftershocks left out, their count beside their mainshock's region.
    void SetGroupSequences(bool group);

    // The values behind the roles, for the sorted view to read without a
    // QVariant per row. No row reads while the list is being rebuilt.
    bool Readable() const;
    static bool SortsByText(int column) { return column == Region || column == Status; }
    double SortNumber(int row, int column) const;
    const std::string& SortText(int row, int column) const;
    std::string Key(int row) const;
    bool IsAftershock(int row) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant display(int row, int column) const;
    // The quake of a row: the list's, then the retracted ones gone from it.
    const QuakeRecord& quakeAt(int row) const;
    const EventChange* changeAt(int row) const;
    QVariant font(int row) const;
    bool isNew(int row) const;
    QVariant background(int row, int column) const;
    void findGone();
    void rebuild();
    QVariant toolTip(int row) const;
    // The list is read only while it is the one the rows were made from: a
    // failure box opened in the middle of a load lets the table repaint
    // against a list half rebuilt.
    bool readable(const QModelIndex& index) const;
    void columnChanged(int column);
    const QuakePlace& placeAt(int row) const;
    void groupSequences();

    const QuakeList& m_quakes;
    const Clock& m_clock;
    CityPosition m_city;
    TimeShown m_timeShown = TimeShown::Utc;
    bool m_groupSequences = false;
    std::vector<int>
        m_aftershocks;  // by row while grouped: how many it heads, -1 for an aftershock
    NewEvents m_new;
    unsigned long long m_markedRevision = ~0ULL;  // of the list m_new took
    mutable std::vector<QuakePlace> m_places;  // by row; empty until one is asked for
    mutable std::optional<std::bitset<ColumnCount>> m_knownColumns;
    std::vector<EventChange> m_changes;
    std::unordered_map<std::string, const EventChange*> m_changeByKey;
    std::vector<const EventChange*> m_gone;  // retracted and no longer in the list
    std::optional<std::vector<HistoryEntry>> m_history;
    QFont m_newFont;
    QFont m_retractedFont;
    int m_rows = 0;
    unsigned long long m_revision = 0;
};

}  // namespace tremolux
