#include "gui/list/QuakeTableModel.h"

#include <cmath>

#include <QTextDocument>

#include "core/common/Clock.h"
#include "core/events/EventIdentity.h"
#include "core/feed/QuakeList.h"
#include "core/list/ReadingsText.h"
#include "gui/common/PlainText.h"

namespace tremolux {

QuakeTableModel::QuakeTableModel(const QuakeList& quakes, const Clock& clock, QObject* parent)
    : QAbstractTableModel(parent), m_quakes(quakes), m_clock(clock)
{
    m_newFont.setBold(true);
    m_retractedFont.setStrikeOut(true);
    m_rows = m_quakes.count();
    m_revision = m_quakes.Revision();
    measurePlaces();
}

void QuakeTableModel::ListChanged(std::vector<EventChange> changes)
{
    beginResetModel();
    m_new.Update(m_quakes);
    m_changes = std::move(changes);
    m_changeByKey.clear();
    for (const EventChange& change : m_changes)
        m_changeByKey.emplace(EventKey(change.event), &change);
    m_gone.clear();
    for (const EventChange& change : m_changes)
        if (change.kind == ChangeKind::Retracted && FindEvent(m_quakes, change.event) < 0)
            m_gone.push_back(&change);
    m_rows = m_quakes.count() + static_cast<int>(m_gone.size());
    m_revision = m_quakes.Revision();
    measurePlaces();
    endResetModel();
}

void QuakeTableModel::SetCity(const CityPosition& city)
{
    if (city.latDecimal == m_city.latDecimal && city.lonDecimal == m_city.lonDecimal)
        return;
    m_city = city;
    measurePlaces();
    columnChanged(Distance);
}

void QuakeTableModel::measurePlaces()
{
    m_places.resize(static_cast<std::size_t>(m_rows));
    if (m_quakes.Revision() != m_revision)
        return;
    for (int row = 0; row < m_rows; ++row)
        m_places[static_cast<std::size_t>(row)] = PlaceFrom(m_city, quakeAt(row));
}

void QuakeTableModel::AgesChanged()
{
    columnChanged(Age);
}

// Not while the list is being rebuilt: the sorted view would re-sort rows
// that read as empty.
void QuakeTableModel::columnChanged(int column)
{
    if (m_rows > 0 && m_quakes.Revision() == m_revision)
        emit dataChanged(index(0, column), index(m_rows - 1, column));
}

int QuakeTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int QuakeTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool QuakeTableModel::readable(const QModelIndex& index) const
{
    return index.isValid() && m_quakes.Revision() == m_revision && index.row() < m_rows;
}

const QuakeRecord& QuakeTableModel::quakeAt(int row) const
{
    const int listed = m_quakes.count();
    return row < listed ? m_quakes.at(row) : m_gone[static_cast<std::size_t>(row - listed)]->event;
}

const EventChange* QuakeTableModel::changeAt(int row) const
{
    if (m_changeByKey.empty())
        return nullptr;
    const auto found = m_changeByKey.find(EventKey(quakeAt(row)));
    return found == m_changeByKey.end() ? nullptr : found->second;
}

QVariant QuakeTableModel::font(int row) const
{
    const EventChange* change = changeAt(row);
    if (change && change->kind == ChangeKind::Retracted)
        return m_retractedFont;
    return m_new.IsNew(row) ? QVariant(m_newFont) : QVariant();
}

// Feed texts go into a tooltip as plain text: the view shows a tooltip
// string as rich text when it looks like markup.
QVariant QuakeTableModel::toolTip(int row) const
{
    const EventChange* change = changeAt(row);
    QString text;
    if (change && change->kind == ChangeKind::Revised)
        text = tr("Revised in the latest load: %1").arg(QString::fromStdString(change->what));
    else if (change && change->kind == ChangeKind::Retracted)
        text = tr("Retracted in the latest load");
    else if (m_new.IsNew(row))
        text = tr("New in the latest load");
    const std::string readings = ReadingsText(quakeAt(row).readings);
    if (!readings.empty())
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(readings);
    return text.isEmpty() ? QVariant() : QVariant(Qt::convertFromPlainText(text));
}

QVariant QuakeTableModel::data(const QModelIndex& index, int role) const
{
    if (!readable(index))
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return display(row, column);
    case SortRole:
        if (column == Region)
            return QString::fromStdString(quakeAt(row).region);
        return number(row, column);
    case NewRole:
        return m_new.IsNew(row);
    case Qt::FontRole:
        return font(row);
    case Qt::ToolTipRole:
        return toolTip(row);
    case Qt::TextAlignmentRole:
        return column == Region ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant QuakeTableModel::display(int row, int column) const
{
    const QuakeRecord& quake = quakeAt(row);
    switch (column) {
    case Magnitude: {
        const QString now = QString::fromStdString(MagnitudeText(quake.magnitude));
        const EventChange* change = changeAt(row);
        if (!change || change->kind != ChangeKind::Revised || !change->before)
            return now;
        const QString before = QString::fromStdString(MagnitudeText(change->before->magnitude));
        return before == now ? now : before + QStringLiteral(" → ") + now;
    }
    case Time:
        return QString::fromStdString(UtcText(quake.time));
    case Age:
        return QString::fromStdString(AgeText(quake.time, m_clock.Now()));
    case Region:
        return ShownLines(QString::fromStdString(quake.region));
    case Depth:
        return QString::fromStdString(DepthText(quake.depth));
    case Distance:
        return QString::fromStdString(DistanceText(m_places[static_cast<std::size_t>(row)]));
    default:
        return {};
    }
}

double QuakeTableModel::number(int row, int column) const
{
    const QuakeRecord& quake = quakeAt(row);
    switch (column) {
    case Magnitude:
        return quake.magnitude;
    case Time:
        return quake.time.valid ? quake.time.value : std::nan("");
    case Age:
        return AgeSeconds(quake.time, m_clock.Now());
    case Depth:
        return quake.depth;
    case Distance:
        return m_places[static_cast<std::size_t>(row)].distance;
    default:
        return std::nan("");
    }
}

QVariant QuakeTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Magnitude:
        return tr("Mag");
    case Time:
        return tr("Time (UTC)");
    case Age:
        return tr("Age");
    case Region:
        return tr("Region");
    case Depth:
        return tr("Depth");
    case Distance:
        return tr("Distance");
    default:
        return {};
    }
}

}  // namespace tremolux
