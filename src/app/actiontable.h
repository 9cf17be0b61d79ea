#pragma once
// Every command of the main window as data: its component name (the id),
// caption, shortcut, hint, tag and icon.  Menus, pop-up menus and toolbars
// are lists of these ids.  A menu item and the toolbar button for the same
// command are separate entries, each with its own hint, as the window has
// always had them.

#include "widgets/commanddata.h"

#include <QString>

/// Every entry, in no particular order.
std::span<const CommandEntry> actionTable();
const CommandEntry *findCommand(const QString &id);

std::span<const MenuLayout> mainMenuLayout();   // the menus of the menu bar, left to right
std::span<const MenuLayout> subMenuLayouts();   // submenus and pop-up menus, by id
const MenuLayout *findLayout(const QString &id);

std::span<const char *const> mainToolbarItems();
std::span<const char *const> scriptToolbarItems();
std::span<const char *const> htmlToolbarItems();
