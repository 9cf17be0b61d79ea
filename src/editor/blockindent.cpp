#include "editor/blockindent.h"

#include "editor/editorpositions.h"

#include <Qsci/qsciscintilla.h>

#include <vector>

void shiftIndentation(QsciScintilla &e, int delta)
{
    using Sci = QsciScintillaBase;
    const long anchor = e.SendScintilla(Sci::SCI_GETANCHOR);
    const long caret = e.SendScintilla(Sci::SCI_GETCURRENTPOS);
    int anchorLine = 0, anchorColumn = 0, caretLine = 0, caretColumn = 0;
    byteLineColumn(e, anchor, &anchorLine, &anchorColumn);
    byteLineColumn(e, caret, &caretLine, &caretColumn);
    const bool selection = anchor != caret;
    int first = qMin(anchorLine, caretLine);
    int last = qMax(anchorLine, caretLine);
    // A selection ending at the start of a line does not take that line.
    if (selection && last > first && (anchor > caret ? anchorColumn : caretColumn) == 0)
        --last;

    std::vector<int> change(size_t(last - first + 1), 0);
    e.beginUndoAction();
    for (int line = first; line <= last; ++line) {
        const int before = e.indentation(line);
        const int after = qMax(0, before + delta);
        if (after != before)
            e.setIndentation(line, after);
        change[size_t(line - first)] = after - before;
    }
    e.endUndoAction();

    const auto moved = [&](int line, int column) {
        if (line < first || line > last || (selection && column == 0))
            return byteAtLineColumn(e, line, column);
        return byteAtLineColumn(e, line, qMax(0, column + change[size_t(line - first)]));
    };
    const long newCaret = moved(caretLine, caretColumn);
    const long newAnchor = selection ? moved(anchorLine, anchorColumn) : newCaret;
    e.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(newAnchor), newCaret);
}
