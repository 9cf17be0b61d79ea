#pragma once
// Block indent and unindent in a fragment editor.

class QsciScintilla;

/// Moves the indentation of every line the selection touches (or of the
/// caret's line) by delta columns, as one undo step.  Both ends of the
/// selection keep to their lines and to the text they stood at; an end at
/// the very start of a line stays there, so whole selected lines stay
/// wholly selected.
void shiftIndentation(QsciScintilla &editor, int delta);
