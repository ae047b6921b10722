#pragma once

#include <QCollator>
#include <QSet>
#include <QString>
#include <QSortFilterProxyModel>

namespace tremolux {

// Sorts the quake table by the numbers behind its texts and keeps the rows
// at or above a minimum magnitude, and when asked only the events named.
class QuakeSortFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit QuakeSortFilter(QObject* parent = nullptr);

    double MinimumMagnitude() const { return m_minimumMagnitude; }
    void SetMinimumMagnitude(double magnitude);
    // Only the rows of these event keys; an empty set keeps every row.
    void SetOnlyEvents(QSet<QString> keys);
    bool OnlyEvents() const { return !m_onlyKeys.isEmpty(); }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QCollator m_collator;
    double m_minimumMagnitude = 0.0;
    QSet<QString> m_onlyKeys;
};

}  // namespace tremolux
