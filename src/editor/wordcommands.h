#pragma once
// The word moves and word deletions of a fragment editor, run on the
// editor's word rule (wordbounds.h) instead of Scintilla's, which in UTF-8
// takes every letter for a word character.

#include <Qsci/qscicommand.h>

class ScriptEditor;

/// Whether the editor runs command itself (WordLeft, WordRightExtend,
/// DeleteWordLeft, …) rather than leave it to Scintilla.
bool isOwnWordCommand(QsciCommand::Command command);

/// Runs one of those commands: a move takes the caret (the selection's
/// anchor stays where it is when extending), a deletion the text between
/// the caret and where the move would go, as Scintilla's commands do.
void runWordCommand(ScriptEditor &editor, QsciCommand::Command command);
