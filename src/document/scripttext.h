#pragma once
// The texts a whole script takes outside the editors.
//
// Script file text: the HEAD marker line, the HEAD fragment, CR LF, the
// BODY marker line, the BODY fragment; used by Save as, Open and the user
// library.  Clipboard text: both fragments under comments that say where
// each belongs in a page.

#include <QByteArray>
#include <QString>

inline const QString kHeadMarker = QStringLiteral("<!-- part of the HEAD section -->");
inline const QString kBodyMarker = QStringLiteral("<!-- part of the BODY section -->");
inline const QString kClipboardHeadComment = QStringLiteral("<!-- This part should be put in the <HEAD> section of your HTML page -->");
inline const QString kClipboardBodyComment = QStringLiteral("<!-- This part should be put at the caret position of your HTML page -->");

struct ScriptFragments {
    QString head;
    QString body;
    bool operator==(const ScriptFragments &) const = default;
};

/// The script file text of two fragments, exactly as they are.
QString composeScriptFile(const QString &head, const QString &body);

/// Splits a text at its markers: the HEAD fragment starts two characters
/// after the HEAD marker and ends before the CR LF that stands before the
/// BODY marker, the BODY fragment runs from two characters after the BODY
/// marker to the end.  Without markers everything is BODY; a HEAD marker
/// without a BODY marker makes the rest of the text HEAD and leaves BODY
/// empty.  What composeScriptFile() wrote comes back exactly.
ScriptFragments splitScriptText(const QString &text);

/// Reads the bytes of a script file: lines joined with CR LF (the text ends
/// at the first NUL; the last line gets no line break it did not have),
/// decoded, then split at the markers.  A script saved and read back is the
/// same in both fragments, whichever version of the program wrote it.
ScriptFragments readScriptBytes(const QByteArray &bytes);

/// The clipboard text of a script.
QString composeClipboardText(const QString &head, const QString &body);

/// The block both editors hold when the program starts.
QString startupScriptText();
/// The block both fragments get from New.
QString newScriptText();
