#include "editor/textsearch.h"

#include "editor/wordchars.h"

#include <QString>

#include <algorithm>

namespace {

qsizetype utf8Length(QStringView text)
{
    qsizetype bytes = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes += 1;
        else if (u < 0x800)
            bytes += 2;
        else if (c.isHighSurrogate())
            bytes += 4;  // with its low surrogate, which adds nothing
        else if (!c.isLowSurrogate())
            bytes += 3;
    }
    return bytes;
}

} // namespace

bool needsUnicodeFolding(QStringView needle, bool matchCase)
{
    return !matchCase && std::any_of(needle.begin(), needle.end(), [](QChar c) { return c.unicode() >= 0x80; });
}

std::vector<TextOccurrence> findFolded(QByteArrayView utf8, QStringView needle, const FindOptions &options,
                                       qsizetype from, bool all)
{
    const QString text = QString::fromUtf8(utf8);
    const qsizetype start = QString::fromUtf8(utf8.first(qBound(qsizetype(0), from, utf8.size()))).size();
    const qsizetype n = needle.size();
    const auto inWord = [&text](qsizetype i) { return i >= 0 && i < text.size() && fn_CharIsInWord(text[i]); };
    const auto accepted = [&](qsizetype i) { return !options.wholeWords || (!inWord(i - 1) && !inWord(i + n)); };

    std::vector<qsizetype> found;
    if (options.forward) {
        qsizetype at = start;
        qsizetype i = 0;
        while ((i = text.indexOf(needle, at, Qt::CaseInsensitive)) >= 0) {
            if (accepted(i)) {
                found.push_back(i);
                if (!all)
                    break;
                at = i + n;
            } else {
                at = i + 1;
            }
        }
    } else {
        qsizetype at = start - n;
        while (at >= 0) {
            const qsizetype i = text.lastIndexOf(needle, at, Qt::CaseInsensitive);
            if (i < 0)
                break;
            if (accepted(i)) {
                found.push_back(i);
                break;
            }
            at = i - 1;
        }
    }

    // Back from characters to bytes, measuring only the stretches between
    // occurrences.
    std::vector<TextOccurrence> result;
    result.reserve(found.size());
    qsizetype index = 0;
    qsizetype byte = 0;
    for (const qsizetype i : found) {
        byte += utf8Length(QStringView(text).mid(index, i - index));
        index = i;
        result.push_back({byte, byte + utf8Length(QStringView(text).mid(i, n))});
    }
    return result;
}
