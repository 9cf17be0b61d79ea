#include "editor/editorsearch.h"

#include "editor/scripteditor.h"
#include "editor/wordchars.h"
#include "platform/textfile.h"

#include <vector>

namespace {

using Sci = QsciScintillaBase;

QChar charBefore(const ScriptEditor &e, long byte)
{
    if (byte <= 0)
        return QChar();
    const long start = e.SendScintilla(Sci::SCI_POSITIONBEFORE, static_cast<unsigned long>(byte));
    const QString s = e.text(int(start), int(byte));
    return s.isEmpty() ? QChar() : s.back();
}

QChar charAt(const ScriptEditor &e, long byte)
{
    const long end = e.SendScintilla(Sci::SCI_POSITIONAFTER, static_cast<unsigned long>(byte));
    if (end <= byte)
        return QChar();
    const QString s = e.text(int(byte), int(end));
    return s.isEmpty() ? QChar() : s.front();
}

// Whether the bytes [from, to) stand as a whole word: no word character
// touches them on either side.
bool standsAlone(const ScriptEditor &e, long from, long to)
{
    const QChar before = charBefore(e, from);
    const QChar after = charAt(e, to);
    return !(!before.isNull() && fn_CharIsInWord(before)) && !(!after.isNull() && fn_CharIsInWord(after));
}

}  // namespace

int findText(ScriptEditor &editor, const QString &text, const FindOptions &options)
{
    if (text.isEmpty())
        return -1;
    editor.setLastSearchText(text);
    const long from = editor.SendScintilla(options.forward ? Sci::SCI_GETSELECTIONEND : Sci::SCI_GETSELECTIONSTART);
    const std::vector<TextOccurrence> found = findOccurrences(editor.textBytes(), toCrLf(text), options, from, false);
    if (found.empty() || found.front().start < 0)
        return -1;
    const TextOccurrence &first = found.front();
    editor.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(first.start), long(first.end));
    editor.SendScintilla(Sci::SCI_SCROLLRANGE, static_cast<unsigned long>(first.start), long(first.end));
    return editor.selStart();
}

bool selectionMatches(const ScriptEditor &editor, const QString &text, const FindOptions &options)
{
    if (text.isEmpty() || !editor.hasSelectedText())
        return false;
    if (editor.selectedText().compare(toCrLf(text), options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive) != 0)
        return false;
    return !options.wholeWords || standsAlone(editor, editor.SendScintilla(Sci::SCI_GETSELECTIONSTART),
                                              editor.SendScintilla(Sci::SCI_GETSELECTIONEND));
}

int replaceAll(ScriptEditor &editor, const QString &text, const QString &replacement, const FindOptions &options)
{
    if (text.isEmpty())
        return 0;
    editor.setLastSearchText(text);
    const QString needle = toCrLf(text);
    const QByteArray with = toCrLf(replacement).toUtf8();
    FindOptions forward = options;
    forward.forward = true;

    // The occurrences are all found in the text as it stands, then
    // replaced from the last one back, so neither a replacement nor its
    // neighbours change what counts as an occurrence.
    const std::vector<TextOccurrence> found = findOccurrences(editor.textBytes(), needle, forward, 0, true);
    if (found.empty())
        return 0;
    editor.beginUndoAction();
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        editor.SendScintilla(Sci::SCI_SETTARGETSTART, static_cast<unsigned long>(it->start));
        editor.SendScintilla(Sci::SCI_SETTARGETEND, static_cast<unsigned long>(it->end));
        editor.SendScintilla(Sci::SCI_REPLACETARGET, with.size(), with.constData());
    }
    editor.endUndoAction();
    editor.reportChange();
    return int(found.size());
}

QString initialSearchText(const ScriptEditor &editor)
{
    const QString selected = editor.selectedText();
    if (!selected.isEmpty() && !selected.contains(u'\n') && !selected.contains(u'\r'))
        return selected;
    return editor.lastSearchText();
}
