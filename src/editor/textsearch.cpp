#include "editor/textsearch.h"

#include "editor/utf8text.h"
#include "editor/wordchars.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstring>
#include <string>

// How the search goes: every character of the needle stands for the
// characters it matches (itself, or every character of the same case
// folding).  Those of them whose UTF-8 is as long as the folding's are the
// usual forms; their bytes give, for each byte of the needle, the set of
// bytes that may stand there, and a Horspool search over those sets finds
// the candidates, each then compared character by character.  A few
// characters fold to a letter of another length (the Kelvin sign to k,
// the long s to s); only when the searched part of the text holds one of
// those does the search fall back to trying every character of the text.

namespace {

// Case mappings reach no further than plane 1.
constexpr char32_t kLastCased = 0x1FFFF;

struct FoldEntry {
    char32_t folded;
    char32_t code;
};

// Every character whose case folding is another character, by folding.
const std::vector<FoldEntry> &foldedFrom()
{
    static const std::vector<FoldEntry> table = [] {
        std::vector<FoldEntry> entries;
        for (char32_t c = 0; c <= kLastCased; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const char32_t folded = QChar::toCaseFolded(c);
            if (folded != c)
                entries.push_back({folded, c});
        }
        std::sort(entries.begin(), entries.end(),
                  [](const FoldEntry &a, const FoldEntry &b) { return a.folded < b.folded; });
        return entries;
    }();
    return table;
}

int utf8Length(char32_t c)
{
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

std::string toUtf8(char32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += char(c);
    } else if (c < 0x800) {
        s += char(0xC0 | (c >> 6));
        s += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += char(0xE0 | (c >> 12));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xF0 | (c >> 18));
        s += char(0x80 | ((c >> 12) & 0x3F));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    }
    return s;
}

unsigned char byteAt(QByteArrayView t, qsizetype i)
{
    return static_cast<unsigned char>(t[i]);
}

// Whether the bytes of form occur anywhere in region: memchr for its last
// byte (a continuation byte, rare in Polish text), then the rest.
bool contains(QByteArrayView region, const std::string &form)
{
    const auto last = static_cast<unsigned char>(form.back());
    const qsizetype before = qsizetype(form.size()) - 1;
    const char *data = region.data();
    qsizetype at = before;
    while (at < region.size()) {
        const void *hit = std::memchr(data + at, last, size_t(region.size() - at));
        if (!hit)
            return false;
        const qsizetype i = static_cast<const char *>(hit) - data;
        if (std::memcmp(data + i - before, form.data(), size_t(before)) == 0)
            return true;
        at = i + 1;
    }
    return false;
}

class Matcher {
public:
    Matcher(QStringView needle, bool matchCase) : m_matchCase(matchCase)
    {
        for (qsizetype n = 0; n < needle.size(); ++n) {
            char32_t c = needle[n].unicode();
            if (QChar::isHighSurrogate(c) && n + 1 < needle.size() && needle[n + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(needle[n], needle[n + 1]);
                ++n;
            } else if (QChar::isSurrogate(c)) {
                c = 0xFFFD;
            }
            const char32_t key = matchCase ? c : QChar::toCaseFolded(c);
            m_keys.push_back(key);
            // The forms of the usual length set the byte sets; the others
            // are looked for in the text.
            const int length = utf8Length(key);
            const auto addForm = [&](char32_t form) {
                const std::string bytes = toUtf8(form);
                if (int(bytes.size()) != length) {
                    if (std::find(m_oddForms.begin(), m_oddForms.end(), bytes) == m_oddForms.end())
                        m_oddForms.push_back(bytes);
                    return;
                }
                for (int i = 0; i < length; ++i)
                    m_sets[m_sets.size() - size_t(length) + size_t(i)].set(
                        static_cast<unsigned char>(bytes[size_t(i)]));
            };
            m_sets.resize(m_sets.size() + size_t(length));
            addForm(key);
            if (!matchCase) {
                const std::vector<FoldEntry> &table = foldedFrom();
                auto entry = std::lower_bound(table.begin(), table.end(), key,
                                              [](const FoldEntry &e, char32_t k) { return e.folded < k; });
                for (; entry != table.end() && entry->folded == key; ++entry)
                    addForm(entry->code);
            }
        }
        const qsizetype m = length();
        m_shiftForward.fill(m);
        m_shiftBack.fill(m);
        for (qsizetype i = 0; i + 1 < m; ++i)
            for (int b = 0; b < 256; ++b)
                if (m_sets[size_t(i)].test(size_t(b)))
                    m_shiftForward[size_t(b)] = m - 1 - i;
        for (qsizetype i = m - 1; i >= 1; --i)
            for (int b = 0; b < 256; ++b)
                if (m_sets[size_t(i)].test(size_t(b)))
                    m_shiftBack[size_t(b)] = i;
    }

    bool empty() const { return m_keys.empty(); }

    // Bytes of an occurrence in the usual forms.
    qsizetype length() const { return qsizetype(m_sets.size()); }

    // Whether region holds a character that folds to one of the needle's
    // but is not as long in UTF-8.
    bool oddFormsIn(QByteArrayView region) const
    {
        return std::any_of(m_oddForms.begin(), m_oddForms.end(),
                           [&](const std::string &form) { return contains(region, form); });
    }

    // The end of the occurrence starting at pos, or -1.
    qsizetype matchEnd(QByteArrayView t, qsizetype pos) const
    {
        for (const char32_t key : m_keys) {
            const Utf8Char c = utf8CharAt(t, pos);
            if (c.bytes == 0 || (m_matchCase ? c.code : QChar::toCaseFolded(c.code)) != key)
                return -1;
            pos += c.bytes;
        }
        return pos;
    }

    // Whether the bytes at pos lie in the byte sets, the one at skip
    // excepted (already checked).
    bool inSets(QByteArrayView t, qsizetype pos, qsizetype skip) const
    {
        for (qsizetype i = 0; i < length(); ++i)
            if (i != skip && !m_sets[size_t(i)].test(byteAt(t, pos + i)))
                return false;
        return true;
    }

    // The first occurrence starting at or after at, the usual forms only.
    TextOccurrence nextUsual(QByteArrayView t, qsizetype at) const
    {
        const qsizetype m = length();
        const std::bitset<256> &lastSet = m_sets.back();
        for (qsizetype pos = at; pos + m <= t.size();) {
            const unsigned char b = byteAt(t, pos + m - 1);
            if (lastSet.test(b) && inSets(t, pos, m - 1))
                if (const qsizetype end = matchEnd(t, pos); end >= 0)
                    return {pos, end};
            pos += m_shiftForward[b];
        }
        return {};
    }

    // The last occurrence starting before startBound and ending at or before
    // endLimit, the usual forms only.
    TextOccurrence previousUsual(QByteArrayView t, qsizetype startBound, qsizetype endLimit) const
    {
        const qsizetype m = length();
        const std::bitset<256> &firstSet = m_sets.front();
        for (qsizetype pos = std::min(startBound - 1, endLimit - m); pos >= 0;) {
            const unsigned char b = byteAt(t, pos);
            if (firstSet.test(b) && inSets(t, pos, 0))
                if (const qsizetype end = matchEnd(t, pos); end >= 0)
                    return {pos, end};
            pos -= m_shiftBack[b];
        }
        return {};
    }

    // The same two, trying every character.
    TextOccurrence nextAny(QByteArrayView t, qsizetype at) const
    {
        for (qsizetype pos = at; pos < t.size(); pos += utf8CharAt(t, pos).bytes)
            if (const qsizetype end = matchEnd(t, pos); end >= 0)
                return {pos, end};
        return {};
    }

    TextOccurrence previousAny(QByteArrayView t, qsizetype startBound, qsizetype endLimit) const
    {
        for (qsizetype pos = std::min(startBound, endLimit); pos > 0;) {
            pos -= utf8CharBefore(t, pos).bytes;
            if (const qsizetype end = matchEnd(t, pos); end >= 0 && end <= endLimit)
                return {pos, end};
        }
        return {};
    }

private:
    bool m_matchCase;
    std::vector<char32_t> m_keys;          // the needle's characters, folded when case is ignored
    std::vector<std::bitset<256>> m_sets;  // per byte of the usual forms, the bytes that may stand there
    std::vector<std::string> m_oddForms;   // matching characters of another length
    std::array<qsizetype, 256> m_shiftForward{};
    std::array<qsizetype, 256> m_shiftBack{};
};

bool inWord(const Utf8Char &c)
{
    return c.bytes > 0 && c.code <= 0xFFFF && fn_CharIsInWord(QChar(static_cast<char16_t>(c.code)));
}

} // namespace

std::vector<TextOccurrence> findOccurrences(QByteArrayView utf8, QStringView needle, const FindOptions &options,
                                            qsizetype from, bool all)
{
    std::vector<TextOccurrence> found;
    const Matcher matcher(needle, options.matchCase);
    if (matcher.empty())
        return found;
    from = std::clamp(from, qsizetype(0), utf8.size());
    const auto accepted = [&](const TextOccurrence &o) {
        return !options.wholeWords || (!inWord(utf8CharBefore(utf8, o.start)) && !inWord(utf8CharAt(utf8, o.end)));
    };

    if (options.forward) {
        const bool everyCharacter = matcher.oddFormsIn(utf8.sliced(from));
        qsizetype at = from;
        while (true) {
            const TextOccurrence o = everyCharacter ? matcher.nextAny(utf8, at) : matcher.nextUsual(utf8, at);
            if (o.start < 0)
                break;
            if (accepted(o)) {
                found.push_back(o);
                if (!all)
                    break;
                at = o.end;
            } else {
                // The next may start inside the rejected one.
                at = o.start + utf8CharAt(utf8, o.start).bytes;
            }
        }
    } else {
        const bool everyCharacter = matcher.oddFormsIn(utf8.first(from));
        qsizetype startBound = from + 1;
        while (true) {
            const TextOccurrence o = everyCharacter ? matcher.previousAny(utf8, startBound, from)
                                                    : matcher.previousUsual(utf8, startBound, from);
            if (o.start < 0)
                break;
            if (accepted(o)) {
                found.push_back(o);
                break;
            }
            startBound = o.start;
        }
    }
    return found;
}
