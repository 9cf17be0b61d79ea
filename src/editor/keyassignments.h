#pragma once
// Which key runs which of the editor's built-in commands (caret moves,
// selection, deletion, clipboard, undo...).  ScriptEditor::applyKeyAssignments
// binds a table of them; defaultKeyAssignments() is the table the editors
// start with.

#include <QKeyCombination>
#include <Qsci/qscicommand.h>

#include <span>

/// One key running one editor command.
struct KeyAssignment {
    QKeyCombination key;
    QsciCommand::Command command;
};

/// The editors' usual keys: QScintilla's own bindings (arrows, Home, End
/// and the page keys with Shift, Ctrl and Alt; Ctrl+L cuts the line,
/// Ctrl+T swaps it with the one above, Ctrl+U lowers the case...).
std::span<const KeyAssignment> defaultKeyAssignments();
