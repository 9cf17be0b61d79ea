// A document's file read and written back: the same bytes when nothing
// was edited, the file's own form when something was.
#include "document/documentfile.h"
#include "platform/textfile.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>

namespace {

QByteArray bigPage()
{
    // About 5 MB of a page with inline scripts, LF line breaks.
    QByteArray page = "<!DOCTYPE html>\n<html>\n<head>\n<title>big</title>\n</head>\n<body>\n";
    while (page.size() < qsizetype(5) * 1024 * 1024)
        page += "<p class=\"row\">Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 g\xc4\x99\xc5\x9bl\xc4\x85</p>"
                "<script>document.title += \"x\";</script>\n";
    return page + "</body>\n</html>\n";
}

}  // namespace

class TestDocumentFile : public QObject {
    Q_OBJECT

private slots:
    void openAndSave_withNoEdit_givesTheSameBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray script = encodeText(composeScriptFile(QStringLiteral("var a;"), QStringLiteral("go(a);")));
        QTest::newRow("CR LF") << QByteArray("<p>a</p>\r\n<p>b</p>\r\n");
        QTest::newRow("LF") << QByteArray("<p>a</p>\n<p>b</p>\n");
        QTest::newRow("CR") << QByteArray("<p>a</p>\r<p>b</p>\r");
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd\n");
        QTest::newRow("no final line break") << QByteArray("function f() {\n  return 1;\n}");
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBFvar s = \"\xC5\xBC\";\r\n");
        QTest::newRow("Windows-1250") << QByteArray("var s = \"caf\xe9 \xbf\xf3\xb3\xe6\";\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("script file") << script;
        QTest::newRow("script file with LF") << QByteArray(script).replace("\r\n", "\n");
        QTest::newRow("a NUL byte") << QByteArray("before\n\0after\n", 14);
        QTest::newRow("5 MB page") << bigPage();
    }
    void openAndSave_withNoEdit_givesTheSameBytes()
    {
        QFETCH(QByteArray, bytes);
        const DocumentFile file(bytes);
        const FileBytes saved = file.bytesFor(file.fragments());
        QVERIFY(saved.bytes == bytes);
        QVERIFY(saved.unencodable.isEmpty());
    }

    // Real files: the program's own help pages, templates and word lists,
    // and the real libraries test.sh unpacks (jQuery, lodash).  Unedited,
    // each saves as it came; an edit at the start and one at the end
    // change those bytes alone; a file with one kind of line break comes
    // back the same when written anew in its own form.
    void realFiles_saveAsTheyCame_data()
    {
        QTest::addColumn<QString>("path");
        QStringList roots{QStringLiteral(QUILLON_SOURCE_DIR "/src")};
        const QString corpus = qEnvironmentVariable("QUILLON_CORPUS");
        if (!corpus.isEmpty()) {
            // Run by CTest: the libraries must be there.
            QVERIFY2(QDir(corpus).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() >= 2,
                     qPrintable(QStringLiteral("no libraries in %1: test.sh unpacks them").arg(corpus)));
            roots << corpus;
        }
        int files = 0;
        for (const QString &root : std::as_const(roots)) {
            QDirIterator it(root,
                            {QStringLiteral("*.html"), QStringLiteral("*.htm"), QStringLiteral("*.js"),
                             QStringLiteral("*.css"), QStringLiteral("*.txt"), QStringLiteral("*.md")},
                            QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                QTest::newRow(qPrintable(QDir(root).relativeFilePath(path))) << path;
                ++files;
            }
        }
        QVERIFY(files > 20);
    }
    void realFiles_saveAsTheyCame()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const DocumentFile document(bytes);
        QVERIFY(document.bytesFor(document.fragments()).bytes == bytes);
        if (document.form().markers)
            return;

        const bool bom = document.form().encoding == FileForm::Encoding::Utf8WithBom;
        ScriptFragments edited = document.fragments();
        edited.body.prepend(u'x');
        QByteArray expected = bytes;
        expected.insert(bom ? 3 : 0, 'x');
        QVERIFY(document.bytesFor(edited).bytes == expected);
        edited = document.fragments();
        edited.body.append(u'x');
        QVERIFY(document.bytesFor(edited).bytes == bytes + 'x');

        const qsizetype crlf = bytes.count("\r\n");
        const qsizetype breaks = bytes.count('\n') + bytes.count('\r') - crlf;
        const qsizetype ofTheUsualKind = document.form().lineBreak == FileForm::LineBreak::CrLf ? crlf
                                         : document.form().lineBreak == FileForm::LineBreak::Lf
                                             ? bytes.count('\n') - crlf
                                             : bytes.count('\r') - crlf;
        if (ofTheUsualKind == breaks && !bytes.contains('\0'))
            QVERIFY(composeFileBytes(document.fragments(), document.form()).bytes == bytes);
    }

    // Edited, the text goes back in the file's encoding and line breaks,
    // and reads back as the editors held it.
    void edited_keepsTheFilesForm_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("lineBreak");
        QTest::addColumn<QByteArray>("start");  // what the written file starts with
        QTest::newRow("LF page") << QByteArray("<p>a</p>\n<p>b</p>\n") << QByteArray("\n") << QByteArray("<p>a</p>\n");
        QTest::newRow("CR page") << QByteArray("<p>a</p>\r<p>b</p>") << QByteArray("\r") << QByteArray("<p>a</p>\r");
        QTest::newRow("CR LF page") << QByteArray("x\r\ny") << QByteArray("\r\n") << QByteArray("x\r\n");
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBFz\n") << QByteArray("\n") << QByteArray("\xEF\xBB\xBFz\n");
        QTest::newRow("Windows-1250") << QByteArray("\xbf\xf3\xb3\xe6\n") << QByteArray("\n")
                                      << QByteArray("\xbf\xf3\xb3\xe6\n");
        QTest::newRow("script file with LF")
            << QByteArray(encodeText(composeScriptFile(QStringLiteral("h"), QStringLiteral("b")))).replace("\r\n", "\n")
            << QByteArray("\n") << kHeadMarker.toLatin1() + "\nh\n";
    }
    void edited_keepsTheFilesForm()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, lineBreak);
        QFETCH(QByteArray, start);
        const DocumentFile file(bytes);
        ScriptFragments edited = file.fragments();
        edited.body += QStringLiteral("\r\n\u017c");  // a line more, with a Polish letter
        const FileBytes saved = file.bytesFor(edited);
        QVERIFY2(saved.bytes.startsWith(start), saved.bytes.left(40).toHex().constData());
        QVERIFY(saved.unencodable.isEmpty());
        // Every line break is the file's kind.
        QByteArray others = saved.bytes;
        others.replace(lineBreak, "");
        QVERIFY(!others.contains('\r') && !others.contains('\n'));
        // Read back, the document is what the editors held.
        const DocumentFile again(saved.bytes);
        QCOMPARE(again.fragments(), edited);
        QCOMPARE(again.form(), file.form());
        // Saved, the new bytes are the ones an unedited save gives next.
        DocumentFile kept = file;
        kept.saved(saved.bytes, edited);
        QVERIFY(kept.bytesFor(edited).bytes == saved.bytes);
    }

    // An edit writes only the lines it changed: the others keep their own
    // line breaks, byte for byte; a changed line keeps the break of the
    // line it replaces, an added one takes the file's usual break.
    void edited_keepsTheLinesItDidNotTouch_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("from");  // the editors' text that changes...
        QTest::addColumn<QString>("to");    // ...into this
        QTest::addColumn<QByteArray>("written");
        const QByteArray mixed("a\r\nb\nc\rd\n");
        QTest::newRow("a line changed") << mixed << QStringLiteral("c") << QStringLiteral("C")
                                        << QByteArray("a\r\nb\nC\rd\n");
        QTest::newRow("a line added") << mixed << QStringLiteral("b\r\n") << QStringLiteral("b\r\nnew\r\n")
                                      << QByteArray("a\r\nb\nnew\nc\rd\n");
        QTest::newRow("a line removed") << mixed << QStringLiteral("b\r\n") << QString() << QByteArray("a\r\nc\rd\n");
        QTest::newRow("the first line") << mixed << QStringLiteral("a\r\n") << QStringLiteral("A\r\n")
                                        << QByteArray("A\r\nb\nc\rd\n");
        QTest::newRow("mostly LF, a line appended")
            << QByteArray("a\nb\nc\r\nd") << QStringLiteral("d") << QStringLiteral("d\r\n\u017c")
            << QByteArray("a\nb\nc\r\nd\n\xc5\xbc");
        QTest::newRow("a BOM kept when the first line changes")
            << QByteArray("\xEF\xBB\xBFx\ny\r\n") << QStringLiteral("x") << QStringLiteral("z")
            << QByteArray("\xEF\xBB\xBFz\ny\r\n");
        QTest::newRow("Windows-1250 line changed")
            << QByteArray("caf\xe9\r\n\xbf\n") << QStringLiteral("\u017c") << QStringLiteral("\u017c\u0142")
            << QByteArray("caf\xe9\r\n\xbf\xb3\n");
        QTest::newRow("everything replaced")
            << QByteArray("a\rb\r") << QStringLiteral("a\r\nb\r\n") << QStringLiteral("x") << QByteArray("x");
    }
    void edited_keepsTheLinesItDidNotTouch()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QByteArray, written);
        const DocumentFile file(bytes);
        ScriptFragments edited = file.fragments();
        const qsizetype at = edited.body.indexOf(from);
        QVERIFY(at >= 0);
        edited.body.replace(at, from.size(), to);
        const FileBytes saved = file.bytesFor(edited);
        QCOMPARE(saved.bytes, written);
        QCOMPARE(DocumentFile(saved.bytes).fragments(), edited);
    }

    void windows1250_charactersItCannotHold_areListed()
    {
        const DocumentFile file(QByteArray("caf\xe9\n"));
        QCOMPARE(file.form().encoding, FileForm::Encoding::Windows1250);
        ScriptFragments edited = file.fragments();
        edited.body += QStringLiteral("\u0436\u2192\u0436 \u20ac");  // Cyrillic, an arrow; the euro sign fits
        const FileBytes saved = file.bytesFor(edited);
        QCOMPARE(saved.unencodable, QStringLiteral("\u0436\u2192"));
        QVERIFY(saved.bytes.endsWith("??? \x80"));
        // In UTF-8 everything fits.
        DocumentFile utf8 = file;
        FileForm form = file.form();
        form.encoding = FileForm::Encoding::Utf8;
        utf8.setForm(form);
        const FileBytes asUtf8 = utf8.bytesFor(edited);
        QVERIFY(asUtf8.unencodable.isEmpty());
        QCOMPARE(QString::fromUtf8(asUtf8.bytes), QStringLiteral("caf\u00e9\n\u0436\u2192\u0436 \u20ac"));
    }

    void fileForm_isWhatTheBytesHold_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<int>("lineBreak");
        QTest::addColumn<bool>("markers");
        using E = FileForm::Encoding;
        using L = FileForm::LineBreak;
        QTest::newRow("no line breaks") << QByteArray("x") << int(E::Utf8) << int(L::CrLf) << false;
        QTest::newRow("LF wins a tie with CR") << QByteArray("a\nb\rc") << int(E::Utf8) << int(L::Lf) << false;
        QTest::newRow("CR LF wins a tie") << QByteArray("a\r\nb\nc") << int(E::Utf8) << int(L::CrLf) << false;
        QTest::newRow("invalid UTF-8 after a NUL is not looked at")
            << QByteArray("ok\n\0\xff", 5) << int(E::Utf8) << int(L::Lf) << false;
        QTest::newRow("BODY marker only") << kBodyMarker.toLatin1() + "\r\nb" << int(E::Utf8) << int(L::CrLf) << true;
        QTest::newRow("BOM, Windows-1250 after it")
            << QByteArray("\xEF\xBB\xBF\xe9") << int(E::Windows1250) << int(L::CrLf) << false;
    }
    void fileForm_isWhatTheBytesHold()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        QFETCH(int, lineBreak);
        QFETCH(bool, markers);
        const FileForm form = fileFormOf(bytes);
        QCOMPARE(int(form.encoding), encoding);
        QCOMPARE(int(form.lineBreak), lineBreak);
        QCOMPARE(form.markers, markers);
    }
};

QTEST_GUILESS_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"
