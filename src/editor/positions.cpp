#include "editor/positions.h"

int positionLength(QStringView text)
{
    int count = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;  // CR LF is one line break
        else if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate())
            ++i;  // one character in two UTF-16 units
        ++count;
    }
    return count;
}
