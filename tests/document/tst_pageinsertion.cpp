// A script put into a page: the HEAD fragment before the real </head>, the
// BODY fragment where the user chose, in the page's line breaks; and the
// diff shown before the page is written.
#include "document/pageinsertion.h"
#include "document/unifieddiff.h"

#include <QTest>

class TestPageInsertion : public QObject {
    Q_OBJECT

private slots:
    void head_goesBeforeTheRealHeadEnd_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected");
        const QString f = QStringLiteral("<script>h()</script>");
        QTest::newRow("own line") << "<html>\n<head>\n<title>t</title>\n</head>\n</html>\n"
                                  << "<html>\n<head>\n<title>t</title>\n" + f + "\n</head>\n</html>\n";
        QTest::newRow("indented") << "<head>\n  <meta charset=utf-8>\n  </head>"
                                  << "<head>\n  <meta charset=utf-8>\n" + f + "\n  </head>";
        QTest::newRow("upper case, mid-line")
            << "<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY></BODY></HTML>"
            << "<HTML><HEAD><TITLE>t</TITLE>\r\n" + f + "\r\n</HEAD><BODY></BODY></HTML>";
        QTest::newRow("</head> in a comment") << "<head>\n<!-- </head> -->\n</head>\n"
                                              << "<head>\n<!-- </head> -->\n" + f + "\n</head>\n";
        QTest::newRow("</head> in a script string")
            << "<head>\n<script>var s = \"</head>\";</script>\n</head>\n"
            << "<head>\n<script>var s = \"</head>\";</script>\n" + f + "\n</head>\n";
        QTest::newRow("</head> in a style and a title")
            << "<head>\n<style>/* </head> */</style><title></head></title>\n</head>\n"
            << "<head>\n<style>/* </head> */</style><title></head></title>\n" + f + "\n</head>\n";
        QTest::newRow("an attribute holding >") << "<head>\n<meta content=\"a>b </head>\">\n</head>\n"
                                                << "<head>\n<meta content=\"a>b </head>\">\n" + f + "\n</head>\n";
        QTest::newRow("CR LF page") << "<head>\r\n<title>t</title>\r\n</head>\r\n"
                                    << "<head>\r\n<title>t</title>\r\n" + f + "\r\n</head>\r\n";
        QTest::newRow("head never closed") << "<html><head>\n<title>t</title>\n<body>\n</body>\n"
                                           << "<html><head>\n<title>t</title>\n" + f + "\n<body>\n</body>\n";
        QTest::newRow("no head, after <html>")
            << "<!DOCTYPE html>\n<html lang=en>\n<body>\n</body>\n</html>\n"
            << "<!DOCTYPE html>\n<html lang=en>\n<head>\n" + f + "\n</head>\n<body>\n</body>\n</html>\n";
        QTest::newRow("no head, upper case <HTML>") << "<HTML>\n<BODY>\n</BODY>\n</HTML>\n"
                                                    << "<HTML>\n<HEAD>\n" + f + "\n</HEAD>\n<BODY>\n</BODY>\n</HTML>\n";
        QTest::newRow("no html, after the doctype") << "<!doctype html>\n<p>x</p>\n"
                                                    << "<!doctype html>\n<head>\n" + f + "\n</head>\n<p>x</p>\n";
        QTest::newRow("nothing but text") << "hello\n"
                                          << "<head>\n" + f + "\n</head>\nhello\n";
    }
    void head_goesBeforeTheRealHeadEnd()
    {
        QFETCH(QString, page);
        QFETCH(QString, expected);
        const PageInsertResult result = insertIntoPage(page, {QStringLiteral("<script>h()</script>"), {}, {}});
        QVERIFY(result.ok);
        QCOMPARE(result.text, expected);
    }

    void body_goesWhereChosen_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("expected");
        const QString f = QStringLiteral("<b>B</b>");
        const QString page = QStringLiteral("<body>\n<div id=\"a\"><div>x</div></div>\n<p>y</p>\n</body>\n");
        QTest::newRow("before </body>") << page << int(BodyPlace::BeforeBodyEnd) << QString() << 0
                                        << "<body>\n<div id=\"a\"><div>x</div></div>\n<p>y</p>\n" + f + "\n</body>\n";
        QTest::newRow("after a nested element")
            << page << int(BodyPlace::AfterElement) << "a" << 0
            << "<body>\n<div id=\"a\"><div>x</div></div>\n" + f + "\n<p>y</p>\n</body>\n";
        QTest::newRow("after a void element") << "<p><img id=pic src=a.png>text</p>" << int(BodyPlace::AfterElement)
                                              << "pic" << 0 << "<p><img id=pic src=a.png>\r\n" + f + "text</p>";
        QTest::newRow("at an offset") << "<p>ab</p>" << int(BodyPlace::AtOffset) << QString() << 4
                                      << "<p>a" + f + "b</p>";
        QTest::newRow("no </body>: before </html>") << "<html>\n<p>x</p>\n</html>" << int(BodyPlace::BeforeBodyEnd)
                                                    << QString() << 0 << "<html>\n<p>x</p>\n" + f + "\n</html>";
        QTest::newRow("no </body>: at the end")
            << "<p>x</p>" << int(BodyPlace::BeforeBodyEnd) << QString() << 0 << "<p>x</p>\r\n" + f;
        QTest::newRow("</body> in a script")
            << "<body><script>w('</body>')</script></body>" << int(BodyPlace::BeforeBodyEnd) << QString() << 0
            << "<body><script>w('</body>')</script>\r\n" + f + "\r\n</body>";
    }
    void body_goesWhereChosen()
    {
        QFETCH(QString, page);
        QFETCH(int, kind);
        QFETCH(QString, id);
        QFETCH(int, offset);
        QFETCH(QString, expected);
        const PageInsertResult result =
            insertIntoPage(page, {{}, QStringLiteral("<b>B</b>"), {BodyPlace::Kind(kind), id, offset}});
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.text, expected);
    }

    // Both fragments: each at its place, in the page's line breaks, and
    // the additions say where they went in the old page.
    void both_takeThePagesLineBreaks_data()
    {
        QTest::addColumn<QString>("lineBreak");
        QTest::newRow("LF") << "\n";
        QTest::newRow("CR LF") << "\r\n";
        QTest::newRow("CR") << "\r";
    }
    void both_takeThePagesLineBreaks()
    {
        QFETCH(QString, lineBreak);
        const auto lines = [&lineBreak](QStringList list) { return list.join(lineBreak); };
        const QString page = lines({"<head>", "</head>", "<body>", "</body>", ""});
        const PageInsertResult result =
            insertIntoPage(page, {QStringLiteral("h1\r\nh2"), QStringLiteral("b1\nb2\r\n"), {}});
        QVERIFY(result.ok);
        QCOMPARE(result.text, lines({"<head>", "h1", "h2", "</head>", "<body>", "b1", "b2", "</body>", ""}));
        QCOMPARE(result.added.size(), 2);
        QCOMPARE(result.added[0].at, page.indexOf("</head>"));
        QCOMPARE(result.added[1].at, page.indexOf("</body>"));
        QCOMPARE(pageLineBreak(page), lineBreak);
    }

    void emptyFragments_insertNothing()
    {
        const QString page = QStringLiteral("<p>nothing to see</p>");
        const PageInsertResult result = insertIntoPage(page, {{}, {}, {BodyPlace::AfterElement, "gone", 0}});
        QVERIFY(result.ok);
        QCOMPARE(result.text, page);
        QVERIFY(result.added.isEmpty());
    }

    void badPlaces_areRefused_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no such id") << int(BodyPlace::AfterElement) << "nav" << 0 << "no element with the id \"nav\"";
        QTest::newRow("id only in a comment") << int(BodyPlace::AfterElement) << "old" << 0 << "no element";
        QTest::newRow("inside a tag") << int(BodyPlace::AtOffset) << QString() << 3 << "inside a tag";
        QTest::newRow("past the end") << int(BodyPlace::AtOffset) << QString() << 999 << "outside the page";
    }
    void badPlaces_areRefused()
    {
        QFETCH(int, kind);
        QFETCH(QString, id);
        QFETCH(int, offset);
        QFETCH(QString, reason);
        const QString page = QStringLiteral("<p id=\"x\">a</p><!-- <div id=old></div> -->");
        const PageInsertResult result = insertIntoPage(page, {"h", "b", {BodyPlace::Kind(kind), id, offset}});
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
        QVERIFY(result.added.isEmpty());
    }

    void elementsWithId_listsTagIdAndEnd()
    {
        const QString page = QStringLiteral("<DIV ID='outer'><div>in</div><span id='s'/></DIV>\n"
                                            "<!-- <p id=c></p> --><script>x='<b id=q>'</script>"
                                            "<ul id=\"list\"><li id=one>1<li>2</ul><br id=br>");
        const QList<PageElement> found = elementsWithId(page);
        QCOMPARE(found.size(), 5);
        QCOMPARE(found[0], (PageElement{"div", "outer", 0, page.indexOf('\n')}));
        QCOMPARE(found[1].id, QStringLiteral("s"));  // self-closing: after its start tag
        QCOMPARE(found[1].after, page.indexOf("</DIV>"));
        QCOMPARE(found[2].tag, QStringLiteral("ul"));
        QCOMPARE(found[2].after, page.indexOf("<br"));
        // An element whose end tag is left out ends with its start tag.
        QCOMPARE(found[3].id, QStringLiteral("one"));
        QCOMPARE(found[3].after, page.indexOf(">1") + 1);
        QCOMPARE(found[4].after, page.size());
    }

    void diff_showsHunksWithContext()
    {
        QStringList lines;
        for (int i = 1; i <= 18; ++i)
            lines << QString::number(i);
        const QString before = lines.join(u'\n') + u'\n';
        lines.insert(2, QStringLiteral("new"));
        lines[16] = QStringLiteral("sixteen");
        const QString after = lines.join(u'\n') + u'\n';
        const QString diff = unifiedDiff(before, after, {"a.html", "a.html (new)", 3});
        QCOMPARE(diff, QStringLiteral("--- a.html\n+++ a.html (new)\n"
                                      "@@ -1,5 +1,6 @@\n 1\n 2\n+new\n 3\n 4\n 5\n"
                                      "@@ -13,6 +14,6 @@\n 13\n 14\n 15\n-16\n+sixteen\n 17\n 18\n"));
    }

    void diff_mergesNearChangesAndNamesEmptyRanges_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("hunks");
        QTest::newRow("same lines, other breaks") << "a\r\nb\r\n"
                                                  << "a\nb" << 3 << "";
        QTest::newRow("into an empty text") << ""
                                            << "x\ny\n"
                                            << 3 << "@@ -0,0 +1,2 @@\n+x\n+y\n";
        QTest::newRow("all removed") << "x\n"
                                     << "" << 3 << "@@ -1 +0,0 @@\n-x\n";
        QTest::newRow("two changes one hunk") << "a\nb\nc\nd\n"
                                              << "A\nb\nc\nD\n"
                                              << 1 << "@@ -1,4 +1,4 @@\n-a\n+A\n b\n c\n-d\n+D\n";
        QTest::newRow("no context") << "a\nb\nc\n"
                                    << "a\nB\nc\n"
                                    << 0 << "@@ -2 +2 @@\n-b\n+B\n";
    }
    void diff_mergesNearChangesAndNamesEmptyRanges()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, context);
        QFETCH(QString, hunks);
        const QString diff = unifiedDiff(before, after, {"o", "n", context});
        QCOMPARE(diff, hunks.isEmpty() ? QString() : QStringLiteral("--- o\n+++ n\n") + hunks);
    }

    // An insertion into a long page is found as the lines it adds, not as
    // the page replaced.
    void diff_ofALongPage_isTheAddedLines()
    {
        QString page;
        for (int i = 0; i < 20000; ++i)
            page += QStringLiteral("<p>line %1</p>\n").arg(i % 7);
        const QString changed = insertIntoPage("<head></head>\n" + page + "</body>", {"h", "b", {}}).text;
        const QString diff = unifiedDiff("<head></head>\n" + page + "</body>", changed, {"o", "n", 0});
        QCOMPARE(diff.count(u'\n'), 2 + 5 + 2);  // the names; one line made three; one line added
        QVERIFY(diff.contains("+h\n"));
        QVERIFY(diff.contains("+b\n"));
    }
};

QTEST_GUILESS_MAIN(TestPageInsertion)
#include "tst_pageinsertion.moc"
