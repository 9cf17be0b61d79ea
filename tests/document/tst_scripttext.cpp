// The texts a script takes outside the editors: the section-marker file,
// the clipboard text, and how files are read back.

#include "document/scripttext.h"
#include "platform/textfile.h"

#include <QTest>

class TestScriptText : public QObject {
    Q_OBJECT

private slots:
    void composeScriptFile_isMarkersAndFragmentsByteForByte()
    {
        const QString text = composeScriptFile(QStringLiteral("h1\r\nh2"), QStringLiteral("b1"));
        QCOMPARE(encodeText(text), QByteArray("<!-- part of the HEAD section -->\r\nh1\r\nh2\r\n"
                                              "<!-- part of the BODY section -->\r\nb1"));
        QCOMPARE(kHeadMarker.size(), 33);
        QCOMPARE(kBodyMarker.size(), 33);
    }

    void saveThenOpen_givesBothFragmentsBackExactly_data()
    {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("body");
        QTest::newRow("plain") << QStringLiteral("var a = 1;") << QStringLiteral("alert(a);");
        QTest::newRow("multi-line") << QStringLiteral("<SCRIPT>\r\nx()\r\n</SCRIPT>") << QStringLiteral("a\r\n\r\nb");
        QTest::newRow("polish") << QStringLiteral("żółć") << QStringLiteral("Źdźbło");
        QTest::newRow("both end in a line break") << QStringLiteral("h\r\n") << QStringLiteral("b\r\n");
        QTest::newRow("both empty") << QString() << QString();
        QTest::newRow("only line breaks") << QStringLiteral("\r\n\r\n") << QStringLiteral("\r\n");
        QTest::newRow("BODY holds both markers")
            << QStringLiteral("h") << QStringLiteral("a\r\n") + kHeadMarker + u"\r\n" + kBodyMarker + u"\r\nb";
    }
    void saveThenOpen_givesBothFragmentsBackExactly()
    {
        QFETCH(QString, head);
        QFETCH(QString, body);
        const QByteArray saved = encodeText(composeScriptFile(head, body));
        const ScriptFragments read = readScriptBytes(saved);
        QCOMPARE(read.head, head);
        QCOMPARE(read.body, body);
        // Ten rounds later the file is still the same bytes.
        QByteArray again = saved;
        for (int round = 0; round < 10; ++round) {
            const ScriptFragments f = readScriptBytes(again);
            again = encodeText(composeScriptFile(f.head, f.body));
        }
        QCOMPARE(again, saved);
    }

    void noMarkers_isAllBody()
    {
        const ScriptFragments read = readScriptBytes("<P>hello</P>\r\n<B>x</B>");
        QCOMPARE(read.head, QString());
        QCOMPARE(read.body, QStringLiteral("<P>hello</P>\r\n<B>x</B>"));
    }

    void lineBreaks_allBecomeCrLf_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("body");
        QTest::newRow("LF only") << QByteArray("a\nb\nc") << QStringLiteral("a\r\nb\r\nc");
        QTest::newRow("CR only") << QByteArray("a\rb\r") << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QStringLiteral("a\r\nb\r\nc\r\nd");
        QTest::newRow("empty lines") << QByteArray("\n\n") << QStringLiteral("\r\n\r\n");
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringLiteral("a\r\n\r\nb");
        QTest::newRow("last line ended by LF") << QByteArray("a\nb\n") << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("empty file") << QByteArray() << QString();
    }
    void lineBreaks_allBecomeCrLf()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, body);
        QCOMPARE(readScriptBytes(bytes).body, body);
    }

    void nul_endsTheText()
    {
        const QByteArray bytes("first\r\nsec\0ond\r\nthird", 22);
        QCOMPARE(readScriptBytes(bytes).body, QStringLiteral("first\r\nsec"));
        QCOMPARE(readScriptBytes(QByteArray("line\r\n\0rest", 11)).body, QStringLiteral("line\r\n"));
        QCOMPARE(readScriptBytes(QByteArray("\0abc", 4)).body, QString());
    }

    void windows1250File_opensWithPolishLetters()
    {
        // "Zażółć gęślą jaźń" in Windows-1250.
        const QByteArray bytes("Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1");
        QCOMPARE(readScriptBytes(bytes).body, QStringLiteral("Zażółć gęślą jaźń"));
        // The same text as UTF-8 stays UTF-8.
        QCOMPARE(readScriptBytes(QStringLiteral("Zażółć gęślą jaźń").toUtf8()).body,
                 QStringLiteral("Zażółć gęślą jaźń"));
    }

    void markers_split_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("body");
        const QString H = kHeadMarker, B = kBodyMarker;
        QTest::newRow("body marker only") << B + "\r\nb\r\n" << QString() << QStringLiteral("b\r\n");
        QTest::newRow("head marker only: rest is HEAD") << H + "\r\nh\r\nmore\r\n" << QStringLiteral("h\r\nmore\r\n") << QString();
        QTest::newRow("body before head: HEAD empty") << B + "\r\nb\r\n" + H + "\r\nh\r\n" << QString()
                                                      << QStringLiteral("b\r\n") + H + "\r\nh\r\n";
        QTest::newRow("text before the markers is dropped") << "junk\r\n" + H + "\r\nh\r\n" + B + "\r\nb\r\n"
                                                            << QStringLiteral("h") << QStringLiteral("b\r\n");
        QTest::newRow("first occurrence counts") << H + "\r\nh\r\n" + B + "\r\nb\r\n" + B + "\r\nc\r\n"
                                                 << QStringLiteral("h") << QStringLiteral("b\r\n") + B + "\r\nc\r\n";
        QTest::newRow("no line break before the BODY marker")
            << H + "\r\nh" + B + "\r\nb" << QStringLiteral("h") << QStringLiteral("b");
        QTest::newRow("markers back to back") << H + B + "\r\nb\r\n" << QString() << QStringLiteral("b\r\n");
        QTest::newRow("body marker at the very end") << H + "\r\nh\r\n" + B << QStringLiteral("h") << QString();
        QTest::newRow("markers are case-sensitive") << kHeadMarker.toUpper() + "\r\nx\r\n" << QString()
                                                    << kHeadMarker.toUpper() + "\r\nx\r\n";
    }
    void markers_split()
    {
        QFETCH(QString, text);
        QFETCH(QString, head);
        QFETCH(QString, body);
        const ScriptFragments f = splitScriptText(text);
        QCOMPARE(f.head, head);
        QCOMPARE(f.body, body);
    }

    void clipboardText_ofTwoEmptyEditors()
    {
        QCOMPARE(composeClipboardText(QString(), QString()),
                 QStringLiteral("<!-- This part should be put in the <HEAD> section of your HTML page -->\r\n"
                                "\r\n"
                                "<!-- This part should be put at the caret position of your HTML page -->\r\n"));
    }

    void clipboardText_withFragments()
    {
        QCOMPARE(composeClipboardText(QStringLiteral("H"), QStringLiteral("B")),
                 kClipboardHeadComment + "\r\nH\r\n" + kClipboardBodyComment + "\r\nB");
    }

    void startupAndNewTexts_differInTheirCommentLines()
    {
        QCOMPARE(startupScriptText(), QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!-- \r\n\r\n// -->\r\n</SCRIPT>"));
        QCOMPARE(newScriptText(), QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\n\r\n//-->\r\n</SCRIPT>"));
    }
};

QTEST_APPLESS_MAIN(TestScriptText)
#include "tst_scripttext.moc"
