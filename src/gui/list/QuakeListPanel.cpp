#include "gui/list/QuakeListPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QPushButton>
#include <QToolButton>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

#include "gui/list/QuakeSortFilter.h"
#include "gui/list/QuakeTableModel.h"

namespace tremolux {

QuakeListPanel::QuakeListPanel(QuakeTableModel& model, QWidget* parent, Sort sort)
    : QWidget(parent),
      m_model(model),
      m_filter(new QuakeSortFilter(this)),
      m_table(new QTableView(this)),
      m_minimum(new QDoubleSpinBox(this)),
      m_groupSequences(new QCheckBox(tr("Group &aftershocks"), this)),
      m_count(new QLabel(this)),
      m_show(new QComboBox(this)),
      m_away(new QFrame(this)),
      m_awayText(new QLabel(m_away)),
      m_awayFilter(new QPushButton(tr("Show &them"), m_away))
{
    // Sorted before it has rows, the filter sorts a long list once, when the
    // table first reads it; the table's own sort then asks for the same order.
    m_filter->sort(sort.first, sort.second);
    m_filter->setSourceModel(&m_model);
    // A list hidden while its window shows (a closed or tabbed-away dock)
    // waits to filter and sort a load's rows until it shows again.
    connect(&m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (!isVisible() && window()->isVisible())
            m_filter->SetPaused(true);
    });

    m_minimum->setRange(0.0, 10.0);
    m_minimum->setSingleStep(0.5);
    m_minimum->setDecimals(1);
    m_minimum->setAccelerated(true);
    m_minimum->setToolTip(tr("Show only quakes of at least this magnitude"));
    auto* minimumLabel = new QLabel(tr("Minimum &magnitude:"), this);
    minimumLabel->setBuddy(m_minimum);
    connect(m_minimum, &QDoubleSpinBox::valueChanged, m_filter,
            &QuakeSortFilter::SetMinimumMagnitude);
    m_groupSequences->setToolTip(
        tr("Leave out the aftershocks of each quake of M 5.5 or more and count them beside it: "
           "quakes within twice its rupture length, under its magnitude minus 2, for 10 to "
           "120 days after it"));
    connect(m_groupSequences, &QCheckBox::toggled, &m_model, &QuakeTableModel::SetGroupSequences);

    // Before the view's own handler, which would move the selection to a
    // neighbouring quake: a quake the filter hides is no longer selected.
    connect(m_filter, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                const int current = m_table->currentIndex().row();
                if (current >= first && current <= last)
                    m_table->selectionModel()->clear();
            });
    m_table->horizontalHeader()->setSortIndicator(sort.first, sort.second);
    m_table->setModel(m_filter);
    m_table->setSortingEnabled(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    // Fixed row heights: the view then never measures the rows it does not show.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Widths from the widest texts in the bold of new rows (a revised
    // magnitude shows both figures): fitting the
    // columns to their contents would measure every row. The region takes
    // what room is left.
    const QString widest[QuakeTableModel::ColumnCount] = {"10.0 → 10.0",
                                                          "2025-12-07 06:00:00",
                                                          "23 h 59 min ago",
                                                          "123 km SSW of Somewhere Island, XX",
                                                          "700.0 km",
                                                          "20015 km WNW",
                                                          "100000",
                                                          "CDI",
                                                          "MMI",
                                                          "orange",
                                                          "automatic"};
    QFont bold = m_table->font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    for (int column = 0; column < QuakeTableModel::ColumnCount; ++column)
        m_table->setColumnWidth(column, boldMetrics.horizontalAdvance(widest[column]) + 16);
    m_table->horizontalHeader()->setSectionResizeMode(QuakeTableModel::Region,
                                                      QHeaderView::Stretch);
    m_table->setWhatsThis(tr("The quakes of the feed, or of the history kept, newest first. "
                             "Bold rows came with the latest load, struck-through ones were "
                             "retracted. Click a column's title to sort by it; select a row "
                             "to mark the quake in the active map window; double-click it to "
                             "open its web page."));
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QuakeListPanel::OnSelectionChanged);
    // A double-click or Enter, as the platform activates items.
    connect(m_table, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        emit rowOpened(m_filter->mapToSource(index).row());
    });
    connect(m_filter, &QAbstractItemModel::modelReset, this, &QuakeListPanel::UpdateCount);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &QuakeListPanel::FitColumns);
    connect(m_filter, &QAbstractItemModel::rowsInserted, this, &QuakeListPanel::UpdateCount);
    connect(m_filter, &QAbstractItemModel::rowsRemoved, this, &QuakeListPanel::UpdateCount);

    m_show->addItem(tr("Current feed"), 0);
    for (const int days : {7, 30, 365})
        m_show->addItem(tr("History, last %1 days").arg(days), days);
    m_show->setToolTip(tr("The quakes of the feed now, or every quake kept of the last days "
                          "(the map windows keep showing the feed)"));
    auto* showLabel = new QLabel(tr("&Show:"), this);
    showLabel->setBuddy(m_show);
    connect(m_show, &QComboBox::currentIndexChanged, this,
            [this] { emit showChosen(ShownDays()); });

    m_away->setFrameShape(QFrame::StyledPanel);
    m_away->setAutoFillBackground(true);
    m_away->setBackgroundRole(QPalette::ToolTipBase);
    m_awayText->setForegroundRole(QPalette::ToolTipText);
    m_awayText->setWordWrap(true);
    m_awayText->setTextFormat(Qt::PlainText);
    auto* dismiss = new QToolButton(m_away);
    dismiss->setText(QStringLiteral("✕"));
    dismiss->setAutoRaise(true);
    dismiss->setToolTip(tr("Dismiss"));
    connect(m_awayFilter, &QPushButton::clicked, this, &QuakeListPanel::ToggleAwayFilter);
    connect(dismiss, &QToolButton::clicked, this, &QuakeListPanel::DismissAwaySummary);
    auto* awayLayout = new QHBoxLayout(m_away);
    awayLayout->setContentsMargins(6, 2, 2, 2);
    awayLayout->addWidget(m_awayText, 1);
    awayLayout->addWidget(m_awayFilter);
    awayLayout->addWidget(dismiss);
    m_away->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(showLabel);
    top->addWidget(m_show);
    top->addSpacing(12);
    top->addWidget(minimumLabel);
    top->addWidget(m_minimum);
    top->addSpacing(12);
    top->addWidget(m_groupSequences);
    top->addStretch();
    top->addWidget(m_count);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_away);
    layout->addLayout(top);
    layout->addWidget(m_table);
    UpdateCount();
    FitColumns();
}

int QuakeListPanel::ShownDays() const
{
    return m_show->currentData().toInt();
}

// Shown again when a later load brings what the feed cannot fill otherwise.
void QuakeListPanel::FitColumns()
{
    for (int column = QuakeTableModel::Felt; column < QuakeTableModel::ColumnCount; ++column)
        m_table->setColumnHidden(column, !m_model.ColumnKnown(column));
}

void QuakeListPanel::ShowAwaySummary(const QString& text, QSet<QString> keys)
{
    m_awayText->setText(text);
    m_awayKeys = std::move(keys);
    m_awayFilter->setVisible(!m_awayKeys.isEmpty());
    m_awayFilter->setText(tr("Show &them"));
    m_filter->SetOnlyEvents({});
    m_away->show();
}

void QuakeListPanel::ToggleAwayFilter()
{
    const bool only = !m_filter->OnlyEvents();
    m_filter->SetOnlyEvents(only ? m_awayKeys : QSet<QString>());
    m_awayFilter->setText(only ? tr("Show &all") : tr("Show &them"));
}

void QuakeListPanel::DismissAwaySummary()
{
    m_filter->SetOnlyEvents({});
    m_awayKeys.clear();
    m_away->hide();
}

void QuakeListPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_filter->Paused())
        return;
    m_filter->SetPaused(false);
    UpdateCount();
    ShowSelected(std::exchange(m_selectedWhilePaused, -1));
}

std::vector<HistoryEntry> QuakeListPanel::ShownEntries() const
{
    m_filter->SetPaused(false);
    std::vector<HistoryEntry> entries;
    for (int row = 0; row < m_filter->rowCount(); ++row)
        entries.push_back(m_model.EntryAt(m_filter->mapToSource(m_filter->index(row, 0)).row()));
    return entries;
}

void QuakeListPanel::UpdateCount()
{
    const int shown = m_filter->rowCount();
    const int all = m_model.rowCount();
    m_count->setText(shown == all ? tr("%n quake(s)", nullptr, all)
                                  : tr("%1 of %n quake(s)", nullptr, all).arg(shown));
}

void QuakeListPanel::ShowSelected(int quakeIndex)
{
    if (m_filter->Paused()) {
        m_selectedWhilePaused = quakeIndex;
        return;
    }
    if (quakeIndex == SelectedQuake())
        return;
    m_showing = true;
    const int modelRow = m_model.RowOf(quakeIndex);
    const QModelIndex row =
        modelRow >= 0 ? m_filter->mapFromSource(m_model.index(modelRow, 0)) : QModelIndex();
    if (row.isValid()) {
        m_table->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect
                                                            | QItemSelectionModel::Rows);
        m_table->scrollTo(row);
    } else {
        m_table->selectionModel()->clearSelection();
    }
    m_showing = false;
}

int QuakeListPanel::SelectedQuake() const
{
    if (m_filter->Paused())
        return m_selectedWhilePaused;
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : m_model.FeedIndex(m_filter->mapToSource(rows.first()).row());
}

void QuakeListPanel::OnSelectionChanged()
{
    if (!m_showing)
        emit quakeChosen(SelectedQuake());
}

}  // namespace tremolux
