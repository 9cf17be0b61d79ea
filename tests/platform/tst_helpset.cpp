// The help set as its files give it: the topics, the contents, the keyword
// index and the links between the pages of the help built into the program,
// and how malformed lines and missing files read.

#include "platform/helpset.h"
#include "testfiles.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

const QString kRoot = QStringLiteral(":/help/");
// Made by the program each time it is shown, so not a file of the set.
const QString kShortcutsPage = QStringLiteral("shortcuts.html");
// The pages the program makes itself, not stored with the others.
const QStringList kGeneratedPages = {kShortcutsPage, QStringLiteral("oldcode.html")};

QString resourceText(const QString &page)
{
    QFile file(kRoot + page);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool resourceExists(const QString &page)
{
    return QFile::exists(kRoot + page);
}

using Topics = QHash<int, QString>;

}  // namespace

class TestHelpSet : public QObject {
    Q_OBJECT

private slots:
    void pages_everyRelativeLinkResolvesToAnExistingPage()
    {
        const HelpSet set = loadHelpSet(kRoot);
        const auto hasPage = [&set](const QString &page) {
            return set.pages.contains(page) || kGeneratedPages.contains(page);
        };
        const QStringList pages = set.pages;
        QVERIFY(pages.size() >= 8);
        static const QRegularExpression reference(QStringLiteral("(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                                  QRegularExpression::CaseInsensitiveOption);
        int checked = 0;
        for (const QString &page : pages) {
            const QString html = resourceText(page);
            QVERIFY2(!html.isEmpty(), qPrintable(page));
            for (auto it = reference.globalMatch(html); it.hasNext();) {
                const QUrl link(it.next().captured(1));
                const QString where = page + QStringLiteral(": ") + link.toString();
                if (!link.scheme().isEmpty()) {
                    QVERIFY2(link.scheme() == u"http" || link.scheme() == u"https", qPrintable(where));
                    continue;
                }
                const QString target = link.path().isEmpty() ? page : link.path();
                QVERIFY2(hasPage(target), qPrintable(where));
                QVERIFY2(resourceExists(target) || kGeneratedPages.contains(target), qPrintable(where));
                if (link.hasFragment()) {
                    const QString anchors = resourceText(target);
                    QVERIFY2(anchors.contains(QStringLiteral("name=\"%1\"").arg(link.fragment())) ||
                                 anchors.contains(QStringLiteral("id=\"%1\"").arg(link.fragment())),
                             qPrintable(where));
                }
                ++checked;
            }
        }
        QVERIFY(checked > 10);

        // The contents and the topics name pages that exist, and every
        // stored page can be reached from the contents.
        QStringList contents;
        for (const HelpContentsEntry &entry : set.contents)
            contents << entry.page;
        for (const QString &page : std::as_const(contents))
            QVERIFY2(hasPage(page), qPrintable(page));
        for (auto it = set.topics.cbegin(); it != set.topics.cend(); ++it)
            QVERIFY2(hasPage(it.value()), qPrintable(QString::number(it.key())));
        for (const QString &page : pages)
            QVERIFY2(contents.contains(page), qPrintable(page + QStringLiteral(" is not in the contents")));
    }

    void pages_eachHasATitleAndKeywords()
    {
        const HelpSet set = loadHelpSet(kRoot);
        const QMultiMap<QString, QString> &index = set.keywords;
        for (const QString &page : set.pages) {
            const QString html = resourceText(page);
            QVERIFY2(html.contains(QStringLiteral("<title>")) && !html.contains(QStringLiteral("<title></title>")),
                     qPrintable(page));
            QVERIFY2(!helpPageTitle(html).isEmpty(), qPrintable(page));
            QVERIFY2(!index.keys(page).isEmpty(), qPrintable(page + QStringLiteral(" has no keywords")));
        }
        QVERIFY(index.values(QStringLiteral("keyboard shortcuts")).contains(kShortcutsPage));
        QVERIFY(index.values(QStringLiteral("bookmarks")).contains(QStringLiteral("editor.html")));
        QVERIFY(!index.contains(QString()));
        QCOMPARE(set.indexWords.size(), index.uniqueKeys().size());
    }

    void tables_malformedLinesAreSkipped_data()
    {
        QTest::addColumn<QString>("topicsText");
        QTest::addColumn<Topics>("topics");
        QTest::addColumn<QString>("keywordsText");
        QTest::addColumn<QList<HelpKeyword>>("keywords");

        QTest::newRow("well formed, Windows line ends")
            << QStringLiteral("320 shortcuts.html\r\n  400   libraries.html  \r\n")
            << Topics{{320, QStringLiteral("shortcuts.html")}, {400, QStringLiteral("libraries.html")}}
            << QStringLiteral("a.html: one; two\r\nb.html:three")
            << QList<HelpKeyword>{{QStringLiteral("one"), QStringLiteral("a.html")},
                                  {QStringLiteral("two"), QStringLiteral("a.html")},
                                  {QStringLiteral("three"), QStringLiteral("b.html")}};
        QTest::newRow("comments and blank lines")
            << QStringLiteral("# 1 a.html\n\n   \n2 b.html") << Topics{{2, QStringLiteral("b.html")}}
            << QStringLiteral("  # a.html: hidden\n\nb.html: shown")
            << QList<HelpKeyword>{{QStringLiteral("shown"), QStringLiteral("b.html")}};
        QTest::newRow("missing or extra fields")
            << QStringLiteral("320\nabc page.html\n7 a.html b.html\n8 c.html") << Topics{{8, QStringLiteral("c.html")}}
            << QStringLiteral("no-colon.html\nd.html:\ne.html: ; ;  spaced   word ;")
            << QList<HelpKeyword>{{QStringLiteral("spaced word"), QStringLiteral("e.html")}};
        QTest::newRow("empty file") << QString() << Topics{} << QString() << QList<HelpKeyword>{};
    }
    void tables_malformedLinesAreSkipped()
    {
        QFETCH(QString, topicsText);
        QFETCH(Topics, topics);
        QFETCH(QString, keywordsText);
        QFETCH(QList<HelpKeyword>, keywords);
        QCOMPARE(parseHelpTopics(topicsText), topics);
        QCOMPARE(parseHelpKeywords(keywordsText), keywords);
    }

    void loadHelpSet_missingFilesReadAsEmpty_data()
    {
        QTest::addColumn<bool>("withPage");
        QTest::addColumn<bool>("withTables");
        QTest::newRow("no folder at all") << false << false;
        QTest::newRow("a page, no tables") << true << false;
        QTest::newRow("tables, no page") << false << true;
    }
    void loadHelpSet_missingFilesReadAsEmpty()
    {
        QFETCH(bool, withPage);
        QFETCH(bool, withTables);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString root = dir.filePath(QStringLiteral("help/"));
        if (withPage)
            QVERIFY(writeFile(root + QStringLiteral("a.html"),
                              "<html><head><meta name=\"keywords\" content=\"alpha; Beta\">"
                              "<title> A  page </title></head></html>"));
        if (withTables) {
            QVERIFY(writeFile(root + QStringLiteral("topics.txt"), "5 a.html\n"));
            QVERIFY(writeFile(root + QStringLiteral("contents.txt"), "Top|a.html\n  Inner\n"));
            QVERIFY(writeFile(root + QStringLiteral("keywords.txt"), "gen.html: alpha\n"));
        }

        const HelpSet set = loadHelpSet(root);
        QVERIFY(set.styleSheet.isEmpty());
        QCOMPARE(set.pages, withPage ? QStringList{QStringLiteral("a.html")} : QStringList());
        const Topics topics{{5, QStringLiteral("a.html")}};
        QCOMPARE(set.topics, withTables ? topics : Topics());
        const QList<HelpContentsEntry> contents{{0, QStringLiteral("Top"), QStringLiteral("a.html")},
                                                {1, QStringLiteral("Inner"), QString()}};
        QCOMPARE(set.contents, withTables ? contents : QList<HelpContentsEntry>());
        QStringList alpha;
        if (withPage)
            alpha << QStringLiteral("a.html");
        if (withTables)
            alpha << QStringLiteral("gen.html");
        QCOMPARE(helpKeywordPages(set.keywords, QStringLiteral("alpha")), alpha);
        // The index folds case: "alpha" before "Beta".
        const QStringList words = withPage     ? QStringList{QStringLiteral("alpha"), QStringLiteral("Beta")}
                                  : withTables ? QStringList{QStringLiteral("alpha")}
                                               : QStringList();
        QCOMPARE(set.indexWords, words);
        if (withPage)
            QCOMPARE(helpPageTitle(readHelpFile(root, QStringLiteral("a.html"))), QStringLiteral("A page"));
    }
};

QTEST_GUILESS_MAIN(TestHelpSet)
#include "tst_helpset.moc"
