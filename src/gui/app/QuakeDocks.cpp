#include "gui/app/QuakeDocks.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QTableView>
#include <QToolTip>
#include <QUrl>

#include <algorithm>
#include <iterator>

#include "core/common/Clock.h"
#include "core/events/EventIdentity.h"
#include "core/feed/QuakeList.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/store/EventHistory.h"
#include "gui/common/Settings.h"
#include "gui/legend/LegendWidget.h"
#include "gui/list/QuakeListPanel.h"
#include "gui/list/QuakeTableModel.h"
#include "gui/view/CTremoluxView.h"
#include "gui/world/WorldMapWindow.h"

namespace tremolux {

namespace {

// Often enough that an age shown in minutes is never a minute behind for long.
constexpr int kAgeRefreshMs = 20000;

QDockWidget* MakeDock(CMainFrame& frame, const QString& title, const char* name, QWidget* content)
{
    auto* dock = new QDockWidget(title, &frame);
    dock->setObjectName(name);  // the session restores docks by name
    dock->setWidget(content);
    dock->hide();
    return dock;
}

void Unlink(QList<QMetaObject::Connection>& links)
{
    for (const QMetaObject::Connection& link : links)
        QObject::disconnect(link);
    links.clear();
}

}  // namespace

QuakeDocks::QuakeDocks(CMainFrame& frame)
    : QObject(&frame), m_frame(frame), m_legend(new LegendWidget)
{
    auto* waiting = new QLabel(tr("Waiting for the feed…"));
    waiting->setAlignment(Qt::AlignCenter);
    m_listDock = MakeDock(frame, tr("Quake List"), "quakeListDock", waiting);
    frame.addDockWidget(Qt::BottomDockWidgetArea, m_listDock);
    m_listDock->toggleViewAction()->setText(tr("&Quake List"));

    auto* scroll = new QScrollArea;
    scroll->setWidget(m_legend);
    scroll->setWidgetResizable(true);
    m_legendDock = MakeDock(frame, tr("Legend"), "legendDock", scroll);
    frame.addDockWidget(Qt::RightDockWidgetArea, m_legendDock);
    m_legendDock->toggleViewAction()->setText(tr("&Legend"));

    m_ageTimer.setInterval(kAgeRefreshMs);
    connect(m_listDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible) {
            m_ageTimer.stop();
            return;
        }
        // Before the first load there is nothing to list yet.
        if (m_model == nullptr && !m_loadWaiting)
            return;
        BuildList();
        m_model->AgesChanged();
        m_ageTimer.start();
    });
}

QuakeTableModel& QuakeDocks::Model()
{
    BuildList();
    return *m_model;
}

QuakeListPanel& QuakeDocks::Panel()
{
    BuildList();
    return *m_panel;
}

void QuakeDocks::BuildList()
{
    if (m_model != nullptr)
        return;
    m_model = new QuakeTableModel(m_frame.m_quakes, m_frame.GetClock(), this);
    m_model->SetTimeShown(m_timeShown);
    // The model takes the city, the grouping and the load before any view
    // reads it: a long list is then filtered and sorted once.
    const bool grouped =
        AppSettings()
            .value(settings::kListGroupAftershocks, settings::kDefaultListGroupAftershocks)
            .toBool();
    m_model->SetGroupSequences(grouped);
    ShowCity();
    if (m_loadWaiting) {
        m_loadWaiting = false;
        m_model->ListChanged(std::move(m_waitingChanges));
        m_waitingChanges.clear();
    }
    m_panel = new QuakeListPanel(
        *m_model, nullptr,
        m_sort.value_or(QuakeListPanel::Sort{QuakeTableModel::Time, Qt::DescendingOrder}));

    QDoubleSpinBox* minimum = m_panel->MinimumMagnitudeBox();
    const QVariant stored = AppSettings().value(settings::kListMinimumMagnitude,
                                                settings::kDefaultListMinimumMagnitude);
    minimum->setValue(stored.toDouble());
    connect(minimum, &QDoubleSpinBox::valueChanged, this,
            [](double value) { AppSettings().setValue(settings::kListMinimumMagnitude, value); });

    QCheckBox* group = m_panel->GroupSequencesBox();
    group->setChecked(grouped);
    connect(group, &QCheckBox::toggled, this,
            [](bool on) { AppSettings().setValue(settings::kListGroupAftershocks, on); });

    // Restored before the list listens: the history is read with the first load.
    QComboBox* shown = m_panel->ShowBox();
    shown->setCurrentIndex(
        std::max(0, shown->findData(AppSettings().value(settings::kListShownDays, 0).toInt())));
    connect(m_panel, &QuakeListPanel::showChosen, this,
            [](int days) { AppSettings().setValue(settings::kListShownDays, days); });

    connect(m_panel, &QuakeListPanel::quakeChosen, this, &QuakeDocks::OnQuakeChosen);
    connect(m_panel, &QuakeListPanel::rowOpened, this, &QuakeDocks::OpenEventPage);
    connect(m_panel, &QuakeListPanel::showChosen, this, &QuakeDocks::ShowChosenRows);
    connect(&m_ageTimer, &QTimer::timeout, m_model, &QuakeTableModel::AgesChanged);

    if (m_away)
        m_panel->ShowAwaySummary(m_away->first, std::move(m_away->second));
    m_away.reset();
    if (m_panel->ShownDays() > 0)
        ShowChosenRows();
    m_panel->ShowSelected(m_window ? m_window->SelectedQuake() : -1);
    delete m_listDock->widget();
    m_listDock->setWidget(m_panel);
    if (m_listDock->isVisible()) {
        m_model->AgesChanged();
        m_ageTimer.start();
    }
}

// The first map's picture is drawn on a worker thread: the list is made once
// a paint has shown the picture of the load.
void QuakeDocks::BuildListAfterMapShown()
{
    if (m_firstMap)
        m_firstMap->removeEventFilter(this);
    m_firstMap = qobject_cast<CTremoluxView*>(m_window.data());
    if (m_firstMap)
        m_firstMap->installEventFilter(this);
    else
        QTimer::singleShot(0, this, &QuakeDocks::BuildList);
}

bool QuakeDocks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == m_firstMap && m_firstMap->PictureIsCurrent()) {
        m_firstMap->removeEventFilter(this);
        m_firstMap = nullptr;
        QTimer::singleShot(0, this, &QuakeDocks::BuildList);  // after this paint
    }
    return QObject::eventFilter(watched, event);
}

void QuakeDocks::SetTimeShown(TimeShown shown)
{
    m_timeShown = shown;
    if (m_model != nullptr)
        m_model->SetTimeShown(shown);
}

void QuakeDocks::SortList(int column, Qt::SortOrder order)
{
    m_sort = {column, order};
    if (m_panel != nullptr)
        m_panel->Table()->sortByColumn(column, order);
}

void QuakeDocks::ListChanged(std::vector<EventChange> changes)
{
    // A second load before the list was made would mark its quakes new
    // against nothing: the list is made first.
    if (m_model == nullptr && !m_loadWaiting) {
        m_loadWaiting = true;
        m_waitingChanges = std::move(changes);
        BuildListAfterMapShown();
        FollowSelection();
        return;
    }
    // The history's changes of the load that waits come after the load itself.
    if (m_model == nullptr && !changes.empty()) {
        m_waitingChanges.insert(m_waitingChanges.end(), std::make_move_iterator(changes.begin()),
                                std::make_move_iterator(changes.end()));
        FollowSelection();
        return;
    }
    BuildList();
    // The history shown is read again only when the load changed it.
    const bool historyChanged = !changes.empty();
    m_model->ListChanged(std::move(changes));
    if (m_panel->ShownDays() > 0 && (historyChanged || !m_model->ShowingHistory()))
        ShowChosenRows();
    m_panel->ShowSelected(FollowSelection());
}

bool QuakeDocks::ShowsHistory() const
{
    if (m_panel != nullptr)
        return m_panel->ShownDays() > 0;
    return AppSettings().value(settings::kListShownDays, 0).toInt() > 0;
}

// The selected quake where the load put it, or none (-1) when it has gone.
int QuakeDocks::FollowSelection()
{
    const int index = m_selected ? FindEvent(m_frame.m_quakes, *m_selected) : -1;
    if (index < 0)
        m_selected.reset();
    if (m_window)
        m_window->SelectQuake(index);
    return index;
}

void QuakeDocks::ShowChosenRows()
{
    const int days = m_panel->ShownDays();
    if (days <= 0) {
        m_model->ShowFeed();
    } else {
        const OleDate now = m_frame.GetClock().Now();
        m_model->ShowHistory(m_frame.History().Since(OleDate{now.value - days, true}));
    }
    m_panel->ShowSelected(m_window ? m_window->SelectedQuake() : -1);
}

// Distances count from the city of the window the list follows.
void QuakeDocks::ShowAway(const AwayLoad& load)
{
    const CityEntry city = m_window ? m_window->Content().city : CityEntry{};
    QSet<QString> keys;
    for (const EventChange& change : *load.changes)
        keys.insert(QString::fromStdString(EventKey(change.event)));
    const QString text = QString::fromStdString(AwaySummaryText(load, city.name, city.position));
    if (m_panel != nullptr)
        m_panel->ShowAwaySummary(text, std::move(keys));
    else
        m_away = {text, std::move(keys)};
}

// A load kept for the list is from the feed before.
void QuakeDocks::FeedChanged()
{
    if (m_loadWaiting)
        BuildList();
    if (m_model != nullptr)
        m_model->FeedChanged();
}

void QuakeDocks::FollowActiveWindow()
{
    // The application going to the background leaves no window active, but
    // the one shown last is still the one to follow.
    QuakeWindow* window = ActiveWindow();
    if (window != nullptr || !IsOpen(m_window))
        Link(window);
}

QuakeWindow* QuakeDocks::ActiveWindow() const
{
    if (CChildFrame* map = m_frame.ActiveMapWindow())
        return map->GetView();
    return m_frame.ActiveWorldMap();
}

// Closing hides a window's frame before the window goes.
bool QuakeDocks::IsOpen(const QuakeWindow* window) const
{
    if (window == nullptr)
        return false;
    for (QMdiSubWindow* open : m_frame.MdiArea()->subWindowList()) {
        if (!open->isHidden() && open->isAncestorOf(window))
            return true;
    }
    return false;
}

void QuakeDocks::Link(QuakeWindow* window)
{
    if (window == m_window && window != nullptr)
        return;
    Unlink(m_windowLinks);
    m_window = window;
    if (window != nullptr) {
        m_windowLinks = {
            connect(window, &QuakeWindow::quakeSelected, this, &QuakeDocks::OnWindowSelected),
            connect(window, &QuakeWindow::titleChanged, this, &QuakeDocks::ShowCity),
            connect(window, &QObject::destroyed, this, &QuakeDocks::FollowActiveWindow,
                    Qt::QueuedConnection)};
        // The legend follows what its picture depends on.
        m_windowLinks << connect(window, &QuakeWindow::titleChanged, this, &QuakeDocks::ShowLegend);
        if (auto* view = qobject_cast<CTremoluxView*>(window))
            m_windowLinks << connect(view, &CTremoluxView::statusTextChanged, this,
                                     &QuakeDocks::ShowLegend);
        else if (auto* world = qobject_cast<WorldMapWindow*>(window))
            m_windowLinks << connect(world, &WorldMapWindow::shownChanged, this,
                                     &QuakeDocks::ShowLegend);
    }
    ShowCity();
    ShowLegend();
    const int index = window != nullptr ? window->SelectedQuake() : -1;
    Remember(index);
    if (m_panel != nullptr)
        m_panel->ShowSelected(index);
}

void QuakeDocks::ShowCity()
{
    if (m_window && m_model != nullptr)
        m_model->SetCity(m_window->Content().city.position);
}

void QuakeDocks::ShowLegend()
{
    if (const auto* view = qobject_cast<const CTremoluxView*>(m_window.data())) {
        m_legend->ShowPolar(view->Settings());
    } else if (const auto* world = qobject_cast<const WorldMapWindow*>(m_window.data())) {
        std::vector<std::string> ruleRings;
        for (const AlertRing& ring : world->AlertRingsShown())
            ruleRings.push_back(ring.label);
        m_legend->ShowWorld(world->Settings(), std::move(ruleRings));
    } else {
        m_legend->ShowNone();
    }
}

void QuakeDocks::OnQuakeChosen(int index)
{
    Remember(index);
    if (m_window)
        m_window->SelectQuake(index);
}

void QuakeDocks::OnWindowSelected(int index)
{
    Remember(index);
    if (m_panel != nullptr)
        m_panel->ShowSelected(index);
}

void QuakeDocks::Remember(int index)
{
    if (index >= 0 && index < m_frame.m_quakes.count())
        m_selected = m_frame.m_quakes.at(index);
    else
        m_selected.reset();
}

// Only web pages open: an address from the feed must not start a program or
// open a local file.
void QuakeDocks::OpenEventPage(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QUrl page(QString::fromStdString(m_model->EntryAt(row).event.eventPage),
                    QUrl::StrictMode);
    const QString scheme = page.scheme().toLower();
    if (page.isValid() && !page.host().isEmpty() && (scheme == "http" || scheme == "https")) {
        QDesktopServices::openUrl(page);
        return;
    }
    // Said where the user looks, leaving the status bar's settings text alone.
    QTableView* table = m_panel->Table();
    const QRect cell = table->visualRect(table->currentIndex());
    QToolTip::showText(table->viewport()->mapToGlobal(cell.center()),
                       tr("The feed gives no web page for this quake."), table);
}

}  // namespace tremolux
