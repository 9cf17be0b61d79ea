#include "analysis/elementscanner.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
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

namespace {

// The collator's order of printable ASCII text, read off the collator
// itself: each character's rank among the others (letters that differ by
// case only share one) and its rank by case.  Without contractions, two
// such texts compare as their ranks do, first by rank and then by case,
// which takes a few table lookups instead of the collator's work.
struct AsciiOrder {
    std::array<quint8, 128> rank{};
    std::array<quint8, 128> caseRank{};

    static bool covers(QStringView text)
    {
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
    }

    /// Appends text's key: the ranks, a 0, the case ranks.  Keys compare
    /// as bytes the way the texts compare (a text that is the start of
    /// another comes first, as its 0 comes before any rank).
    void appendKey(QStringView text, QByteArray &keys) const
    {
        for (const QChar c : text)
            keys.append(char(rank[c.unicode()]));
        keys.append('\0');
        for (const QChar c : text)
            keys.append(char(caseRank[c.unicode()]));
    }
};

AsciiOrder asciiOrderOf(const QCollator &collator)
{
    QCollator caseless = collator;
    caseless.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QString> characters;
    for (char16_t c = 0x20; c < 0x7f; ++c)
        characters.push_back(QString(QChar(c)));
    std::stable_sort(characters.begin(), characters.end(),
                     [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    AsciiOrder order;
    quint8 rank = 0, caseRank = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (i == 0 || caseless.compare(characters[i - 1], characters[i]) != 0) {
            ++rank;
            caseRank = 0;
        }
        const char16_t c = characters[i].front().unicode();
        order.rank[c] = rank;
        order.caseRank[c] = ++caseRank;
    }
    return order;
}

// The exact order: one sort key per element, compared as bytes.
std::vector<size_t> orderBySortKeys(const std::vector<ScriptElement> &elements, const QCollator &collator)
{
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
    return order;
}

// Puts the elements in the order given by their indexes.
void sortBy(const std::vector<size_t> &order, std::vector<ScriptElement> &elements)
{
    std::vector<ScriptElement> sorted;
    sorted.reserve(elements.size());
    for (const size_t i : order)
        sorted.push_back(std::move(elements[i]));
    elements = std::move(sorted);
}

} // namespace

void sortElements(std::vector<ScriptElement> &elements, const QLocale &locale)
{
    // The collator is slow on tens of thousands of texts, and element texts
    // are mostly plain ASCII.  When all are, they are compared by keys made
    // from the order read off the collator (their first bytes held beside
    // each entry, so that most comparisons stay in the array being sorted).
    // The result is checked with the collator, pair by neighbouring pair;
    // where the shortcut got one wrong (a language whose letters pair up,
    // as Czech "ch") or some text is not plain ASCII, the list is sorted by
    // the collator's own sort keys.
    const QCollator collator(locale);
    const AsciiOrder ascii = asciiOrderOf(collator);
    struct Entry {
        quint64 head = 0;  // the key's first 8 bytes, big-endian
        qsizetype offset = 0;  // of the key in keys
        qsizetype size = 0;
        size_t index = 0;
    };
    QByteArray keys;
    std::vector<Entry> entries(elements.size());
    for (size_t i = 0; i < elements.size(); ++i) {
        Entry &e = entries[i];
        e.index = i;
        if (i > 0 && elements[i].text == elements[i - 1].text) {
            e = entries[i - 1];  // the elements of one line share their text
            e.index = i;
            continue;
        }
        if (!AsciiOrder::covers(elements[i].text)) {
            sortBy(orderBySortKeys(elements, collator), elements);
            return;
        }
        e.offset = keys.size();
        ascii.appendKey(elements[i].text, keys);
        e.size = keys.size() - e.offset;
    }
    for (Entry &e : entries) {
        for (qsizetype k = 0; k < 8; ++k)
            e.head = (e.head << 8) | (k < e.size ? quint8(keys.at(e.offset + k)) : 0u);
    }
    const char *const keyBytes = keys.constData();
    std::sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        if (a.head != b.head)
            return a.head < b.head;
        const qsizetype common = std::min(a.size, b.size);
        if (common > 8)
            if (const int d = std::memcmp(keyBytes + a.offset + 8, keyBytes + b.offset + 8, size_t(common - 8)))
                return d < 0;
        return a.size < b.size;
    });
    std::vector<size_t> order(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        order[i] = entries[i].index;
    for (size_t i = 1; i < order.size(); ++i) {
        if (collator.compare(elements[order[i - 1]].text, elements[order[i]].text) > 0) {
            order = orderBySortKeys(elements, collator);
            break;
        }
    }
    sortBy(order, elements);
}

std::vector<ScriptElement> listElements(QByteArrayView head, QByteArrayView body, const QLocale &locale)
{
    std::vector<ScriptElement> elements;
    scanElements(head, ScriptSection::Head, elements);
    scanElements(body, ScriptSection::Body, elements);
    sortElements(elements, locale);
    return elements;
}
