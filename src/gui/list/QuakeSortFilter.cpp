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

void QuakeSortFilter::setSourceModel(QAbstractItemModel* model)
{
    for (const QMetaObject::Connection& connection : m_forgetKeys)
        disconnect(connection);
    m_forgetKeys.clear();
    if (model) {
        const auto forget = [this] { m_keys = {}; };
        m_forgetKeys = {
            connect(model, &QAbstractItemModel::modelAboutToBeReset, this, forget),
            connect(model, &QAbstractItemModel::dataChanged, this, forget),
            connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, forget),
            connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, forget),
            connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, forget)};
    }
    m_keys = {};
    QSortFilterProxyModel::setSourceModel(model);
}

const QuakeTableModel& QuakeSortFilter::Model() const
{
    return static_cast<const QuakeTableModel&>(*sourceModel());
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

void QuakeSortFilter::SetPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (!paused)
        invalidate();
}

// A row without a magnitude shows only while no minimum is set.
bool QuakeSortFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (m_paused)
        return false;
    const QuakeTableModel& model = Model();
    if (!model.Readable())
        return m_onlyKeys.isEmpty() && m_minimumMagnitude <= 0.0;
    if (!m_onlyKeys.isEmpty() && !m_onlyKeys.contains(QString::fromStdString(model.Key(sourceRow))))
        return false;
    if (model.IsAftershock(sourceRow))
        return false;
    if (m_minimumMagnitude <= 0.0)
        return true;
    return model.SortNumber(sourceRow, QuakeTableModel::Magnitude) >= m_minimumMagnitude;
}

const QuakeSortFilter::SortKeys& QuakeSortFilter::Keys(int column) const
{
    if (m_keys.column == column)
        return m_keys;
    const QuakeTableModel& model = Model();
    const int rows = model.rowCount();
    const bool readable = model.Readable();
    m_keys = {column, {}, {}};
    if (QuakeTableModel::SortsByText(column)) {
        m_keys.texts.reserve(static_cast<std::size_t>(rows));
        for (int row = 0; row < rows; ++row)
            m_keys.texts.push_back(m_collator.sortKey(
                readable ? QString::fromStdString(model.SortText(row, column)) : QString()));
    } else {
        m_keys.numbers.reserve(static_cast<std::size_t>(rows));
        for (int row = 0; row < rows; ++row)
            m_keys.numbers.push_back(readable ? model.SortNumber(row, column) : std::nan(""));
    }
    return m_keys;
}

// Rows without a number sort after the numbers in ascending order (before them
// in descending): comparing NaN as a number would leave the sort without a
// consistent order.
bool QuakeSortFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const SortKeys& keys = Keys(left.column());
    const auto a = static_cast<std::size_t>(left.row());
    const auto b = static_cast<std::size_t>(right.row());
    if (!keys.texts.empty())
        return keys.texts[a].compare(keys.texts[b]) < 0;
    const double x = keys.numbers[a];
    const double y = keys.numbers[b];
    if (std::isnan(x) || std::isnan(y))
        return !std::isnan(x) && std::isnan(y);
    return x < y;
}

}  // namespace tremolux
