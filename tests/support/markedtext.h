#pragma once
// Editor texts with the selection or the caret marked in them, for tests:
// "x [abc] y" has "abc" selected, "x | y" the caret between the spaces.

#include "editor/positions.h"
#include "editor/scripteditor.h"

#include <QString>

/// Puts a marked text into editor, selection or caret included.
inline void setMarked(ScriptEditor *editor, const QString &marked)
{
    const qsizetype open = marked.indexOf(u'[');
    const qsizetype close = marked.indexOf(u']');
    const qsizetype caret = marked.indexOf(u'|');
    QString text = marked;
    text.remove(u'[').remove(u']').remove(u'|');
    editor->setWholeText(text);
    if (open >= 0)
        editor->setSel(positionLength(QStringView(marked).left(open)),
                       positionLength(QStringView(marked).mid(open + 1, close - open - 1)));
    else if (caret >= 0)
        editor->setCaretPosition(positionLength(QStringView(marked).left(caret)));
}

/// The editor's text with its selection or caret marked.
inline QString marked(const ScriptEditor *editor)
{
    QString text = editor->wholeText();
    // Positions count a line break as one: mark on the LF form.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (editor->hasSelectedText()) {
        text.insert(editor->selStart() + editor->selLength(), u']');
        text.insert(editor->selStart(), u'[');
    } else {
        text.insert(editor->caretPosition(), u'|');
    }
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

/// The text without its marks.
inline QString unmarked(QString text)
{
    return text.remove(u'|').remove(u'[').remove(u']');
}
