// Insert into page from the window: the change shown before anything is
// written, Cancel writing nothing, the page written back in its encoding
// and line breaks after its old bytes were kept as "name~", and the page
// open in the editors changed in one undo step.

#include "document/pageinsertdialog.h"
#include "editor/scripteditor.h"
#include "testfiles.h"
#include "testwindow.h"

#include <QDialog>
#include <QFile>

namespace {

const QString kHead = QStringLiteral("<script>h()</script>");
const QString kBody = QStringLiteral("<b>B</b>");

/// A page in CR LF, Windows-1250 where it has a letter outside ASCII.
QByteArray page1250()
{
    return "<html>\r\n<head>\r\n<title>caf\xe9</title>\r\n</head>\r\n<body>\r\n"
           "<div id=\"menu\"><div>x</div></div>\r\n<p>end</p>\r\n</body>\r\n</html>\r\n";
}

QByteArray withScript(const QByteArray &page)
{
    QByteArray out = page;
    out.replace("</head>", QByteArray(kHead.toLatin1() + "\r\n</head>"));
    out.replace("</div></div>", QByteArray("</div></div>\r\n" + kBody.toLatin1()));
    return out;
}

QByteArray toUtf8(const QByteArray &latin2)
{
    return QByteArray(latin2).replace("\xe9", "\xc3\xa9");
}

QByteArray toLf(const QByteArray &bytes)
{
    return QByteArray(bytes).replace("\r\n", "\n");
}

}  // namespace

class TestPageInsert : public QObject {
    Q_OBJECT

    /// Answers the first dialog with the file at path, the BODY fragment
    /// after #menu.
    static void chooseFile(RecordingPrompter &prompter, const QString &path)
    {
        prompter.dialogHandlers.insert(QStringLiteral("PageInsertDialog"), [path](QDialog &d) {
            auto &dialog = static_cast<PageInsertDialog &>(d);
            dialog.setPagePath(path);
            if (!dialog.chooseElement(QStringLiteral("menu")))
                return int(QDialog::Rejected);
            return int(QDialog::Accepted);
        });
    }

private slots:
    void intoAFile_showsTheChange_thenWritesItInTheFilesForm_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("Windows-1250, CR LF") << page1250();
        QTest::newRow("UTF-8, LF") << toLf(toUtf8(page1250()));
        QTest::newRow("UTF-8 with BOM, CR LF") << QByteArray("\xEF\xBB\xBF") + toUtf8(page1250());
    }
    void intoAFile_showsTheChange_thenWritesItInTheFilesForm()
    {
        QFETCH(QByteArray, page);
        TestWindow t;
        const QString path = t.dir.filePath(QStringLiteral("index.html"));
        QVERIFY(writeFile(path, page));
        t.head()->setWholeText(kHead);
        t.body()->setWholeText(kBody);
        chooseFile(t.prompter, path);
        QString diff;
        QByteArray onDiskWhileShown;
        t.prompter.dialogHandlers.insert(QStringLiteral("PageDiffDialog"), [&](QDialog &d) {
            diff = static_cast<PageDiffDialog &>(d).diffText();
            onDiskWhileShown = readAll(path);
            return int(QDialog::Accepted);
        });
        t.trigger("MMNU_F_InsertIntoPage");
        QVERIFY2(t.prompter.messages().isEmpty(), qPrintable(t.prompter.describe()));
        QCOMPARE(onDiskWhileShown, page);
        QVERIFY(diff.startsWith(QStringLiteral("--- index.html\n+++ index.html (with the script)\n@@ ")));
        QVERIFY(diff.contains(u'+' + kHead + u'\n'));
        QVERIFY(diff.contains(u'+' + kBody + u'\n'));

        const QByteArray expected = page.contains("\r\n") ? withScript(page) : toLf(withScript(page));
        QCOMPARE(readAll(path), expected);
        QCOMPARE(readAll(path + u'~'), page);
        // The editors are not touched.
        QCOMPARE(t.head()->wholeText(), kHead);
    }

    void cancel_writesNothing()
    {
        TestWindow t;
        const QString path = t.dir.filePath(QStringLiteral("index.html"));
        QVERIFY(writeFile(path, page1250()));
        t.body()->setWholeText(kBody);
        chooseFile(t.prompter, path);
        t.prompter.dialogHandlers.insert(QStringLiteral("PageDiffDialog"),
                                         [](QDialog &) { return int(QDialog::Rejected); });
        t.trigger("MMNU_F_InsertIntoPage");
        QCOMPARE(t.prompter.dialogs().size(), 2);
        QCOMPARE(readAll(path), page1250());
        QVERIFY(!QFile::exists(path + u'~'));
    }

    // A character Windows-1250 has no place for: named, and UTF-8 offered;
    // No writes nothing, Yes writes the page in UTF-8.
    void unencodableCharacters_offerUtf8()
    {
        TestWindow t;
        const QString path = t.dir.filePath(QStringLiteral("index.html"));
        QVERIFY(writeFile(path, page1250()));
        t.head()->setWholeText(QString());
        t.body()->setWholeText(QStringLiteral("<p>\u2192</p>"));
        chooseFile(t.prompter, path);
        t.prompter.dialogHandlers.insert(QStringLiteral("PageDiffDialog"),
                                         [](QDialog &) { return int(QDialog::Accepted); });
        t.prompter.yesNoAnswers = {AnswerNo, AnswerYes};
        t.trigger("MMNU_F_InsertIntoPage");
        QCOMPARE(t.prompter.questions().size(), 1);
        QVERIFY(t.prompter.questions().first().text.contains(QStringLiteral("U+2192")));
        QCOMPARE(readAll(path), page1250());
        QVERIFY(!QFile::exists(path + u'~'));

        t.trigger("MMNU_F_InsertIntoPage");
        QCOMPARE(readAll(path), toUtf8(page1250()).replace("</div></div>", "</div></div>\r\n<p>\xe2\x86\x92</p>"));
        QCOMPARE(readAll(path + u'~'), page1250());
    }

    // The page open in the editors takes the HEAD editor's text into its
    // head: one undo step of both editors, and nothing written to disk.
    void intoTheOpenPage_isOneUndoStep()
    {
        const QByteArray page = toLf(toUtf8(page1250()));
        TestWindow t;
        const QString path = t.dir.filePath(QStringLiteral("site.html"));
        QVERIFY(writeFile(path, page));
        t.prompter.yesNoAnswers = {AnswerYes};
        t.prompter.openFileAnswers = {path};
        t.trigger("MMNU_F_Open");
        const QString before = t.body()->wholeText();
        t.head()->setWholeText(kHead);
        bool offered = false;
        t.prompter.dialogHandlers.insert(QStringLiteral("PageInsertDialog"), [&offered](QDialog &d) {
            offered = static_cast<PageInsertDialog &>(d).choice().openPage;
            return int(QDialog::Accepted);
        });
        t.prompter.dialogHandlers.insert(QStringLiteral("PageDiffDialog"),
                                         [](QDialog &) { return int(QDialog::Accepted); });
        t.trigger("POP_Clip_Page");
        QVERIFY(offered);
        QVERIFY2(t.prompter.messages().isEmpty(), qPrintable(t.prompter.describe()));
        const QString after = QString(before).replace("</head>", kHead + "\r\n</head>");
        QCOMPARE(t.body()->wholeText(), after);
        QCOMPARE(t.head()->wholeText(), QString());
        QCOMPARE(readAll(path), page);

        t.body()->undo();
        QCOMPARE(t.body()->wholeText(), before);
        QCOMPARE(t.head()->wholeText(), kHead);
        t.head()->redo();
        QCOMPARE(t.body()->wholeText(), after);
        QCOMPARE(t.head()->wholeText(), QString());
    }
};

QUILLON_GUI_TEST_MAIN(TestPageInsert)
#include "tst_pageinsert.moc"
