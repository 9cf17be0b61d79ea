#pragma once
// Where the script editors' word moves, word deletions and double-click
// selections stop, decided by the editor's word rule (wordchars.h) instead
// of Scintilla's, which in UTF-8 counts every letter beyond ASCII as part of
// a word.  Offsets are bytes of the editor's UTF-8 text, as Scintilla counts
// them.
//
// Every character is of one class: a line break (CR, LF), a space (space,
// tab, the other control characters and Unicode spaces), a word character
// (fn_CharIsInWord) or other (punctuation, symbols, and every letter the
// word rule leaves out: "xéy" is three runs, x, é and y).  The moves step
// over runs of one class the way Scintilla's own do.  A digit does not
// start a word (fn_CharStartsWord) but, inside a run of word characters,
// belongs to it: "f2x" and "12px" are one run each.

#include <QByteArrayView>

enum class WordClass { LineBreak, Space, Word, Other };

WordClass wordClassOf(char32_t c);

/// Ctrl+Left: back over the spaces before pos, then over the run of one
/// class before them.  Ctrl+Backspace deletes from there to pos.
qsizetype previousWordStart(QByteArrayView utf8, qsizetype pos);
/// Ctrl+Right: over the run of one class after pos, then over the spaces
/// after it.  Ctrl+Delete deletes from pos to there.
qsizetype nextWordStart(QByteArrayView utf8, qsizetype pos);
/// The word-end moves: back over the run of one class before pos (unless it
/// is spaces), then over the spaces before it...
qsizetype previousWordEnd(QByteArrayView utf8, qsizetype pos);
/// ...and forward over the spaces after pos, then over the run after them.
qsizetype nextWordEnd(QByteArrayView utf8, qsizetype pos);

/// The bytes [start, end).
struct ByteRange {
    qsizetype start = 0;
    qsizetype end = 0;
    friend bool operator==(const ByteRange &, const ByteRange &) = default;
};

/// What a double click selects: the run of one class holding the character
/// clicked, the one that starts at pos.  At a line's end (a line break or the
/// end of the text at pos) the run before pos, and nothing on an empty line.
ByteRange wordAt(QByteArrayView utf8, qsizetype pos);

/// A selection: the caret moves, the anchor stays.
struct WordSelection {
    qsizetype anchor = 0;
    qsizetype caret = 0;
    friend bool operator==(const WordSelection &, const WordSelection &) = default;
};

/// Dragging after a double click that selected word: the selection keeps
/// word whole and reaches, by whole runs, to the mouse position pos.
WordSelection dragWordSelection(QByteArrayView utf8, ByteRange word, qsizetype pos);
