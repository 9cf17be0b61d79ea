#pragma once
// Reading characters out of the editors' UTF-8 text one at a time, forward
// and back, the way Scintilla steps over it: a well-formed sequence is one
// character; every byte that does not belong to one (a stray continuation
// byte, a cut sequence) is a character of its own, U+FFFD.

#include <QByteArrayView>

/// One character of a UTF-8 text and how many bytes it takes.
struct Utf8Char {
    char32_t code = 0;
    qsizetype bytes = 0;  // 0 only where there is no character
};

/// The character starting at byte pos; {0, 0} at or past the end.
Utf8Char utf8CharAt(QByteArrayView text, qsizetype pos);

/// The character ending at byte pos; {0, 0} at the start.
Utf8Char utf8CharBefore(QByteArrayView text, qsizetype pos);
