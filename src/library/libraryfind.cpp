#include "library/libraryfind.h"

namespace {

/// Appends the folded form of one character: its canonical decomposition
/// without the non-spacing marks, case-folded.  Returns how many code units
/// were appended.
qsizetype appendFolded(char32_t c, QString &out)
{
    if (c < 0x80) {
        out += QChar(c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c);
        return 1;
    }
    const qsizetype before = out.size();
    if (QChar::decompositionTag(c) == QChar::Canonical) {
        // A decomposition starts with its base, which may decompose again
        // (a letter with two accents); the rest are marks or decompose no
        // further in a way that matters here.
        const QList<uint> parts = QChar::decomposition(c).toUcs4();
        for (const uint part : parts)
            appendFolded(part, out);
        return out.size() - before;
    }
    if (QChar::category(c) == QChar::Mark_NonSpacing)
        return 0;
    const char32_t folded = QChar::toCaseFolded(c);
    if (QChar::requiresSurrogates(folded)) {
        out += QChar(QChar::highSurrogate(folded));
        out += QChar(QChar::lowSurrogate(folded));
    } else {
        out += QChar(folded);
    }
    return out.size() - before;
}

/// The next code point of text at i, advancing i past it.
char32_t nextCodePoint(const QString &text, qsizetype &i)
{
    const QChar c = text[i++];
    if (c.isHighSurrogate() && i < text.size() && text[i].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[i++]);
    return c.unicode();
}

bool isAscii(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

}  // namespace

QString foldForFind(const QString &text)
{
    if (isAscii(text))
        return text.toLower();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();)
        appendFolded(nextCodePoint(text, i), out);
    return out;
}

// --- the query -------------------------------------------------------------------------

FindQuery::FindQuery(const QString &typed) : m_folded(foldForFind(typed)), m_matcher(m_folded) {}

TextRange FindQuery::inName(const QString &name) const
{
    if (m_folded.isEmpty())
        return {};
    if (isAscii(name)) {
        const qsizetype at = name.indexOf(m_folded, 0, Qt::CaseInsensitive);
        return at < 0 ? TextRange() : TextRange{at, m_folded.size()};
    }
    // Most names do not match: they are folded into one buffer first, and
    // only a name that matches is folded again with its positions.
    static thread_local QString buffer;
    buffer.resize(0);
    for (qsizetype i = 0; i < name.size();)
        appendFolded(nextCodePoint(name, i), buffer);
    if (!buffer.contains(m_folded))
        return {};
    // Each code unit of the folded name remembers the character it came
    // from, so the match can be told in the name's own positions.
    QString folded;
    std::vector<qsizetype> from;
    std::vector<qsizetype> to;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype start = i;
        const qsizetype added = appendFolded(nextCodePoint(name, i), folded);
        for (qsizetype k = 0; k < added; ++k) {
            from.push_back(start);
            to.push_back(i);
        }
    }
    const qsizetype at = folded.indexOf(m_folded);
    if (at < 0)
        return {};
    const qsizetype last = at + m_folded.size() - 1;
    // Marks dropped after the last matched letter belong to it.
    const qsizetype next = last + 1 < folded.size() ? from[std::size_t(last + 1)] : name.size();
    const qsizetype end = std::max(to[std::size_t(last)], next);
    const qsizetype start = from[std::size_t(at)];
    return {start, end - start};
}

bool FindQuery::inFolded(const QString &foldedText) const
{
    return !m_folded.isEmpty() && m_matcher.indexIn(foldedText) >= 0;
}

// --- the texts -----------------------------------------------------------------------------

void ScriptTexts::put(const QString &name, const QString &head, const QString &body)
{
    Entry entry;
    entry.head = head;
    entry.body = body;
    entry.folded = foldForFind(head);
    entry.folded += QChar(0);
    entry.folded += foldForFind(body);
    m_entries.insert(name.toLower(), std::move(entry));
}

void ScriptTexts::remove(const QString &name)
{
    m_entries.remove(name.toLower());
}

void ScriptTexts::rename(const QString &from, const QString &to)
{
    const QString key = from.toLower();
    const QString newKey = to.toLower();
    if (key == newKey)
        return;
    auto it = m_entries.find(key);
    if (it == m_entries.end()) {
        m_entries.remove(newKey);
        return;
    }
    Entry entry = std::move(it.value());
    m_entries.erase(it);
    m_entries.insert(newKey, std::move(entry));
}

const ScriptTexts::Entry *ScriptTexts::find(const QString &name) const
{
    const auto it = m_entries.constFind(name.toLower());
    return it == m_entries.cend() ? nullptr : &it.value();
}

// --- finding -------------------------------------------------------------------------------

std::vector<ScriptMatch> findScripts(const QStringList &names, const ScriptTexts *texts, const FindQuery &query)
{
    std::vector<ScriptMatch> matches;
    if (query.isEmpty())
        return matches;
    for (qsizetype i = 0; i < names.size(); ++i) {
        ScriptMatch match;
        match.index = i;
        match.inName = query.inName(names[i]);
        if (texts)
            if (const ScriptTexts::Entry *entry = texts->find(names[i]))
                match.inText = query.inFolded(entry->folded);
        if (!match.inName.isNull() || match.inText)
            matches.push_back(match);
    }
    return matches;
}
