#pragma once
// Commands as data: one row per command (its key, caption, shortcut, hint,
// icon and kind), and layouts (menus, pop-up menus, toolbars, button
// strips) that place commands under the window's component names.  The
// action registry makes one QAction per placement; every placement of a
// command shows the command's one enabled and checked state.

#include <span>

enum ActionFlag : unsigned {
    NoFlags = 0,
    Checkable = 1u << 0,
    Checked = 1u << 1,
    /// The shortcut is shown in the menu but belongs to another placement of
    /// the command (its item in the main menu): it is not registered twice.
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
    /// The key works only while the part of the window the action is
    /// given to, or a control in it, has the focus; elsewhere (an editor)
    /// the key keeps its own meaning.
    PartShortcut = 1u << 8,
};

/// One command: what every placement of it shows unless the placement
/// gives its own caption, hint or icon.
struct Command {
    /// "file.open"; the members of a family that one handler serves share a
    /// prefix ("html.format.bold", "html.format.italic") and carry a tag.
    const char *key;
    const char *caption;
    const char *shortcut;  // portable text such as "Ctrl+Shift+S"; "" for none
    const char *hint;
    int tag;               // the family handler's parameter; -1 outside a family
    const char *icon;      // our icon's name in the resources; "" for none
    const char *theme;     // freedesktop icon name tried first; "" for none
    unsigned flags;        // Checkable, Checked, Pending
};

/// One place of a command in a layout, under the window's component name.
/// "-" is a separator, "-Name" a named separator (one that can be hidden)
/// and ">Name" a submenu; those have no command.  A null caption, hint or
/// icon is the command's own.
struct CommandPlacement {
    const char *id;
    const char *command = nullptr;
    const char *caption = nullptr;
    const char *hint = nullptr;
    const char *icon = nullptr;
    const char *theme = nullptr;
    /// A key of this placement's own, besides the command's.
    const char *shortcut = nullptr;
    unsigned flags = NoFlags;  // Hidden, DefaultItem, ShowsCaption
};

inline constexpr CommandPlacement kSeparator{"-"};

/// What one placement of a command is made of, resolved from the command
/// and the placement: the registry makes one QAction of each.
struct CommandEntry {
    const char *id;
    const char *command;
    const char *caption;
    const char *shortcut;  // live unless ShortcutShownOnly; "" for none
    const char *hint;
    int tag;
    const char *icon;
    const char *theme;
    unsigned flags;
};

/// A menu, pop-up menu, toolbar or button strip and its placements.
struct MenuLayout {
    enum Kind { Menu, Bar };
    const char *id;
    const char *caption;
    std::span<const CommandPlacement> items;
    Kind kind = Menu;
    /// A submenu's own hint and icon.
    const char *hint = "";
    const char *icon = "";
};
