#pragma once
// The help set as its files give it: the numbered topics, the contents
// tree, the static pages and the keyword index, read from a folder of
// the help (":/help/", built into the program).
//
// topics.txt holds one topic a line ("320 shortcuts.html"); contents.txt
// the contents tree ("Title|page.html", two spaces of indent a level);
// keywords.txt the index keywords of pages the program generates
// ("page.html: keyword; keyword").  In all three a blank line or one
// starting with '#' is skipped.  Static pages give their keywords in
// <meta name="keywords" content="a; b">.  A file that is missing reads
// as empty.

#include <QHash>
#include <QList>
#include <QMultiMap>
#include <QString>
#include <QStringList>

/// One line of the contents tree.
struct HelpContentsEntry {
    int level = 0;
    QString title;
    QString page;
    friend bool operator==(const HelpContentsEntry &, const HelpContentsEntry &) = default;
};

struct HelpSet {
    QHash<int, QString> topics;
    QList<HelpContentsEntry> contents;
    /// The static pages (*.html), by name.
    QStringList pages;
    /// Every keyword and each page it leads to.
    QMultiMap<QString, QString> keywords;
    /// The keywords as the index lists them: case folded first, then exact.
    QStringList indexWords;
    QString styleSheet;
};

/// The text of a file of the help set ("" when it cannot be read).
QString readHelpFile(const QString &root, const QString &name);

/// The topics of topics.txt; a line that is not a number and a page is skipped.
QHash<int, QString> parseHelpTopics(const QString &text);
/// The entries of contents.txt, in order.
QList<HelpContentsEntry> parseHelpContents(const QString &text);
/// The keywords of a "a; b" list, each simplified, empty ones dropped.
QStringList splitHelpKeywords(const QString &list);
/// The keywords a page's <meta name="keywords"> gives.
QStringList pageKeywords(const QString &html);
/// A keyword of the index and a page it leads to.
struct HelpKeyword {
    QString word;
    QString page;
    friend bool operator==(const HelpKeyword &, const HelpKeyword &) = default;
};
/// The keywords of keywords.txt, in order, each with the page its line names.
QList<HelpKeyword> parseHelpKeywords(const QString &text);
/// The keywords in index order: case folded, then exact.
QStringList sortedHelpKeywords(const QMultiMap<QString, QString> &keywords);

/// Reads the whole help set under root (a folder path ending in '/').
HelpSet loadHelpSet(const QString &root);

/// The title of a page ("" when it has none).
QString helpPageTitle(const QString &html);
/// The pages a keyword leads to, by name, each once.
QStringList helpKeywordPages(const QMultiMap<QString, QString> &keywords, const QString &keyword);

/// What the index shows for a search: the words holding it (all for an
/// empty one) and the row Enter opens, the first word starting with it,
/// else the first shown (-1 when none is).
struct HelpIndexMatch {
    QStringList words;
    int best = -1;
};
HelpIndexMatch matchHelpIndex(const QStringList &indexWords, const QString &search);

/// The page shown for a topic or page the help does not hold.
QString helpNotAvailablePage(const QString &detail);
