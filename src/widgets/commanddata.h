#pragma once
// Commands as data: what the action registry makes QActions and menus of.

#include <span>

enum ActionFlag : unsigned {
    NoFlags = 0,
    Checkable = 1u << 0,
    Checked = 1u << 1,
    /// The shortcut is shown in the menu but belongs to another entry (the
    /// same key in the main menu): it is not registered twice.
    ShortcutShownOnly = 1u << 2,
    /// The command's subsystem is not built yet: the entry is there, with
    /// its caption, shortcut and hint, but disabled.
    Pending = 1u << 3,
    Hidden = 1u << 4,
    /// The default item of a drop-down (shown in bold).
    DefaultItem = 1u << 5,
    Separator = 1u << 6,
    /// In a button strip, the button shows its caption beside its icon.
    ShowsCaption = 1u << 7,
};

struct CommandEntry {
    const char *id;
    /// The command it gives: a menu item, its toolbar button and its pop-up
    /// item share one key and are bound to one handler together; a family
    /// that one handler tells apart by tag shares one too.  "" for submenus.
    const char *command;
    const char *caption;
    const char *shortcut;  // portable text such as "Ctrl+Shift+S"; "" for none
    const char *hint;
    int tag;               // -1 when the command has none
    const char *icon;      // our icon's name in the resources; "" for none
    const char *theme;     // freedesktop icon name tried first; "" for none
    unsigned flags;
};

/// A menu or toolbar layout: item ids in order; "-" is a separator, "-Name"
/// a named separator (one that can be hidden) and ">Name" a submenu.
struct MenuLayout {
    const char *id;
    const char *caption;
    std::span<const char *const> items;
};

