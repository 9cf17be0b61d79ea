// Where a message of the previewed page points in the script: page lines
// mapped to lines of HEAD and BODY, other sources, library scripts.

#include "preview/consolemessage.h"
#include "preview/previewpage.h"

#include <QTest>

namespace {

const QString kPage = QStringLiteral("file:///tmp/quillon-1000/prev.html");

/// The page line on which needle first stands in the composed page,
/// counted as a browser counts: the check that the mapping agrees with
/// the page actually written.
int pageLineOf(const QString &head, const QString &body, const QString &needle)
{
    const QString page = composePreviewPage(head, body);
    const qsizetype at = page.indexOf(needle);
    return at < 0 ? -1 : countLineBreaks(page.left(at)) + 1;
}

} // namespace

class TestConsoleMessage : public QObject {
    Q_OBJECT
private slots:
    void pageLine_mapsToItsFragment_data()
    {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("fragment");
        QTest::addColumn<int>("line");
        const int head = int(ScriptPlace::Fragment::Head);
        const int body = int(ScriptPlace::Fragment::Body);
        const QString threeLines = QStringLiteral("<SCRIPT>\r\nvar h = 1;\r\n</SCRIPT>\r\n");
        QTest::newRow("HEAD line 2, CR LF") << threeLines << QStringLiteral("x") << QStringLiteral("var h")
                                            << QStringLiteral("HEAD, line 2") << head << 2;
        QTest::newRow("HEAD first line") << threeLines << QString() << QStringLiteral("<SCRIPT>")
                                         << QStringLiteral("HEAD, line 1") << head << 1;
        QTest::newRow("BODY line 3, CR LF")
            << threeLines << QStringLiteral("<P>a</P>\r\n<SCRIPT>\r\nthrow 1;\r\n</SCRIPT>") << QStringLiteral("throw")
            << QStringLiteral("BODY, line 3") << body << 3;
        QTest::newRow("BODY first line after a HEAD ending in a break")
            << threeLines << QStringLiteral("first\r\nsecond") << QStringLiteral("first")
            << QStringLiteral("BODY, line 1") << body << 1;
        QTest::newRow("HEAD without a final break: the shared line is BODY's first")
            << QStringLiteral("<SCRIPT>a()</SCRIPT>\r\n<SCRIPT>b()</SCRIPT>") << QStringLiteral("c()\r\nd()")
            << QStringLiteral("b()") << QStringLiteral("BODY, line 1") << body << 1;
        QTest::newRow("BODY line 2 after a HEAD without a final break")
            << QStringLiteral("h1\r\nh2") << QStringLiteral("c()\r\nd()") << QStringLiteral("d()")
            << QStringLiteral("BODY, line 2") << body << 2;
        QTest::newRow("empty HEAD") << QString() << QStringLiteral("one\r\ntwo\r\nthree") << QStringLiteral("three")
                                    << QStringLiteral("BODY, line 3") << body << 3;
        QTest::newRow("empty BODY: the wrapper's last line") << QStringLiteral("h\r\n") << QString()
                                                             << QStringLiteral("</BODY>") << QStringLiteral("BODY, line 1")
                                                             << body << 1;
        QTest::newRow("empty HEAD and BODY: the one page line")
            << QString() << QString() << QStringLiteral("<HTML>") << QStringLiteral("BODY, line 1") << body << 1;
        QTest::newRow("lone LF and CR count as breaks")
            << QStringLiteral("a\nb\rc\r\n") << QStringLiteral("x\ny") << QStringLiteral("y")
            << QStringLiteral("BODY, line 2") << body << 2;
        QTest::newRow("CR LF is one break, not two") << QStringLiteral("a\r\n\r\nb") << QString()
                                                     << QStringLiteral("b") << QStringLiteral("BODY, line 1") << body << 1;
        QTest::newRow("the wrapper's opening tags stand on HEAD's first line")
            << QStringLiteral("\r\nsecond") << QStringLiteral("b") << QStringLiteral("<HEAD>")
            << QStringLiteral("HEAD, line 1") << head << 1;
    }
    void pageLine_mapsToItsFragment()
    {
        QFETCH(QString, head);
        QFETCH(QString, body);
        QFETCH(QString, needle);
        QFETCH(QString, label);
        QFETCH(int, fragment);
        QFETCH(int, line);
        const int pageLine = pageLineOf(head, body, needle);
        QVERIFY(pageLine > 0);
        const ScriptPlace place = PreviewPageLines(head, body, kPage).placeOf(pageLine, kPage);
        QCOMPARE(place.label, label);
        QCOMPARE(int(place.fragment), fragment);
        QCOMPARE(place.line, line);
        QVERIFY(place.inEditors());
    }

    void otherPlaces_showWhereButLeadNowhere_data()
    {
        QTest::addColumn<QString>("libraryScript");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("label");
        const QString script = QStringLiteral("https://cdn.example.com/lib.js");
        QTest::newRow("an external script") << QString() << 7 << script << script + QStringLiteral(", line 7");
        QTest::newRow("an external script, no line") << QString() << 0 << script << script;
        QTest::newRow("no source at all") << QString() << 3 << QString() << QString();
        QTest::newRow("past the page's last line") << QString() << 9 << kPage << QStringLiteral("preview page, line 9");
        QTest::newRow("no line in the page") << QString() << 0 << kPage << QString();
        QTest::newRow("a library script") << QStringLiteral("Scroll") << 2 << kPage
                                          << QStringLiteral("library script \"Scroll\", HEAD, line 2");
        QTest::newRow("a library script's BODY") << QStringLiteral("Clock") << 3 << kPage
                                                 << QStringLiteral("library script \"Clock\", BODY, line 1");
        QTest::newRow("the page with a fragment in its address")
            << QString() << 1 << kPage + QStringLiteral("#top") << QStringLiteral("HEAD, line 1");
    }
    void otherPlaces_showWhereButLeadNowhere()
    {
        QFETCH(QString, libraryScript);
        QFETCH(int, line);
        QFETCH(QString, source);
        QFETCH(QString, label);
        // HEAD has lines 1 and 2, BODY starts on page line 3.
        const PreviewPageLines lines(QStringLiteral("a\r\nb\r\n"), QStringLiteral("c"), kPage, libraryScript);
        const ScriptPlace place = lines.placeOf(line, source);
        QCOMPARE(place.label, label);
        QCOMPARE(place.inEditors(), label.startsWith(QStringLiteral("HEAD")));
    }

    void beforeAnyPreview_everyPlaceIsItsAddress()
    {
        const ScriptPlace place = PreviewPageLines().placeOf(4, kPage);
        QVERIFY(!place.inEditors());
        QCOMPARE(place.label, kPage + QStringLiteral(", line 4"));
    }

    void locate_keepsLevelAndText()
    {
        const PreviewPageLines lines(QString(), QStringLiteral("a\r\nb"), kPage);
        const ConsoleMessage m = lines.locate({ConsoleLevel::Warning, QStringLiteral("careful"), 2, kPage});
        QCOMPARE(m.level, ConsoleLevel::Warning);
        QCOMPARE(m.text, QStringLiteral("careful"));
        QCOMPARE(m.place.label, QStringLiteral("BODY, line 2"));
    }

    void errorSummary_data()
    {
        QTest::addColumn<int>("errors");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << QString();
        QTest::newRow("one") << 1 << QStringLiteral("1 error in preview");
        QTest::newRow("two") << 2 << QStringLiteral("2 errors in preview");
    }
    void errorSummary()
    {
        QFETCH(int, errors);
        QFETCH(QString, text);
        QCOMPARE(previewErrorSummary(errors), text);
    }
};

QTEST_GUILESS_MAIN(TestConsoleMessage)
#include "tst_consolemessage.moc"
