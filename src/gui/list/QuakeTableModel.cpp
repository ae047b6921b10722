#include "gui/list/QuakeTableModel.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <unordered_set>

#include <QColor>
#include <QTextDocument>

#include "core/alerts/Sequences.h"
#include "core/common/Clock.h"
#include "core/events/EventIdentity.h"
#include "core/feed/QuakeList.h"
#include "core/list/QuakeDetails.h"
#include "core/list/ReadingsText.h"
#include "gui/common/PlainText.h"

namespace tremolux {

namespace {

// PAGER levels sort by how grave they are; none sorts after them all.
double AlertRank(const std::string& alert)
{
    const char* const levels[] = {"green", "yellow", "orange", "red"};
    for (int level = 0; level < 4; ++level)
        if (alert == levels[level])
            return level;
    return std::nan("");
}

}  // namespace

QuakeTableModel::QuakeTableModel(const QuakeList& quakes, const Clock& clock, QObject* parent)
    : QAbstractTableModel(parent), m_quakes(quakes), m_clock(clock)
{
    m_newFont.setBold(true);
    m_retractedFont.setStrikeOut(true);
    m_rows = m_quakes.count();
    m_revision = m_quakes.Revision();
}

void QuakeTableModel::ListChanged(std::vector<EventChange> changes)
{
    beginResetModel();
    // The history's changes come after the list they belong to, whose new
    // events are marked already.
    if (m_quakes.Revision() != m_markedRevision) {
        m_new.Update(m_quakes);
        m_markedRevision = m_quakes.Revision();
    }
    m_changes = std::move(changes);
    m_changeByKey.clear();
    for (const EventChange& change : m_changes)
        m_changeByKey.emplace(EventKey(change.event), &change);
    m_gone.clear();
    if (std::any_of(m_changes.begin(), m_changes.end(), [](const EventChange& change) {
            return change.kind == ChangeKind::Retracted;
        }))
        findGone();
    rebuild();
    endResetModel();
}

// The retracted events the list holds no more, by the rule of SameEvent but
// reading each row once: a list of many thousand rows may lose as many.
void QuakeTableModel::findGone()
{
    std::unordered_set<std::string> keys;
    std::unordered_set<std::string> ids;
    for (int i = 0; i < m_quakes.count(); ++i) {
        std::vector<std::string> rowIds = EventIds(m_quakes.at(i));
        keys.insert(rowIds.front());
        ids.insert(std::make_move_iterator(rowIds.begin()), std::make_move_iterator(rowIds.end()));
    }
    for (const EventChange& change : m_changes) {
        if (change.kind != ChangeKind::Retracted)
            continue;
        const std::vector<std::string> changeIds = EventIds(change.event);
        const bool listed =
            ids.contains(changeIds.front())
            || std::any_of(changeIds.begin(), changeIds.end(),
                           [&keys](const std::string& id) { return keys.contains(id); });
        if (!listed)
            m_gone.push_back(&change);
    }
}

void QuakeTableModel::ShowHistory(std::vector<HistoryEntry> entries)
{
    beginResetModel();
    m_history = std::move(entries);
    rebuild();
    endResetModel();
}

void QuakeTableModel::ShowFeed()
{
    if (!m_history)
        return;
    beginResetModel();
    m_history.reset();
    rebuild();
    endResetModel();
}

void QuakeTableModel::rebuild()
{
    m_rows = m_history ? static_cast<int>(m_history->size())
                       : m_quakes.count() + static_cast<int>(m_gone.size());
    m_revision = m_quakes.Revision();
    m_places.clear();
    m_knownColumns.reset();
    groupSequences();
}

void QuakeTableModel::groupSequences()
{
    m_aftershocks.clear();
    if (!m_groupSequences)
        return;
    std::vector<QuakeRecord> rows;
    rows.reserve(static_cast<std::size_t>(m_rows));
    for (int row = 0; row < m_rows; ++row)
        rows.push_back(quakeAt(row));
    m_aftershocks.assign(rows.size(), 0);
    const std::vector<int> parents = AftershockParents(rows);
    for (std::size_t row = 0; row < parents.size(); ++row) {
        if (parents[row] < 0)
            continue;
        m_aftershocks[row] = -1;
        ++m_aftershocks[static_cast<std::size_t>(parents[row])];
    }
}

void QuakeTableModel::SetGroupSequences(bool group)
{
    if (group == m_groupSequences)
        return;
    beginResetModel();
    m_groupSequences = group;
    rebuild();
    endResetModel();
}

int QuakeTableModel::FeedIndex(int row) const
{
    if (row < 0 || row >= m_rows)
        return -1;
    if (m_history)
        return FindEvent(m_quakes, quakeAt(row));
    return row < m_quakes.count() ? row : -1;
}

int QuakeTableModel::RowOf(int feedIndex) const
{
    if (feedIndex < 0 || feedIndex >= m_quakes.count())
        return -1;
    if (!m_history)
        return feedIndex;
    const QuakeRecord& quake = m_quakes.at(feedIndex);
    for (int row = 0; row < m_rows; ++row)
        if (SameEvent(quakeAt(row), quake))
            return row;
    return -1;
}

HistoryEntry QuakeTableModel::EntryAt(int row) const
{
    if (m_history)
        return (*m_history)[static_cast<std::size_t>(row)];
    const EventChange* change = changeAt(row);
    HistoryEntry entry;
    entry.event = quakeAt(row);
    entry.retracted = change && change->kind == ChangeKind::Retracted;
    return entry;
}

// The columns are found in one walk over the rows, which stops once each
// has a value: a long list without them is read once, not once a column.
bool QuakeTableModel::ColumnKnown(int column) const
{
    if (column < Felt || column >= ColumnCount || !Readable())
        return true;
    if (!m_knownColumns) {
        std::bitset<ColumnCount> known;
        for (int row = 0; row < m_rows && (known.count() < ColumnCount - Felt); ++row) {
            const QuakeRecord& q = quakeAt(row);
            known[Felt] = known[Felt] || q.feltReports.has_value();
            known[Cdi] = known[Cdi] || q.cdi.has_value();
            known[Mmi] = known[Mmi] || q.mmi.has_value();
            known[Alert] = known[Alert] || !q.alert.empty();
            known[Status] = known[Status] || !q.status.empty();
        }
        m_knownColumns = known;
    }
    return (*m_knownColumns)[static_cast<std::size_t>(column)];
}

void QuakeTableModel::SetTimeShown(TimeShown shown)
{
    if (shown == m_timeShown)
        return;
    m_timeShown = shown;
    columnChanged(Time);
    emit headerDataChanged(Qt::Horizontal, Time, Time);
}

void QuakeTableModel::SetCity(const CityPosition& city)
{
    if (city.latDecimal == m_city.latDecimal && city.lonDecimal == m_city.lonDecimal)
        return;
    m_city = city;
    m_places.clear();
    columnChanged(Distance);
}

// Measured for every row once one is asked for (sorting by distance asks for
// all): a list whose distances nobody reads measures none. Only asked while
// the rows are readable.
const QuakePlace& QuakeTableModel::placeAt(int row) const
{
    if (m_places.size() != static_cast<std::size_t>(m_rows)) {
        m_places.resize(static_cast<std::size_t>(m_rows));
        for (int r = 0; r < m_rows; ++r)
            m_places[static_cast<std::size_t>(r)] = PlaceFrom(m_city, quakeAt(r));
    }
    return m_places[static_cast<std::size_t>(row)];
}

void QuakeTableModel::AgesChanged()
{
    columnChanged(Age);
}

// Not while the list is being rebuilt: the sorted view would re-sort rows
// that read as empty.
void QuakeTableModel::columnChanged(int column)
{
    if (m_rows > 0 && (m_history || m_quakes.Revision() == m_revision))
        emit dataChanged(index(0, column), index(m_rows - 1, column));
}

// Without the base's checks through the virtual counts: sorting a long list
// asks for two indexes per comparison.
QModelIndex QuakeTableModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || row >= m_rows || column < 0 || column >= ColumnCount)
        return {};
    return createIndex(row, column);
}

int QuakeTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int QuakeTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool QuakeTableModel::Readable() const
{
    return m_history || m_quakes.Revision() == m_revision;
}

bool QuakeTableModel::readable(const QModelIndex& index) const
{
    return index.isValid() && index.row() < m_rows && Readable();
}

const QuakeRecord& QuakeTableModel::quakeAt(int row) const
{
    if (m_history)
        return (*m_history)[static_cast<std::size_t>(row)].event;
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
    if ((change && change->kind == ChangeKind::Retracted)
        || (m_history && (*m_history)[static_cast<std::size_t>(row)].retracted))
        return m_retractedFont;
    return isNew(row) ? QVariant(m_newFont) : QVariant();
}

// The list's own marks; on the history's rows, the latest load's changes.
bool QuakeTableModel::isNew(int row) const
{
    if (!m_history)
        return m_new.IsNew(row);
    const EventChange* change = changeAt(row);
    return change && change->kind == ChangeKind::New;
}

// The PAGER colours, light enough to read the word on.
QVariant QuakeTableModel::background(int row, int column) const
{
    if (column != Alert)
        return {};
    const std::string& alert = quakeAt(row).alert;
    if (alert == "green")
        return QColor(0xc8, 0xf0, 0xc8);
    if (alert == "yellow")
        return QColor(0xff, 0xf3, 0x9a);
    if (alert == "orange")
        return QColor(0xff, 0xcc, 0x80);
    if (alert == "red")
        return QColor(0xff, 0xa8, 0xa8);
    return {};
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
    else if (isNew(row))
        text = tr("New in the latest load");
    if (m_history) {
        const HistoryEntry& entry = (*m_history)[static_cast<std::size_t>(row)];
        if (entry.retracted && !(change && change->kind == ChangeKind::Retracted))
            text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + tr("Retracted");
        if (entry.revisions > 0)
            text += (text.isEmpty() ? QString() : QStringLiteral("\n"))
                    + (entry.revisions == 1 ? tr("Revised once")
                                            : tr("Revised %1 times").arg(entry.revisions));
    }
    if (const std::string impact = ImpactText(quakeAt(row)); !impact.empty())
        text +=
            (text.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(impact);
    const std::string readings = ReadingsText(quakeAt(row).readings);
    if (!readings.empty())
        text +=
            (text.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(readings);
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
        if (SortsByText(column))
            return QString::fromStdString(SortText(row, column));
        return SortNumber(row, column);
    case NewRole:
        return isNew(row);
    case KeyRole:
        return QString::fromStdString(Key(row));
    case AftershockRole:
        return IsAftershock(row);
    case Qt::BackgroundRole:
        return background(row, column);
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
        return QString::fromStdString(TimeText(quake.time, m_timeShown));
    case Age:
        return QString::fromStdString(AgeText(quake.time, m_clock.Now()));
    case Region: {
        const QString region = ShownLines(QString::fromStdString(quake.region));
        const int aftershocks =
            m_aftershocks.empty() ? 0 : m_aftershocks[static_cast<std::size_t>(row)];
        if (aftershocks <= 0)
            return region;
        return region
               + (aftershocks == 1 ? tr(" (+1 aftershock)")
                                   : tr(" (+%1 aftershocks)").arg(aftershocks));
    }
    case Depth:
        return QString::fromStdString(DepthText(quake.depth));
    case Distance:
        return QString::fromStdString(DistanceText(placeAt(row)));
    case Felt:
        return quake.feltReports ? QString::number(*quake.feltReports) : QString();
    case Cdi:
        return QString::fromStdString(IntensityText(quake.cdi));
    case Mmi:
        return QString::fromStdString(IntensityText(quake.mmi));
    case Alert:
        return ShownLines(QString::fromStdString(quake.alert));
    case Status:
        return ShownLines(QString::fromStdString(quake.status));
    default:
        return {};
    }
}

const std::string& QuakeTableModel::SortText(int row, int column) const
{
    const QuakeRecord& quake = quakeAt(row);
    return column == Region ? quake.region : quake.status;
}

std::string QuakeTableModel::Key(int row) const
{
    return EventKey(quakeAt(row));
}

bool QuakeTableModel::IsAftershock(int row) const
{
    return !m_aftershocks.empty() && m_aftershocks[static_cast<std::size_t>(row)] < 0;
}

double QuakeTableModel::SortNumber(int row, int column) const
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
        return placeAt(row).distance;
    case Felt:
        return quake.feltReports ? *quake.feltReports : std::nan("");
    case Cdi:
        return quake.cdi.value_or(std::nan(""));
    case Mmi:
        return quake.mmi.value_or(std::nan(""));
    case Alert:
        return AlertRank(quake.alert);
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
        return m_timeShown == TimeShown::Utc ? tr("Time (UTC)") : tr("Time (local)");
    case Age:
        return tr("Age");
    case Region:
        return tr("Region");
    case Depth:
        return tr("Depth");
    case Distance:
        return tr("Distance");
    case Felt:
        return tr("Felt");
    case Cdi:
        return tr("CDI");
    case Mmi:
        return tr("MMI");
    case Alert:
        return tr("PAGER");
    case Status:
        return tr("Status");
    default:
        return {};
    }
}

}  // namespace tremolux
