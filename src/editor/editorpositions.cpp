#include "editor/editorpositions.h"

#include <Qsci/qsciscintillabase.h>

namespace {

using Sci = QsciScintillaBase;

long send(const QsciScintillaBase &e, unsigned int message, unsigned long wParam = 0, long lParam = 0)
{
    return e.SendScintilla(message, wParam, lParam);
}

long lineCharacterStart(const QsciScintillaBase &e, long line)
{
    return send(e, Sci::SCI_INDEXPOSITIONFROMLINE, line, Sci::SC_LINECHARACTERINDEX_UTF32);
}

}  // namespace

// Each line before a position contributes one surplus character: the LF
// of its CR LF.

int characterPosition(const QsciScintillaBase &e, long byte)
{
    const long line = send(e, Sci::SCI_LINEFROMPOSITION, byte);
    const long lineStart = send(e, Sci::SCI_POSITIONFROMLINE, line);
    const long inLine = send(e, Sci::SCI_COUNTCHARACTERS, lineStart, byte);
    return int(lineCharacterStart(e, line) - line + inLine);
}

long bytePosition(const QsciScintillaBase &e, int position)
{
    if (position <= 0)
        return 0;
    // The last line whose first position is not past the wanted one.
    long low = 0;
    long high = send(e, Sci::SCI_GETLINECOUNT) - 1;
    while (low < high) {
        const long middle = (low + high + 1) / 2;
        if (lineCharacterStart(e, middle) - middle <= position)
            low = middle;
        else
            high = middle - 1;
    }
    const long lineStart = send(e, Sci::SCI_POSITIONFROMLINE, low);
    const long lineEnd = send(e, Sci::SCI_GETLINEENDPOSITION, low);
    const long offset = position - (lineCharacterStart(e, low) - low);
    const long lineChars = send(e, Sci::SCI_COUNTCHARACTERS, lineStart, lineEnd);
    if (offset >= lineChars)
        return lineEnd;
    return send(e, Sci::SCI_POSITIONRELATIVE, lineStart, offset);
}

void byteLineColumn(const QsciScintillaBase &e, long byte, int *line, int *column)
{
    const long l = send(e, Sci::SCI_LINEFROMPOSITION, byte);
    *line = int(l);
    *column = int(send(e, Sci::SCI_COUNTCHARACTERS, send(e, Sci::SCI_POSITIONFROMLINE, l), byte));
}

long byteAtLineColumn(const QsciScintillaBase &e, int line, int column)
{
    const long lineStart = send(e, Sci::SCI_POSITIONFROMLINE, line);
    const long lineEnd = send(e, Sci::SCI_GETLINEENDPOSITION, line);
    if (column <= 0)
        return lineStart;
    const long byte = send(e, Sci::SCI_POSITIONRELATIVE, lineStart, column);
    // Past the line's last character (or the text's end) the caret stays
    // before the line break.
    return byte == 0 || byte > lineEnd ? lineEnd : byte;
}
