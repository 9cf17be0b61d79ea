#pragma once
// Finding scripts in the libraries as the user types: a script matches when
// the typed text stands in its name or in its HEAD or BODY text, letter case
// ignored and accents too where a letter decomposes ("é" is "e" with a mark;
// "ł" has no such form, so it matches only "ł" and "Ł").
//
// The user library's texts are searched in a copy kept in memory (ScriptTexts),
// folded once when a script is read or written, so a key costs one pass over
// the folded texts and no file is read.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringMatcher>

#include <vector>

/// A text as the finder compares it: each character decomposed, its marks
/// dropped, its case folded.  The result may be shorter or longer than the
/// text (a mark goes, "ß" folds to "ss").
QString foldForFind(const QString &text);

/// A stretch of a text, in the text's own positions.
struct TextRange {
    qsizetype start = -1;
    qsizetype length = 0;
    bool isNull() const { return start < 0; }
    bool operator==(const TextRange &) const = default;
};

/// What the user typed, folded once.
class FindQuery {
public:
    FindQuery() = default;
    explicit FindQuery(const QString &typed);

    bool isEmpty() const { return m_folded.isEmpty(); }
    QString folded() const { return m_folded; }
    /// Where the query first stands in name; null when it does not.
    TextRange inName(const QString &name) const;
    /// Whether the query stands in a text already folded.
    bool inFolded(const QString &foldedText) const;

private:
    QString m_folded;
    QStringMatcher m_matcher;  // skips ahead by the query's length through long texts
};

/// The text of every user script, as stored and folded, by name (names are
/// told apart without regard to letter case, as the library does).
class ScriptTexts {
public:
    struct Entry {
        QString head;
        QString body;
        QString folded;  // HEAD and BODY folded, a NUL between them
    };

    void put(const QString &name, const QString &head, const QString &body);
    void remove(const QString &name);
    void rename(const QString &from, const QString &to);
    void clear() { m_entries.clear(); }
    /// The entry of a script; nullptr when the copy does not hold it.
    const Entry *find(const QString &name) const;
    qsizetype size() const { return m_entries.size(); }

private:
    QHash<QString, Entry> m_entries;  // by lower-case name
};

/// One script that matches.
struct ScriptMatch {
    qsizetype index = -1;  // its position in the names given
    TextRange inName;      // null when only its text matched
    bool inText = false;   // the query stands in its HEAD or BODY
    bool operator==(const ScriptMatch &) const = default;
};

/// The scripts of names that match query, in the order of names.  texts
/// may be nullptr (names only, as for the built-in library); a name the
/// copy does not hold is matched by its name only.  An empty query matches
/// nothing.
std::vector<ScriptMatch> findScripts(const QStringList &names, const ScriptTexts *texts, const FindQuery &query);
