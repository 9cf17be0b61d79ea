#pragma once
// Plain-text search over an editor's UTF-8 text for what Scintilla's own
// search cannot do: ignore the case of letters beyond ASCII (ż and Ż, ó
// and Ó).  Offsets are bytes of the UTF-8 text, as Scintilla counts them.

#include <QByteArrayView>
#include <QStringView>

#include <vector>

/// How a search goes: letter case, whole words only, and its direction.
struct FindOptions {
    bool matchCase = false;
    bool wholeWords = false;
    bool forward = true;
};

/// One occurrence: the bytes [start, end) of the UTF-8 text.
struct TextOccurrence {
    qsizetype start = -1;
    qsizetype end = -1;
};

/// Whether a search for needle has to fold letter case itself: Scintilla
/// folds the case of ASCII letters only.
bool needsUnicodeFolding(QStringView needle, bool matchCase);

/// Occurrences of needle ignoring letter case in utf8, from the byte offset
/// from: going forward every one (all) or only the first, going back the
/// nearest one ending at or before from.  Occurrences do not overlap; with
/// wholeWords no word character (fn_CharIsInWord) touches either end.
std::vector<TextOccurrence> findFolded(QByteArrayView utf8, QStringView needle, const FindOptions &options,
                                       qsizetype from, bool all);
