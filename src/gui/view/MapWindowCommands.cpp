#include "gui/view/MapWindowCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolTip>
#include <QUrl>

#include "core/list/QuakeDetails.h"
#include "gui/common/AlertNotes.h"
#include "gui/common/PlainText.h"
#include "gui/common/QuakeWindow.h"
#include "gui/common/Settings.h"
#include "gui/dialogs/CDia_Cities.h"
#include "gui/dialogs/CDia_Parameters.h"

namespace tremolux {

std::optional<CityEntry> ChooseCity()
{
    CDia_Cities dialog;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return CurrentCity;
}

std::optional<DisplaySettings> EditParameters(const DisplaySettings& settings)
{
    CDia_Parameters dialog;
    SettingsTransfer = settings;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return SettingsTransfer;
}

QString QuakeDetailsText(const QuakeRecord& quake, const CityEntry& city, OleDate now)
{
    const TimeShown shown =
        AppSettings().value(settings::kLocalTimes, settings::kDefaultLocalTimes).toBool()
            ? TimeShown::Local
            : TimeShown::Utc;
    return QString::fromStdString(QuakeDetails(quake, city.name, city.position, now, shown)
                                  + AlertNotes::Shared().For(quake, city.name, city.position));
}

void ShowQuakeToolTip(QWidget* window, QEvent* event, const QString& details, const QRect& area)
{
    if (details.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), PlainToolTip(ShownLines(details)), window, area);
}

QMenu* CreateMapWindowMenu(QuakeWindow& window, const QList<QAction*>& own)
{
    auto* menu = new QMenu(&window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(own);
    if (!own.isEmpty() && !window.FrameCommands().isEmpty())
        menu->addSeparator();
    menu->addActions(window.FrameCommands());
    return menu;
}

void AddQuakeEntries(QMenu* menu, const QString& details, const std::string& eventPage)
{
    // The quake as it is now: a reload while the menu is open moves the list.
    const QUrl page(QString::fromStdString(eventPage));
    menu->addSeparator();
    menu->addAction(QApplication::translate("MapWindow", "C&opy quake details"), menu,
                    [details] { QApplication::clipboard()->setText(details); });
    QAction* open = menu->addAction(QApplication::translate("MapWindow", "Open &event page"), menu,
                                    [page] { QDesktopServices::openUrl(page); });
    open->setEnabled(page.isValid() && !page.isEmpty());
}

void PopUpMapWindowMenu(QuakeWindow& window, QMenu* menu, QPoint pos)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    if (frame != nullptr && frame->mdiArea() != nullptr)
        frame->mdiArea()->setActiveSubWindow(frame);
    menu->popup(window.mapToGlobal(pos));
}

}  // namespace tremolux
