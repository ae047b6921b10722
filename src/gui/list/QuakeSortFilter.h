#pragma once

#include <vector>

#include <QCollator>
#include <QSet>
#include <QString>
#include <QSortFilterProxyModel>

namespace tremolux {

class QuakeTableModel;

// Sorts the quake table by the numbers behind its texts and keeps the rows
// at or above a minimum magnitude, and when asked only the events named.
// Its source is a QuakeTableModel.
class QuakeSortFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit QuakeSortFilter(QObject* parent = nullptr);

    // The sort keys are forgotten before the proxy's own handlers sort the
    // source's changed rows again.
    void setSourceModel(QAbstractItemModel* model) override;

    double MinimumMagnitude() const { return m_minimumMagnitude; }
    void SetMinimumMagnitude(double magnitude);
    // Only the rows of these event keys; an empty set keeps every row.
    void SetOnlyEvents(QSet<QString> keys);
    bool OnlyEvents() const { return !m_onlyKeys.isEmpty(); }
    // While paused no row passes: a list nobody sees neither filters nor
    // sorts its rows at each load. Resuming filters and sorts them once.
    void SetPaused(bool paused);
    bool Paused() const { return m_paused; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    // The sort column's values, read once for all the comparisons of a sort.
    struct SortKeys {
        int column = -1;
        std::vector<double> numbers;
        std::vector<QCollatorSortKey> texts;
    };
    const SortKeys& Keys(int column) const;
    const QuakeTableModel& Model() const;

    QCollator m_collator;
    double m_minimumMagnitude = 0.0;
    QSet<QString> m_onlyKeys;
    bool m_paused = false;
    mutable SortKeys m_keys;  // forgotten whenever the source's rows change
    std::vector<QMetaObject::Connection> m_forgetKeys;
};

}  // namespace tremolux
