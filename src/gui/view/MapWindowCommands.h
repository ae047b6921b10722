#pragma once

#include <optional>

#include <QString>

#include "core/cities/CityEntry.h"
#include "core/common/DisplaySettings.h"
#include "core/common/OleDate.h"
#include "core/feed/QuakeRecord.h"

class QAction;
class QEvent;
class QMenu;
class QPoint;
class QRect;
class QWidget;

// What the polar and the world map window do alike: their city and
// parameters dialogs, the details of a quake, its tooltip and their context
// menus.
namespace tremolux {

class QuakeWindow;

// The Cities dialog; the city chosen, nothing when cancelled. The dialogs
// hand their choice over through CurrentCity and SettingsTransfer: these two
// functions are the only windows' code that touches them.
std::optional<CityEntry> ChooseCity();
// The Parameters dialog over the settings; the new ones, nothing when cancelled.
std::optional<DisplaySettings> EditParameters(const DisplaySettings& settings);

// The quake's details from the window's city, with the alert rules' notes.
QString QuakeDetailsText(const QuakeRecord& quake, const CityEntry& city, OleDate now);

// Answers a tooltip event over the window: the details as plain text, kept
// while the pointer stays within area (anywhere when empty), or no tip when
// the pointer is over no quake (empty details).
void ShowQuakeToolTip(QWidget* window, QEvent* event, const QString& details, const QRect& area);

// A map window's context menu, deleted once closed: the window's own
// commands, then the frame's (FrameCommands).
QMenu* CreateMapWindowMenu(QuakeWindow& window, const QList<QAction*>& own);

// The quake's entries: copy its details, open its event page.
void AddQuakeEntries(QMenu* menu, const QString& details, const std::string& eventPage);

// Shows the menu at pos over the window, which becomes the active one first:
// the frame's commands act on the active window.
void PopUpMapWindowMenu(QuakeWindow& window, QMenu* menu, QPoint pos);

}  // namespace tremolux
