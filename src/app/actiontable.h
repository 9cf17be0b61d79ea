#pragma once
// Every command of the main window as data: one row per command (its key,
// caption, shortcut, hint, tag and icon), and the menus, pop-up menus,
// toolbars and button strips as layouts that place commands under the
// window's component names, each placement with its own caption or hint
// where it has one.

#include "widgets/commanddata.h"

#include <QString>

/// One row per command.
std::span<const Command> commandTable();
/// Every placement resolved against its command, in no particular order.
std::span<const CommandEntry> actionTable();
/// The placement with that component name.
const CommandEntry *findCommand(const QString &id);

std::span<const MenuLayout> mainMenuLayout();   // the menus of the menu bar, left to right
std::span<const MenuLayout> subMenuLayouts();   // submenus and pop-up menus, by id
std::span<const MenuLayout> barLayouts();       // toolbars, button strips and the right panel
/// A menu, submenu, pop-up menu, toolbar or strip by id.
const MenuLayout *findLayout(const QString &id);
