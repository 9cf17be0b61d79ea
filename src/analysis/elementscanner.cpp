#include "analysis/elementscanner.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// The keywords, each a bit of a line's mask.  Every keyword ends in a
// space, so a line is searched at its spaces only.
using Keyword = unsigned;
constexpr Keyword Function = 1u << 0;
constexpr Keyword For = 1u << 1;
constexpr Keyword If = 1u << 2;
constexpr Keyword While = 1u << 3;
constexpr Keyword With = 1u << 4;
constexpr Keyword Switch = 1u << 5;
constexpr Keyword Sub = 1u << 6;

constexpr Keyword kHeadOrder[] = {Function, For, If, While, With, Switch, Sub};
constexpr Keyword kBodyOrder[] = {Function, For, If, Sub, While, With, Switch};

// Whether the n bytes at `at` spell `lower`, ignoring the case of ASCII
// letters.  `lower` holds lower-case letters only, and a byte equals one of
// them with bit 5 set only when it is that letter in either case.
inline bool spells(const unsigned char *at, const char *lower, int n)
{
    for (int i = 0; i < n; ++i)
        if ((at[i] | 0x20) != static_cast<unsigned char>(lower[i]))
            return false;
    return true;
}

// The keywords that end at the space `space` of a line starting at `start`.
inline unsigned keywordsEndingAt(const unsigned char *start, const unsigned char *space)
{
    const auto fits = [&](int n) { return space - start >= n; };
    if (!fits(2))
        return 0;
    switch (space[-1] | 0x20) {
    case 'n':
        return fits(8) && spells(space - 8, "functio", 7) ? Function : 0u;
    case 'r':
        return fits(3) && spells(space - 3, "fo", 2) ? For : 0u;
    case 'f':
        return (space[-2] | 0x20) == 'i' ? If : 0u;
    case 'e':
        return fits(5) && spells(space - 5, "whil", 4) ? While : 0u;
    case 'h':
        return (fits(4) && spells(space - 4, "wit", 3) ? With : 0u) |
               (fits(6) && spells(space - 6, "switc", 5) ? Switch : 0u);
    case 'b':
        return fits(3) && spells(space - 3, "su", 2) ? Sub : 0u;
    default:
        return 0u;
    }
}

// The keywords anywhere in the line [start, end).
unsigned keywordsIn(const unsigned char *start, const unsigned char *end)
{
    unsigned found = 0;
    const unsigned char *from = start + 2;  // the shortest keyword, "if ", ends at index 2
    while (from < end) {
        const auto *space = static_cast<const unsigned char *>(std::memchr(from, ' ', size_t(end - from)));
        if (!space)
            break;
        found |= keywordsEndingAt(start, space);
        from = space + 1;
    }
    return found;
}

// The element text of the line [start, paren]: spaces and tabs before it
// skipped, tabs inside deleted (it ends in ")", so nothing trails).
QString elementText(const unsigned char *start, const unsigned char *paren)
{
    while (*start == ' ' || *start == '\t')
        ++start;
    const auto *text = reinterpret_cast<const char *>(start);
    const qsizetype length = paren - start + 1;
    if (!std::memchr(text, '\t', size_t(length)))
        return QString::fromUtf8(text, length);
    QVarLengthArray<char, 256> kept;
    for (qsizetype i = 0; i < length; ++i)
        if (text[i] != '\t')
            kept.append(text[i]);
    return QString::fromUtf8(kept.constData(), kept.size());
}

} // namespace

void scanElements(QByteArrayView text, ScriptSection section, std::vector<ScriptElement> &into)
{
    const auto &order = section == ScriptSection::Head ? kHeadOrder : kBodyOrder;
    const auto *at = reinterpret_cast<const unsigned char *>(text.data());
    const auto *const end = at + text.size();
    int line = 0;
    while (at < end) {
        // The line [at, lineEnd) and where the next one starts.
        const auto *newline = static_cast<const unsigned char *>(std::memchr(at, '\n', size_t(end - at)));
        const unsigned char *lineEnd = newline ? newline : end;
        const unsigned char *next = newline ? newline + 1 : end;
        if (const auto *cr = static_cast<const unsigned char *>(std::memchr(at, '\r', size_t(lineEnd - at)))) {
            // A CR before the LF ends the line with it; a lone one on its own.
            if (cr + 1 != lineEnd) {
                lineEnd = cr;
                next = cr + 1;
            } else {
                lineEnd = cr;
            }
        }
        if (const auto *paren = static_cast<const unsigned char *>(std::memchr(at, ')', size_t(lineEnd - at)))) {
            if (const unsigned found = keywordsIn(at, lineEnd)) {
                const QString element = elementText(at, paren);
                for (const Keyword keyword : order)
                    if (found & keyword)
                        into.push_back({element, section, line});
            }
        }
        at = next;
        ++line;
    }
}

void sortElements(std::vector<ScriptElement> &elements, const QLocale &locale)
{
    // One sort key per element, compared as bytes: far cheaper than letting
    // the collator compare the texts anew at every step.
    QCollator collator(locale);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(elements.size());
    for (size_t i = 0; i < elements.size(); ++i) {
        // The elements of one line share their text, and so their key.
        if (i > 0 && elements[i].text == elements[i - 1].text)
            keys.push_back(keys.back());
        else
            keys.push_back(collator.sortKey(elements[i].text));
    }
    std::vector<size_t> order(elements.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<ScriptElement> sorted;
    sorted.reserve(elements.size());
    for (const size_t i : order)
        sorted.push_back(std::move(elements[i]));
    elements = std::move(sorted);
}

std::vector<ScriptElement> listElements(QByteArrayView head, QByteArrayView body, const QLocale &locale)
{
    std::vector<ScriptElement> elements;
    scanElements(head, ScriptSection::Head, elements);
    scanElements(body, ScriptSection::Body, elements);
    sortElements(elements, locale);
    return elements;
}
