#include "editor/wordbounds.h"

#include "editor/utf8text.h"
#include "editor/wordchars.h"

#include <QChar>

#include <algorithm>

namespace {

WordClass classAt(QByteArrayView t, qsizetype pos)
{
    return wordClassOf(utf8CharAt(t, pos).code);
}

WordClass classBefore(QByteArrayView t, qsizetype pos)
{
    return wordClassOf(utf8CharBefore(t, pos).code);
}

// Forward over the characters of class c from pos.
qsizetype skipForward(QByteArrayView t, qsizetype pos, WordClass c)
{
    while (pos < t.size()) {
        const Utf8Char ch = utf8CharAt(t, pos);
        if (wordClassOf(ch.code) != c)
            break;
        pos += ch.bytes;
    }
    return pos;
}

// Back over the characters of class c before pos.
qsizetype skipBack(QByteArrayView t, qsizetype pos, WordClass c)
{
    while (pos > 0) {
        const Utf8Char ch = utf8CharBefore(t, pos);
        if (wordClassOf(ch.code) != c)
            break;
        pos -= ch.bytes;
    }
    return pos;
}

bool atLineEnd(QByteArrayView t, qsizetype pos)
{
    return pos >= t.size() || classAt(t, pos) == WordClass::LineBreak;
}

bool atLineStart(QByteArrayView t, qsizetype pos)
{
    return pos <= 0 || classBefore(t, pos) == WordClass::LineBreak;
}

qsizetype clampTo(QByteArrayView t, qsizetype pos)
{
    return std::clamp(pos, qsizetype(0), t.size());
}

} // namespace

WordClass wordClassOf(char32_t c)
{
    if (c == U'\r' || c == U'\n' || c == 0x2028 || c == 0x2029)
        return WordClass::LineBreak;
    if (c < 0x20 || c == U' ')
        return WordClass::Space;
    if (c <= 0xFFFF && fn_CharIsInWord(QChar(static_cast<char16_t>(c))))
        return WordClass::Word;
    if (c >= 0x80 && QChar::category(c) == QChar::Separator_Space)
        return WordClass::Space;
    return WordClass::Other;
}

qsizetype previousWordStart(QByteArrayView utf8, qsizetype pos)
{
    pos = skipBack(utf8, clampTo(utf8, pos), WordClass::Space);
    if (pos > 0)
        pos = skipBack(utf8, pos, classBefore(utf8, pos));
    return pos;
}

qsizetype nextWordStart(QByteArrayView utf8, qsizetype pos)
{
    pos = clampTo(utf8, pos);
    if (pos < utf8.size())
        pos = skipForward(utf8, pos, classAt(utf8, pos));
    return skipForward(utf8, pos, WordClass::Space);
}

qsizetype previousWordEnd(QByteArrayView utf8, qsizetype pos)
{
    pos = clampTo(utf8, pos);
    if (pos > 0 && classBefore(utf8, pos) != WordClass::Space)
        pos = skipBack(utf8, pos, classBefore(utf8, pos));
    return skipBack(utf8, pos, WordClass::Space);
}

qsizetype nextWordEnd(QByteArrayView utf8, qsizetype pos)
{
    pos = skipForward(utf8, clampTo(utf8, pos), WordClass::Space);
    if (pos < utf8.size())
        pos = skipForward(utf8, pos, classAt(utf8, pos));
    return pos;
}

ByteRange wordAt(QByteArrayView utf8, qsizetype pos)
{
    pos = clampTo(utf8, pos);
    if (!atLineEnd(utf8, pos)) {
        const WordClass c = classAt(utf8, pos);
        return {skipBack(utf8, pos, c), skipForward(utf8, pos, c)};
    }
    if (atLineStart(utf8, pos))
        return {pos, pos};
    return {skipBack(utf8, pos, classBefore(utf8, pos)), pos};
}

WordSelection dragWordSelection(QByteArrayView utf8, ByteRange word, qsizetype pos)
{
    pos = clampTo(utf8, pos);
    if (pos < word.start) {
        // Back to the start of the run holding the character at pos; an
        // empty line or a line's end is not a run.
        const qsizetype start = atLineEnd(utf8, pos) ? pos : wordAt(utf8, pos).start;
        return {word.end, start};
    }
    if (pos > word.end) {
        // On to the end of the run holding the character before pos.
        const qsizetype end = atLineStart(utf8, pos) ? pos : skipForward(utf8, pos, classBefore(utf8, pos));
        return {word.start, end};
    }
    return {word.start, word.end};
}
