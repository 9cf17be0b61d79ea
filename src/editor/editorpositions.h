#pragma once
// Where the fragment editor's positions stand in Scintilla's bytes.
//
// The editor counts characters and takes a line break (always CR LF in
// it) for one position; Scintilla counts UTF-8 bytes.  Scintilla keeps an
// index of the characters before every line, so each conversion costs a
// look-up of the line plus a walk along that one line.

class QsciScintillaBase;

/// The editor's position of a byte offset.
int characterPosition(const QsciScintillaBase &editor, long byte);
/// The byte offset of an editor position (the text's end past it).
long bytePosition(const QsciScintillaBase &editor, int position);
/// The 0-based line and column (in characters) of a byte offset.
void byteLineColumn(const QsciScintillaBase &editor, long byte, int *line, int *column);
/// The byte offset of a 0-based line and column; a column past the line's
/// last character stays before its line break.
long byteAtLineColumn(const QsciScintillaBase &editor, int line, int column);
