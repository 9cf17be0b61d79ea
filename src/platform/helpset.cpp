#include "platform/helpset.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace {

/// The lines of a help file that say something: blank ones and comments go.
QStringList meaningfulLines(const QString &text)
{
    QStringList kept;
    const QStringList all = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &line : all)
        if (!line.trimmed().isEmpty() && !line.trimmed().startsWith(u'#'))
            kept << line;
    return kept;
}

}  // namespace

QString readHelpFile(const QString &root, const QString &name)
{
    QFile file(root + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QHash<int, QString> parseHelpTopics(const QString &text)
{
    QHash<int, QString> topics;
    for (const QString &line : meaningfulLines(text)) {
        const QStringList fields = line.simplified().split(u' ');
        bool ok = false;
        const int number = fields.value(0).toInt(&ok);
        if (ok && fields.size() == 2)
            topics.insert(number, fields.at(1));
    }
    return topics;
}

QList<HelpContentsEntry> parseHelpContents(const QString &text)
{
    QList<HelpContentsEntry> contents;
    for (const QString &line : meaningfulLines(text)) {
        qsizetype spaces = 0;
        while (spaces < line.size() && line[spaces] == u' ')
            ++spaces;
        const QString entry = line.trimmed();
        contents.append({int(spaces / 2), entry.section(u'|', 0, 0).trimmed(), entry.section(u'|', 1).trimmed()});
    }
    return contents;
}

QStringList splitHelpKeywords(const QString &list)
{
    QStringList words;
    const QStringList parts = list.split(u';', Qt::SkipEmptyParts);
    for (const QString &part : parts)
        if (const QString word = part.simplified(); !word.isEmpty())
            words << word;
    return words;
}

QStringList pageKeywords(const QString &html)
{
    static const QRegularExpression meta(QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(html);
    return match.hasMatch() ? splitHelpKeywords(match.captured(1)) : QStringList();
}

QList<HelpKeyword> parseHelpKeywords(const QString &text)
{
    QList<HelpKeyword> keywords;
    for (const QString &line : meaningfulLines(text)) {
        const QString page = line.section(u':', 0, 0).trimmed();
        for (const QString &word : splitHelpKeywords(line.section(u':', 1)))
            keywords.append({word, page});
    }
    return keywords;
}

QStringList sortedHelpKeywords(const QMultiMap<QString, QString> &keywords)
{
    QStringList words = keywords.uniqueKeys();
    std::sort(words.begin(), words.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return words;
}

HelpSet loadHelpSet(const QString &root)
{
    HelpSet set;
    set.styleSheet = readHelpFile(root, QStringLiteral("help.css"));
    set.topics = parseHelpTopics(readHelpFile(root, QStringLiteral("topics.txt")));
    set.contents = parseHelpContents(readHelpFile(root, QStringLiteral("contents.txt")));
    set.pages = QDir(root).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString &page : std::as_const(set.pages))
        for (const QString &word : pageKeywords(readHelpFile(root, page)))
            set.keywords.insert(word, page);
    // Pages the program makes itself carry their keywords in keywords.txt.
    for (const HelpKeyword &keyword : parseHelpKeywords(readHelpFile(root, QStringLiteral("keywords.txt"))))
        set.keywords.insert(keyword.word, keyword.page);
    set.indexWords = sortedHelpKeywords(set.keywords);
    return set;
}

QString helpPageTitle(const QString &html)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = title.match(html);
    return match.hasMatch() ? match.captured(1).simplified() : QString();
}

QStringList helpKeywordPages(const QMultiMap<QString, QString> &keywords, const QString &keyword)
{
    QStringList pages = keywords.values(keyword);
    pages.removeDuplicates();
    std::sort(pages.begin(), pages.end());
    return pages;
}

HelpIndexMatch matchHelpIndex(const QStringList &indexWords, const QString &search)
{
    const QString wanted = search.trimmed();
    HelpIndexMatch match;
    for (const QString &word : indexWords)
        if (wanted.isEmpty() || word.contains(wanted, Qt::CaseInsensitive))
            match.words << word;
    match.best = match.words.isEmpty() ? -1 : 0;
    for (qsizetype i = 0; i < match.words.size(); ++i)
        if (match.words.at(i).startsWith(wanted, Qt::CaseInsensitive)) {
            match.best = int(i);
            break;
        }
    return match;
}

QString helpNotAvailablePage(const QString &detail)
{
    return QStringLiteral("<html><head><title>Topic not available</title></head><body>"
                          "<h1>Topic not available</h1><p>This topic is not available.</p><p>%1</p>"
                          "<p><a href=\"index.html\">Go to the contents</a></p></body></html>")
        .arg(detail.toHtmlEscaped());
}
