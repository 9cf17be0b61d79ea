#pragma once
// Plain-text search and replace in a fragment editor.
//
// Positions are the editor's (a line break counts as one); the text
// searched for may hold any line breaks, which match the editor's CR LF.
// Each search remembers its text as the editor's last search text.

#include "editor/textsearch.h"

#include <QString>

class ScriptEditor;

/// Searches for plain text from the caret (from the selection's end going
/// forward, from its start going back).  Selects and returns the position
/// of the occurrence found, or -1 (nothing changes then).
int findText(ScriptEditor &editor, const QString &text, const FindOptions &options = {});
/// Whether the selection is exactly one occurrence of text under the
/// options (case, whole word); the direction does not matter.
bool selectionMatches(const ScriptEditor &editor, const QString &text, const FindOptions &options);
/// Replaces every occurrence in the whole text as one undoable step;
/// returns how many were replaced.
int replaceAll(ScriptEditor &editor, const QString &text, const QString &replacement, const FindOptions &options);
/// What a find dialog starts with: the selection when it lies on one line,
/// else the last search text.
QString initialSearchText(const ScriptEditor &editor);
