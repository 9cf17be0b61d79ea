#include "editor/wordcommands.h"

#include "editor/scripteditor.h"
#include "editor/wordbounds.h"

bool isOwnWordCommand(QsciCommand::Command command)
{
    switch (command) {
    case QsciCommand::WordLeft:
    case QsciCommand::WordLeftExtend:
    case QsciCommand::WordRight:
    case QsciCommand::WordRightExtend:
    case QsciCommand::WordLeftEnd:
    case QsciCommand::WordLeftEndExtend:
    case QsciCommand::WordRightEnd:
    case QsciCommand::WordRightEndExtend:
    case QsciCommand::DeleteWordLeft:
    case QsciCommand::DeleteWordRight:
    case QsciCommand::DeleteWordRightEnd:
        return true;
    default:
        return false;
    }
}

void runWordCommand(ScriptEditor &editor, QsciCommand::Command command)
{
    using Sci = QsciScintillaBase;
    const QByteArrayView text = editor.textBytes();
    const long caret = editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    const long anchor = editor.SendScintilla(Sci::SCI_GETANCHOR);
    const auto moveTo = [&](qsizetype position, bool extend) {
        if (extend)
            editor.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(anchor), long(position));
        else
            editor.SendScintilla(Sci::SCI_GOTOPOS, static_cast<unsigned long>(position));
        editor.SendScintilla(Sci::SCI_CHOOSECARETX);
    };
    const auto deleteBetween = [&](qsizetype from, qsizetype to) {
        editor.SendScintilla(Sci::SCI_GOTOPOS, static_cast<unsigned long>(caret));
        if (to > from)
            editor.SendScintilla(Sci::SCI_DELETERANGE, static_cast<unsigned long>(from), long(to - from));
        editor.SendScintilla(Sci::SCI_CHOOSECARETX);
    };
    switch (command) {
    case QsciCommand::WordLeft:
    case QsciCommand::WordLeftExtend:
        moveTo(previousWordStart(text, caret), command == QsciCommand::WordLeftExtend);
        break;
    case QsciCommand::WordRight:
    case QsciCommand::WordRightExtend:
        moveTo(nextWordStart(text, caret), command == QsciCommand::WordRightExtend);
        break;
    case QsciCommand::WordLeftEnd:
    case QsciCommand::WordLeftEndExtend:
        moveTo(previousWordEnd(text, caret), command == QsciCommand::WordLeftEndExtend);
        break;
    case QsciCommand::WordRightEnd:
    case QsciCommand::WordRightEndExtend:
        moveTo(nextWordEnd(text, caret), command == QsciCommand::WordRightEndExtend);
        break;
    case QsciCommand::DeleteWordLeft:
        deleteBetween(previousWordStart(text, caret), caret);
        break;
    case QsciCommand::DeleteWordRight:
        deleteBetween(caret, nextWordStart(text, caret));
        break;
    case QsciCommand::DeleteWordRightEnd:
        deleteBetween(caret, nextWordEnd(text, caret));
        break;
    default:
        break;
    }
}
