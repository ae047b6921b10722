#include "gui/list/QuakeSortFilter.h"

#include <cmath>

#include <QLocale>

#include "gui/list/QuakeTableModel.h"

namespace tremolux {

QuakeSortFilter::QuakeSortFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(QuakeTableModel::SortRole);
    // Regions as a person orders names: "9 km N of" before "12 km N of",
    // capitals among the small letters. The C locale (LANG unset) collates
    // without numbers; English gives the root order with them.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    m_collator = QCollator(locale);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(true);
    setDynamicSortFilter(true);
}

void QuakeSortFilter::SetMinimumMagnitude(double magnitude)
{
    if (magnitude == m_minimumMagnitude)
        return;
    m_minimumMagnitude = magnitude;
    invalidateRowsFilter();
}

void QuakeSortFilter::SetOnlyEvents(QSet<QString> keys)
{
    if (keys == m_onlyKeys)
        return;
    m_onlyKeys = std::move(keys);
    invalidateRowsFilter();
}

// A row without a magnitude shows only while no minimum is set.
bool QuakeSortFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (!m_onlyKeys.isEmpty()) {
        const QModelIndex cell = sourceModel()->index(sourceRow, 0, sourceParent);
        if (!m_onlyKeys.contains(cell.data(QuakeTableModel::KeyRole).toString()))
            return false;
    }
    const QModelIndex cell =
        sourceModel()->index(sourceRow, QuakeTableModel::Magnitude, sourceParent);
    if (cell.data(QuakeTableModel::AftershockRole).toBool())
        return false;
    if (m_minimumMagnitude <= 0.0)
        return true;
    const double magnitude = cell.data(QuakeTableModel::SortRole).toDouble();
    return magnitude >= m_minimumMagnitude;
}

// Rows without a number sort after the numbers in ascending order (before them
// in descending): comparing NaN as a number would leave the sort without a
// consistent order.
bool QuakeSortFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.typeId() != QMetaType::Double || b.typeId() != QMetaType::Double)
        return m_collator.compare(a.toString(), b.toString()) < 0;
    const double x = a.toDouble();
    const double y = b.toDouble();
    if (std::isnan(x) || std::isnan(y))
        return !std::isnan(x) && std::isnan(y);
    return x < y;
}

}  // namespace tremolux
