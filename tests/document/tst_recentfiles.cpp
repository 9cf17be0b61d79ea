// The list of recent files: newest first, no name twice, at most eight,
// and the File menu's captions for them.
#include "document/recentfiles.h"

#include <QTest>

class TestRecentFiles : public QObject {
    Q_OBJECT

private slots:
    void list_keepsTheNewestFirst_onceEach_atMostEight()
    {
        RecentFiles recent;
        for (int i = 1; i <= 10; ++i)
            recent.add(QStringLiteral("/site/page%1.html").arg(i));
        QCOMPARE(recent.paths().size(), RecentFiles::kMost);
        QCOMPARE(recent.paths().first(), QStringLiteral("/site/page10.html"));
        QCOMPARE(recent.paths().last(), QStringLiteral("/site/page3.html"));

        // Another name of a listed file moves it up rather than listing it twice.
        recent.add(QStringLiteral("/site/./sub/../page5.html"));
        QCOMPARE(recent.paths().first(), QStringLiteral("/site/page5.html"));
        QCOMPARE(recent.paths().count(QStringLiteral("/site/page5.html")), 1);
        QCOMPARE(recent.paths().size(), RecentFiles::kMost);

        QVERIFY(recent.remove(QStringLiteral("/site/page10.html")));
        QVERIFY(!recent.remove(QStringLiteral("/site/page10.html")));
        QCOMPARE(recent.paths().size(), RecentFiles::kMost - 1);
    }

    void stored_isCleanedAsItIsRead()
    {
        // A hand-edited store: an empty entry, a repeat, too many names.
        QStringList stored{QStringLiteral("/a.js"), QString(), QStringLiteral("/b.js"), QStringLiteral("/a.js")};
        for (int i = 0; i < 10; ++i)
            stored << QStringLiteral("/more%1.js").arg(i);
        const RecentFiles recent(stored);
        QCOMPARE(recent.paths().size(), RecentFiles::kMost);
        QCOMPARE(recent.paths().mid(0, 3),
                 QStringList({QStringLiteral("/a.js"), QStringLiteral("/b.js"), QStringLiteral("/more0.js")}));
    }

    void caption_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::newRow("under home") << 0 << QStringLiteral("/home/ann/site/index.html")
                                    << QStringLiteral("&1 index.html \u2014 ~/site");
        QTest::newRow("home itself") << 1 << QStringLiteral("/home/ann/a.js") << QStringLiteral("&2 a.js \u2014 ~");
        QTest::newRow("a look-alike of home")
            << 2 << QStringLiteral("/home/anna/a.js") << QStringLiteral("&3 a.js \u2014 /home/anna");
        QTest::newRow("ampersands") << 3 << QStringLiteral("/tmp/R&D/a&b.js")
                                    << QStringLiteral("&4 a&&b.js \u2014 /tmp/R&&D");
    }
    void caption()
    {
        QFETCH(int, index);
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QCOMPARE(recentFileCaption(index, path, QStringLiteral("/home/ann")), caption);
    }
};

QTEST_APPLESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
