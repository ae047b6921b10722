#include "gui/app/CMainFrame.h"

#include <algorithm>
#include <iterator>

#include <QActionGroup>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QStatusBar>

#include "core/common/Clock.h"
#include "gui/app/CTremoluxApp.h"
#include "gui/app/QuakeDocks.h"
#include "gui/common/Log.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/Settings.h"
#include "gui/feed/FeedView.h"
#include "gui/list/ListExport.h"
#include "gui/list/QuakeListPanel.h"

// The event history's commands: the list's export and how long quakes are kept.
namespace tremolux {

void CMainFrame::CreateHistoryActions()
{
    int stored = AppSettings()
                     .value(settings::kHistoryLimitDays, settings::kDefaultHistoryLimitDays)
                     .toInt();
    if (std::find(std::begin(settings::kHistoryLimitChoices),
                  std::end(settings::kHistoryLimitChoices), stored)
        == std::end(settings::kHistoryLimitChoices))
        stored = settings::kDefaultHistoryLimitDays;
    m_history.SetLimitDays(stored);

    m_historyLimitMenu = new QMenu(tr("&Keep History"), this);
    auto* group = new QActionGroup(m_historyLimitMenu);
    for (const int days : settings::kHistoryLimitChoices) {
        QAction* choice =
            m_historyLimitMenu->addAction(days == 365       ? tr("1 Year")
                                          : days % 365 == 0 ? tr("%1 Years").arg(days / 365)
                                                            : tr("%1 Days").arg(days));
        choice->setCheckable(true);
        choice->setChecked(days == stored);
        group->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, days] {
            AppSettings().setValue(settings::kHistoryLimitDays, days);
            m_history.SetLimitDays(days);
        });
    }
    m_historyLimitMenu->setStatusTip(tr("How long the history keeps a quake; older ones are "
                                        "forgotten after the next good load"));
}

void CMainFrame::TakeLoad()
{
    if (!GoodLoad())
        return;
    qCDebug(lcFeed).noquote() << "read" << m_quakes.count() << "quakes from"
                              << QString::fromStdString(g_pFeedView->Address());
    m_history.TakeLoad(
        g_pFeedView->Address(), m_quakes, m_clock.Now(),
        [this](EventHistory::LoadOutcome outcome) { LoadTaken(std::move(outcome)); });
}

// What the load changed marks the list, sounds the alerts and sums up the
// run's first good load after an absence. A newer load may have been parsed
// meanwhile; its own changes follow.
void CMainFrame::LoadTaken(EventHistory::LoadOutcome outcome)
{
    int counts[3] = {};
    for (const EventChange& change : outcome.changes)
        ++counts[static_cast<int>(change.kind)];
    qCDebug(lcStore).noquote() << counts[0] << "new," << counts[1] << "revised," << counts[2]
                               << "retracted";
    if (m_history.OffReason() != m_historyOffShown)
        ShowHistoryOff();
    EvaluateLoad(outcome.changes);
    if (!m_awayTold) {
        m_awayTold = true;
        if (outcome.lastLoad.valid)
            m_docks->ShowAway({outcome.lastLoad, m_clock.Now(), &m_quakes, &outcome.changes});
    }
    if (!outcome.changes.empty())
        m_docks->ListChanged(std::move(outcome.changes));
}

// The rows as shown when the file is chosen: the history or the feed, filtered and sorted.
void CMainFrame::OnFileExportList()
{
    QString filter;
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export List"), QStringLiteral("quakes.csv"),
        tr("CSV (*.csv);;GeoJSON (*.geojson);;All files (*)"), &filter);
    if (path.isEmpty())
        return;
    const ExportFormat format =
        filter.contains(QLatin1String("geojson")) ? ExportFormat::GeoJson : ExportFormatFor(path);
    const std::vector<HistoryEntry> rows = m_docks->Panel().ShownEntries();
    if (const QString failure = ExportRows(rows, path, format); !failure.isEmpty()) {
        ShowMessage(this, QMessageBox::Warning, tr("The list was not exported."), failure);
        return;
    }
    m_wndStatusBar->showMessage(
        tr("%1 quakes exported to %2").arg(rows.size()).arg(QDir::toNativeSeparators(path)));
}

}  // namespace tremolux
