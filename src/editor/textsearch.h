#pragma once
// Plain-text search over an editor's UTF-8 text, read in place (no copy,
// no conversion): letter case matched exactly or ignored beyond ASCII as
// well (ż and Ż, ó and Ó), whole words by the editor's word rule.  Offsets
// are bytes of the UTF-8 text, as Scintilla counts them.

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

/// Occurrences of needle in utf8 from the byte offset from: going forward
/// every one (all) or only the first, going back the nearest one ending at
/// or before from.  Occurrences do not overlap.  Ignoring case, characters
/// are compared by their simple case folding (QChar::toCaseFolded, as
/// QString compares ignoring case), so an occurrence may differ in bytes
/// from the needle (the Kelvin sign folds to k).  With wholeWords no word
/// character (fn_CharIsInWord) touches either end.
std::vector<TextOccurrence> findOccurrences(QByteArrayView utf8, QStringView needle, const FindOptions &options,
                                            qsizetype from, bool all);
