#include "gui/app/CMainFrame.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>

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
    // The same copy as the map windows' next pictures, not one more of a large list.
    m_history.TakeLoad(
        g_pFeedView->Address(), std::make_shared<const QuakeList>(m_quakes), m_clock.Now(),
        [this](EventHistory::LoadOutcome outcome) { LoadTaken(std::move(outcome)); });
}

// What the load changed marks the list, sounds the alerts and sums up the
// run's first good load after an absence. While a newer load, already parsed,
// is still with the history, the changes wait and are told with its own: the
// alerts are evaluated once for each list shown.
void CMainFrame::LoadTaken(EventHistory::LoadOutcome taken)
{
    int counts[3] = {};
    for (const EventChange& change : taken.changes)
        ++counts[static_cast<int>(change.kind)];
    qCDebug(lcStore).noquote() << counts[0] << "new," << counts[1] << "revised," << counts[2]
                               << "retracted";
    if (m_history.OffReason() != m_historyOffShown)
        ShowHistoryOff();
    if (!m_untold.lastLoad.valid)
        m_untold.lastLoad = taken.lastLoad;
    if (m_untold.changes.empty()) {
        m_untold.changes = std::move(taken.changes);
    } else {
        m_untold.changes.insert(m_untold.changes.end(),
                                std::make_move_iterator(taken.changes.begin()),
                                std::make_move_iterator(taken.changes.end()));
        m_history.Release(std::move(taken.changes));
    }
    if (m_history.Busy())
        return;
    EventHistory::LoadOutcome outcome = std::exchange(m_untold, {});
    EvaluateLoad(outcome.changes);
    if (!m_awayTold) {
        m_awayTold = true;
        if (outcome.lastLoad.valid)
            m_docks->ShowAway({outcome.lastLoad, m_clock.Now(), &m_quakes, &outcome.changes});
    }
    // The feed's rows mark their new events themselves; a revision or a
    // retraction, or the history's rows, need the changes, at the cost of
    // reading every row again.
    const bool onlyNew =
        std::all_of(outcome.changes.begin(), outcome.changes.end(),
                    [](const EventChange& change) { return change.kind == ChangeKind::New; });
    if (!outcome.changes.empty() && (!onlyNew || m_docks->ShowsHistory()))
        m_docks->ListChanged(std::move(outcome.changes));
    else
        m_history.Release(std::move(outcome.changes));
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
    if (const Result<> done = ExportRows(rows, path, format); !done) {
        const QString failure = QString::fromStdString(done.error());
        qCWarning(lcStore).noquote() << "the list was not exported:" << failure;
        ShowMessage(this, QMessageBox::Warning, tr("The list was not exported."), failure);
        return;
    }
    m_wndStatusBar->showMessage(
        tr("%1 quakes exported to %2").arg(rows.size()).arg(QDir::toNativeSeparators(path)));
}

}  // namespace tremolux
