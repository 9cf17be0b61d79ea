#pragma once
// Editor keys the window takes: a key the user gives an editor command
// that one of the window's commands already uses reaches the window's
// command, never the editor.  The options dialog names that command.

#include "editor/highlightscheme.h"

#include <QString>

#include <span>
#include <vector>

/// A key that works wherever the focus is in the window, and the caption
/// of the command it runs ("Save to library").  Keys are QKeySequence
/// portable text ("Ctrl+Shift+S", a pair "Ctrl+K, I").
struct WindowKey {
    QString key;
    QString command;
};

/// One editor key (command 0 to 42, slot 0 or 1) and the window command
/// that takes it.
struct KeyClash {
    int command = 0;
    int slot = 0;
    QString key;
    QString windowCommand;
    bool operator==(const KeyClash &) const = default;
};

/// The caption of the window command that takes key away from the
/// editors, or an empty string.  A key is taken when it and a window key
/// begin alike, chord by chord, as far as the shorter of the two goes
/// (the window's Ctrl+S takes the editor's pair "Ctrl+S, X" as well).
/// Letter case and the order of the modifiers do not matter.
QString windowCommandTaking(const QString &key, std::span<const WindowKey> windowKeys);

/// Every assigned key of keys that a window key takes, by command, then slot.
std::vector<KeyClash> findKeyClashes(const std::array<std::array<QString, 2>, kEditorCommandCount> &keys,
                                     std::span<const WindowKey> windowKeys);
