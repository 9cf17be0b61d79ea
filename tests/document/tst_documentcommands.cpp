// The script as a document: New, Open, Save as, the clipboard, printing and
// the status read-out.

#include "document/documentcontroller.h"
#include "document/scripteditors.h"
#include "document/scripttext.h"
#include "editor/schemelexer.h"
#include "editor/scripteditor.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"
#include "platform/savefile.h"
#include "platform/textfile.h"
#include "testfiles.h"
#include "testwindow.h"
#include "widgets/statuspanels.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {



/// The first paint of a widget and the cursor the application shows then.
class FirstPaint final : public QObject {
public:
    bool painted = false;
    bool busyThen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            const QCursor *cursor = QGuiApplication::overrideCursor();
            busyThen = cursor && cursor->shape() == Qt::WaitCursor;
        }
        return QObject::eventFilter(watched, event);
    }
};

int pageCount(const QByteArray &pdf)
{
    // Page objects, not the page tree ("/Type /Pages").
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s")
            ++pages;
    return pages;
}

} // namespace

class TestDocumentCommands : public QObject {
    Q_OBJECT

private slots:
    void new_onAnUnmodifiedScript_asksNothing()
    {
        TestWindow t;
        t.trigger("MMNU_F_New");
        QVERIFY(t.prompter.questions().isEmpty());
        QCOMPARE(t.head()->wholeText(), newScriptText());
        QCOMPARE(t.body()->wholeText(), newScriptText());
        QTRY_VERIFY(t.body()->hasFocus());
        QCOMPARE(t.body()->caretLine(), 3);
        QCOMPARE(t.body()->caretColumn(), 1);
    }

    void new_onAModifiedScript_asks()
    {
        TestWindow t;
        t.head()->setFocus();
        QTest::keyClicks(t.head(), QStringLiteral("typed"));
        const QString head = t.head()->wholeText();

        t.prompter.yesNoAnswers = {AnswerNo};
        t.trigger("BTN_Nowy");
        QCOMPARE(t.prompter.questions().size(), 1);
        QCOMPARE(t.prompter.questions().first().title, QStringLiteral("Confirm!"));
        QCOMPARE(t.prompter.questions().first().text, QStringLiteral("Current script is not saved, continue ?"));
        QCOMPARE(t.head()->wholeText(), head);
        // The focus and caret still move to BODY's line 3.
        QTRY_VERIFY(t.body()->hasFocus());
        QCOMPARE(t.body()->caretLine(), 3);

        t.prompter.yesNoAnswers = {AnswerYes};
        t.trigger("MMNU_F_New");
        QCOMPARE(t.head()->wholeText(), newScriptText());
        QVERIFY(!t.window->editors().isModified());
    }

    void open_alwaysAsks_andNoKeepsEverything()
    {
        TestWindow t;
        t.prompter.yesNoAnswers = {AnswerNo};
        t.trigger("MMNU_F_Open");
        QCOMPARE(t.prompter.questions().size(), 1);
        QCOMPARE(t.prompter.questions().first().title, QStringLiteral("Please confirm!"));
        QCOMPARE(t.prompter.questions().first().text, QStringLiteral("Current script will be deleted, continue ?"));
        QCOMPARE(t.body()->wholeText(), startupScriptText());
        QCOMPARE(t.prompter.shown.size(), 1);  // no file dialog
    }

    void open_cancelledOrUnreadable_keepsTheScriptAndItsUndo_data()
    {
        QTest::addColumn<QString>("chosen");  // "" = cancelled
        QTest::addColumn<bool>("reported");
        QTest::newRow("cancelled") << "" << false;
        QTest::newRow("a folder") << "folder" << true;
        QTest::newRow("a named pipe") << "pipe" << true;
        QTest::newRow("too large") << "big.js" << true;
    }
    void open_cancelledOrUnreadable_keepsTheScriptAndItsUndo()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, reported);
        TestWindow t;
        t.head()->setWholeText(QStringLiteral("head"));
        t.body()->setFocus();
        QTest::keyClicks(t.body(), QStringLiteral("typed"));
        const QString body = t.body()->wholeText();
        QString path;
        if (!chosen.isEmpty())
            path = t.dir.filePath(chosen);
        if (chosen == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
#ifdef Q_OS_UNIX
        if (chosen == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#else
        if (chosen == QLatin1String("pipe"))
            QSKIP("named pipes are a Unix matter here");
#endif
        if (chosen == QLatin1String("big.js")) {
            QFile big(path);
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(kMaxTextFileBytes + 1));
        }

        t.prompter.yesNoAnswers = {AnswerYes};
        t.prompter.openFileAnswers = {path};
        t.trigger("BTN_OpenF");
        QCOMPARE(t.prompter.questions().size(), 1);
        QCOMPARE(t.prompter.shown[1].kind, RecordingPrompter::Shown::OpenFile);
        QCOMPARE(t.prompter.shown[1].title, QStringLiteral("Select a script file"));
        QCOMPARE(t.prompter.shown[1].request.filters.first(), QStringLiteral("Script files (*.js)"));
        QCOMPARE(t.prompter.shown[1].request.filters.size(), 5);
        QCOMPARE(t.prompter.messages().size(), reported ? 1 : 0);
        if (reported) {
            QVERIFY(t.prompter.messages().first().text.startsWith(QStringLiteral("Cannot open file ") + path + u'\r'));
            QVERIFY(t.prompter.messages().first().text.size() > QStringLiteral("Cannot open file \r\n").size() + path.size());
            // Why it failed: the size, not a fault of the file.
            QCOMPARE(t.prompter.messages().first().text.contains(QStringLiteral("larger than 64 MiB, too large")),
                     chosen == QLatin1String("big.js"));
        }
        QCOMPARE(t.head()->wholeText(), QStringLiteral("head"));
        QCOMPARE(t.body()->wholeText(), body);
        QVERIFY(t.window->editors().isModified());
        QVERIFY(t.body()->isUndoAvailable());
    }

    void open_showsTheBusyCursorUntilALargeScriptIsLaidOut_data()
    {
        QTest::addColumn<int>("statements");
        QTest::addColumn<bool>("busy");
        QTest::newRow("a small script") << 100 << false;
        QTest::newRow("one line of 400 KiB") << 50000 << true;
    }
    void open_showsTheBusyCursorUntilALargeScriptIsLaidOut()
    {
        QFETCH(int, statements);
        QFETCH(bool, busy);
        TestWindow t;
        const QString path = t.dir.filePath(QStringLiteral("min.js"));
        QVERIFY(writeFile(path, QByteArray("x=a+b;").repeated(statements) + "var last;"));
        QTRY_VERIFY(!QGuiApplication::overrideCursor());
        FirstPaint paint;
        t.body()->viewport()->installEventFilter(&paint);

        t.prompter.yesNoAnswers = {AnswerYes};
        t.prompter.openFileAnswers = {path};
        t.trigger("BTN_OpenF");
        QVERIFY(t.body()->wholeText().endsWith(QStringLiteral("x=a+b;var last;")));
        const QCursor *cursor = QGuiApplication::overrideCursor();
        QCOMPARE(cursor && cursor->shape() == Qt::WaitCursor, busy);
        // The editors lay the text out when they paint it: the cursor stays
        // busy until then.
        QTRY_VERIFY(paint.painted);
        QCOMPARE(paint.busyThen, busy);
        QTRY_VERIFY(!QGuiApplication::overrideCursor());
    }

    void open_splitsTheFileIntoTheTwoEditors()
    {
        TestWindow t;
        const QString path = t.dir.filePath(QStringLiteral("s.js"));
        QVERIFY(writeFile(path, "<!-- part of the HEAD section -->\nvar x;\n<!-- part of the BODY section -->\ncall(x);"));
        t.prompter.yesNoAnswers = {AnswerYes};
        t.prompter.openFileAnswers = {path};
        t.trigger("MMNU_F_Open");
        // Each fragment as it was written: no line break gained.
        QCOMPARE(t.head()->wholeText(), QStringLiteral("var x;"));
        QCOMPARE(t.body()->wholeText(), QStringLiteral("call(x);"));
        QVERIFY(!t.window->editors().isModified());
        QCOMPARE(t.window->libraries().texts().head, QStringLiteral("var x;"));
        QCOMPARE(t.window->libraries().texts().body, QStringLiteral("call(x);"));
    }

    void open_aMissingFile_isReported()
    {
        TestWindow t;
        const QString path = t.dir.filePath(QStringLiteral("gone.js"));
        t.prompter.yesNoAnswers = {AnswerYes};
        t.prompter.openFileAnswers = {path};
        t.trigger("MMNU_F_Open");
        QCOMPARE(t.prompter.messages().size(), 1);
        QCOMPARE(t.prompter.messages().first().text.section(QStringLiteral("\r\n"), 0, 0),
                 QStringLiteral("Cannot open file ") + path);
        QCOMPARE(t.prompter.messages().first().title, QStringLiteral("VM Quillon 98 v1.6"));
        QCOMPARE(t.body()->wholeText(), startupScriptText());
    }

    void startupFile_opensLikeOpenWithoutAsking_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");  // "" = nothing made there
        QTest::addColumn<QString>("head");      // what the editors hold when the file opens
        QTest::addColumn<QString>("body");
        QTest::newRow("a script file")
            << "s.js"
            << QByteArray("<!-- part of the HEAD section -->\nvar x;\n<!-- part of the BODY section -->\ncall(x);")
            << "var x;"
            << "call(x);";
        QTest::newRow("a page without markers") << "page.html" << QByteArray("<p>hi</p>") << ""
                                                << "<p>hi</p>";
        QTest::newRow("a missing file") << "gone.js" << QByteArray() << "" << "";
    }
    void startupFile_opensLikeOpenWithoutAsking()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, head);
        QFETCH(QString, body);
        QTemporaryDir files;
        const QString path = files.filePath(name);
        if (!bytes.isEmpty())
            QVERIFY(writeFile(path, bytes));
        TestWindow::startupFile = path;
        TestWindow t;
        TestWindow::startupFile.clear();
        const bool opens = !bytes.isEmpty();
        if (opens) {
            QTRY_COMPARE(t.body()->wholeText(), body);
            QCOMPARE(t.head()->wholeText(), head);
            QCOMPARE(t.window->libraries().texts().body, body);
            QVERIFY(!t.window->editors().isModified());
            QVERIFY(t.prompter.messages().isEmpty());
        } else {
            QTRY_COMPARE(t.prompter.messages().size(), 1);
            QCOMPARE(t.prompter.messages().first().title, QStringLiteral("VM Quillon 98 v1.6"));
            QCOMPARE(t.prompter.messages().first().text.section(QStringLiteral("\r\n"), 0, 0),
                     QStringLiteral("Cannot open file ") + path);
            QCOMPARE(t.body()->wholeText(), startupScriptText());
        }
        // The user asked for the file: nothing asks whether the start-up
        // script may go.
        QVERIFY(t.prompter.questions().isEmpty());
    }

    void saveAs_writesTheMarkerFormat_andClearsTheModifiedState()
    {
        TestWindow t;
        t.head()->setWholeText(QStringLiteral("head"));
        t.body()->setWholeText(QStringLiteral("body"));
        t.body()->setFocus();
        QTest::keyClicks(t.body(), QStringLiteral("!"));
        QVERIFY(t.window->editors().isModified());
        QCOMPARE(t.window->statusPanels().text(StatusPanels::Modified), QStringLiteral("modified"));

        const QString path = t.dir.filePath(QStringLiteral("out.js"));
        t.prompter.saveFileAnswers = {path};
        t.trigger("MMNU_F_SaveAs");
        const RecordingPrompter::Shown dialog = t.prompter.shown.last();
        QCOMPARE(dialog.request.fileName, QStringLiteral("script.js"));
        QCOMPARE(readAll(path), QByteArray("<!-- part of the HEAD section -->\r\nhead\r\n"
                                           "<!-- part of the BODY section -->\r\n!body"));
        QVERIFY(!t.window->editors().isModified());
        // The status bar keeps its text until the next read-out.
        QCOMPARE(t.window->statusPanels().text(StatusPanels::Modified), QStringLiteral("modified"));
        QTest::keyClick(t.body(), Qt::Key_Right);
        QCOMPARE(t.window->statusPanels().text(StatusPanels::Modified), QStringLiteral("no changes"));
    }

    void saveAs_failing_isReportedAndNothingClaimsToBeSaved()
    {
        TestWindow t;
        t.body()->setFocus();
        QTest::keyClicks(t.body(), QStringLiteral("x"));
        QVERIFY(writeFile(t.dir.filePath(QStringLiteral("plain")), "x"));
        const QString path = t.dir.filePath(QStringLiteral("plain/out.js"));
        t.prompter.saveFileAnswers = {path};
        t.trigger("BTN_Save_As");
        QCOMPARE(t.prompter.messages().size(), 1);
        QCOMPARE(t.prompter.messages().first().text.section(QStringLiteral("\r\n"), 0, 0),
                 QStringLiteral("Cannot create file ") + path);
        QVERIFY(t.window->editors().isModified());
    }

    void saveAs_existingFile_isReplacedOnlyWhenTheUserAgrees()
    {
        TestWindow t;
        t.body()->setFocus();
        QTest::keyClicks(t.body(), QStringLiteral("x"));
        const QString path = t.dir.filePath(QStringLiteral("page.html"));
        QVERIFY(writeFile(path, "<html>precious</html>"));

        t.prompter.saveFileAnswers = {path};
        t.prompter.yesNoAnswers = {AnswerNo};
        t.trigger("BTN_Save_As");
        QCOMPARE(t.prompter.questions().size(), 1);
        QVERIFY(t.prompter.questions().first().text.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(readAll(path), QByteArray("<html>precious</html>"));
        QVERIFY(t.window->editors().isModified());

        t.prompter.saveFileAnswers = {path};
        t.prompter.yesNoAnswers = {AnswerYes};
        t.trigger("BTN_Save_As");
        QVERIFY(readAll(path).startsWith("<!-- part of the HEAD section -->"));
        QVERIFY(!t.window->editors().isModified());
    }

    void saveAs_pastTheFileSizeLimit_isReportedWithTheReasonAndTheProgramLives()
    {
#ifdef Q_OS_UNIX
        // The program's start made the limit's signal harmless: no handler
        // is set here.
        TestWindow t;
        t.body()->setWholeText(QString(qsizetype(200) * 1024, u'x'));
        t.body()->setFocus();
        QTest::keyClicks(t.body(), QStringLiteral("y"));
        const QString path = t.dir.filePath(QStringLiteral("big.js"));
        t.prompter.saveFileAnswers = {path};
        std::optional<FileSizeLimit> limit(std::in_place, 64 * 1024);
        QVERIFY(limit->isSet());
        t.trigger("BTN_Save_As");
        limit.reset();
        QCOMPARE(t.prompter.messages().size(), 1);
        QCOMPARE(t.prompter.messages().first().text,
                 QStringLiteral("Cannot create file %1\r\n%2").arg(path, QString::fromLocal8Bit(std::strerror(EFBIG))));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(t.window->editors().isModified());
#else
        QSKIP("file-size limits are a Unix facility");
#endif
    }

    void saveAs_clearsWhatCutShortSavesLeftInItsFolder()
    {
#ifdef Q_OS_UNIX
        // A copy killed during Save as left its temporary file; this copy
        // writes one for as long as it saves.
        const pid_t killed = ::fork();
        if (killed == 0)
            ::_exit(0);
        QVERIFY(killed > 0);
        ::waitpid(killed, nullptr, 0);
        TestWindow t;
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("target.js"));
        QString running;
        {
            auto target = makeSaveTarget(path);
            QVERIFY(target->open());
            running = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).value(0);
            // Left open: another save of this copy is still writing.
            const QString crashed =
                QString(running).replace(QStringLiteral(".qtmp-%1-").arg(QCoreApplication::applicationPid()),
                                         QStringLiteral(".qtmp-%1-").arg(killed));
            QVERIFY(crashed != running);
            QVERIFY(writeFile(folder.filePath(crashed), QByteArray(4096, 'x')));
            QVERIFY(writeFile(folder.filePath(QStringLiteral(".target.js.qtmp-notes")), "the user's"));

            t.prompter.saveFileAnswers = {path};
            t.trigger("MMNU_F_SaveAs");
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                     (QStringList{running, QStringLiteral(".target.js.qtmp-notes"), QStringLiteral("target.js")}));
            target->cancel();
        }
        QVERIFY(readAll(path).startsWith("<!-- part of the HEAD section -->"));
        QVERIFY(t.prompter.messages().isEmpty());
#else
        QSKIP("process ids are checked on Unix");
#endif
    }

    void saveAs_cancelled_writesNothing()
    {
        TestWindow t;
        const QString path = t.dir.filePath(QStringLiteral("keep.js"));
        QVERIFY(writeFile(path, "precious"));
        t.prompter.saveFileAnswers = {QString()};  // cancelled
        t.trigger("MMNU_F_SaveAs");
        QCOMPARE(readAll(path), QByteArray("precious"));
        QVERIFY(t.prompter.messages().isEmpty());
    }

    void copyFromEditor_putsTheClipboardText()
    {
        TestWindow t;
        t.head()->empty();
        t.body()->empty();
        t.trigger("BTN_DoSchowka");
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("<!-- This part should be put in the <HEAD> section of your HTML page -->\r\n\r\n"
                                "<!-- This part should be put at the caret position of your HTML page -->\r\n"));
        t.head()->setWholeText(QStringLiteral("H"));
        t.body()->setWholeText(QStringLiteral("B"));
        t.trigger("POP_Clip_Editor");
        QCOMPARE(QGuiApplication::clipboard()->text(), composeClipboardText(QStringLiteral("H"), QStringLiteral("B")));
    }

    void copyFromLibrary_withoutALibraryFocused_explains()
    {
        TestWindow t;
        t.body()->setFocus();
        QTRY_VERIFY(t.body()->hasFocus());
        t.trigger("POP_Clip_Library");
        QCOMPARE(t.prompter.messages().size(), 1);
        QCOMPARE(t.prompter.messages().first().icon, int(IconInformation));
        QCOMPARE(t.prompter.messages().first().title, QStringLiteral("Information!"));
        QCOMPARE(t.prompter.messages().first().text, QStringLiteral("Please select a script from a library!"));
    }

    void print_printsTheFocusedFragment()
    {
        TestWindow t;
        QString body;
        for (int i = 0; i < 400; ++i)
            body += QStringLiteral("document.write(\"line %1\");\r\n").arg(i);
        t.head()->setWholeText(QStringLiteral("<SCRIPT>var a;</SCRIPT>"));
        t.body()->setWholeText(body);
        QPrinter &printer = t.window->document().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);

        // With the focus outside both editors, BODY is printed: many pages.
        const QString bodyPdf = t.dir.filePath(QStringLiteral("body.pdf"));
        printer.setOutputFileName(bodyPdf);
        t.window->userLibrary().tree()->setFocus();
        t.prompter.yesNoAnswers = {AnswerYes};
        t.trigger("MMNU_P_Print");
        QCOMPARE(t.prompter.questions().last().title, QStringLiteral("Confirm!"));
        QCOMPARE(t.prompter.questions().last().text, QStringLiteral("Print current script?"));
        QVERIFY(pageCount(readAll(bodyPdf)) > 3);
        QCOMPARE(t.body()->defBackColor(), QColor(Qt::white));

        // With HEAD focused, HEAD alone: one page.
        const QString headPdf = t.dir.filePath(QStringLiteral("head.pdf"));
        printer.setOutputFileName(headPdf);
        t.head()->setFocus();
        QTRY_VERIFY(t.head()->hasFocus());
        t.prompter.yesNoAnswers = {AnswerYes};
        t.trigger("BTN_Drukuj");
        QCOMPARE(pageCount(readAll(headPdf)), 1);

        // No: nothing printed.
        const QString nothing = t.dir.filePath(QStringLiteral("none.pdf"));
        printer.setOutputFileName(nothing);
        t.prompter.yesNoAnswers = {AnswerNo};
        t.trigger("MMNU_P_Print");
        QVERIFY(!QFile::exists(nothing));
    }

    // A file opened is the document's: its name in the title, and Save
    // writes it back in the form it came in.
    void save_writesTheFileBackInItsOwnForm_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("typed");  // typed at the end of BODY; empty: no edit
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("no edit, mixed line breaks")
            << QByteArray("a\r\nb\nc\rd") << QString() << QByteArray("a\r\nb\nc\rd");
        QTest::newRow("LF page edited") << QByteArray("<p>a</p>\n<p>b</p>\n") << QStringLiteral("<i>")
                                        << QByteArray("<p>a</p>\n<p>b</p>\n<i>");
        QTest::newRow("Windows-1250 edited")
            << QByteArray("caf\xe9\n") << QStringLiteral("\u017c") << QByteArray("caf\xe9\n\xbf");
        QTest::newRow("script file edited")
            << encodeText(composeScriptFile(QStringLiteral("h"), QStringLiteral("b"))) << QStringLiteral("2")
            << encodeText(composeScriptFile(QStringLiteral("h"), QStringLiteral("b2")));
    }
    void save_writesTheFileBackInItsOwnForm()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        TestWindow t;
        const QString path = t.dir.filePath(QStringLiteral("index.html"));
        QVERIFY(writeFile(path, bytes));
        t.prompter.yesNoAnswers = {AnswerYes};
        t.prompter.openFileAnswers = {path};
        t.trigger("MMNU_F_Open");
        QVERIFY(t.window->windowTitle().startsWith(QStringLiteral("index.html[*] \u2014 ")));
        QVERIFY(t.window->windowTitle().endsWith(QStringLiteral(" \u2014 VM Quillon 98 v1.6")));
        if (!typed.isEmpty()) {
            t.body()->setFocus();
            QTRY_VERIFY(t.body()->hasFocus());
            t.body()->setCaretPosition(int(t.body()->wholeText().size()));
            t.body()->replaceSelection(typed);
            QVERIFY(t.window->isWindowModified());
        }
        t.prompter.clear();
        t.trigger("MMNU_F_Save");
        QVERIFY2(t.prompter.shown.isEmpty(), qPrintable(t.prompter.describe()));
        QCOMPARE(readAll(path), written);
        QVERIFY(!t.window->editors().isModified());
        QVERIFY(!t.window->isWindowModified());
        // A new script has no file: the title is the program's alone.
        t.trigger("MMNU_F_New");
        QCOMPARE(t.window->windowTitle(), QStringLiteral("VM Quillon 98 v1.6"));
    }

    // A file that holds one script alone is coloured as its language from
    // the first line; a script file's fragments, and a new script, as page
    // text.
    void open_coloursAFileByItsKind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("firstWordStyle");
        QTest::newRow(".js") << QStringLiteral("lib.js") << QByteArray("function f() {}\n")
                             << int(SchemeStyle::JsKeyword);
        QTest::newRow(".vbs") << QStringLiteral("tool.vbs") << QByteArray("Dim a\r\n") << int(SchemeStyle::VbKeyword);
        QTest::newRow(".html") << QStringLiteral("page.html") << QByteArray("function\n") << int(SchemeStyle::Default);
        QTest::newRow(".js with markers")
            << QStringLiteral("kept.js") << encodeText(composeScriptFile(QString(), QStringLiteral("function")))
            << int(SchemeStyle::Default);
    }
    void open_coloursAFileByItsKind()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, firstWordStyle);
        TestWindow t;
        const QString path = t.dir.filePath(name);
        QVERIFY(writeFile(path, bytes));
        t.prompter.yesNoAnswers = {AnswerYes};
        t.prompter.openFileAnswers = {path};
        t.trigger("MMNU_F_Open");
        const auto styleAtStart = [&t] {
            t.body()->recolor();
            return int(t.body()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 0UL));
        };
        QCOMPARE(styleAtStart(), SchemeLexer::scintillaStyle(firstWordStyle));
        // The next script in the editors is page text again.
        t.prompter.yesNoAnswers = {AnswerYes};
        t.trigger("MMNU_F_New");
        t.body()->setText(QStringLiteral("function"));
        QCOMPARE(styleAtStart(), SchemeLexer::scintillaStyle(SchemeStyle::Default));
    }

    // The File menu lists the files opened and saved, newest first, in
    // this window and the next one; a file that has gone is said so and
    // taken off the list.
    void recentFiles_listTheFilesOpenedAndSaved_betweenRuns()
    {
        QTemporaryDir store;
        TestWindow::settingsFile = store.filePath(QStringLiteral("settings.ini"));
        const auto visibleItems = [](const TestWindow &t) {
            QStringList captions;
            for (int i = 1; i <= 8; ++i) {
                const QAction *item = t.action(qPrintable(QStringLiteral("MMNU_F_Recent%1").arg(i)));
                if (item->isVisible())
                    captions << item->text();
            }
            return captions;
        };
        QString first;
        QString second;
        {
            TestWindow t;
            QVERIFY(visibleItems(t).isEmpty());
            first = t.dir.filePath(QStringLiteral("a&b.html"));
            second = t.dir.filePath(QStringLiteral("two.js"));
            QVERIFY(writeFile(first, "<p>one</p>\n"));
            t.prompter.yesNoAnswers = {AnswerYes};
            t.prompter.openFileAnswers = {first};
            t.trigger("MMNU_F_Open");
            t.prompter.saveFileAnswers = {second};
            t.trigger("MMNU_F_SaveAs");
            QVERIFY(QFileInfo::exists(second));
            // Opening the first again moves it back up.
            t.prompter.yesNoAnswers = {AnswerYes};
            t.trigger("MMNU_F_Recent2");
            QCOMPARE(t.body()->wholeText(), QStringLiteral("<p>one</p>\r\n"));
            const QStringList items = visibleItems(t);
            QCOMPARE(items.size(), 2);
            QVERIFY2(items[0].startsWith(QStringLiteral("&1 a&&b.html \u2014 ")), qPrintable(items[0]));
            QVERIFY2(items[1].startsWith(QStringLiteral("&2 two.js \u2014 ")), qPrintable(items[1]));
            t.dir.setAutoRemove(false);
        }
        {
            TestWindow t;
            QCOMPARE(visibleItems(t).size(), 2);
            QVERIFY(QFile::remove(first));
            t.trigger("MMNU_F_Recent1");
            QCOMPARE(t.prompter.shown.size(), 1);
            QVERIFY2(t.prompter.shown.first().text.contains(QDir::toNativeSeparators(first)),
                     qPrintable(t.prompter.describe()));
            QVERIFY(t.prompter.questions().isEmpty());  // nothing to replace the script with
            const QStringList items = visibleItems(t);
            QCOMPARE(items.size(), 1);
            QVERIFY(items[0].startsWith(QStringLiteral("&1 two.js")));
            QDir(QFileInfo(first).path()).removeRecursively();
        }
        TestWindow::settingsFile.clear();
    }

    // What the file cannot hold is asked about, and No writes nothing.
    void save_asksBeforeChangingTheFilesForm_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("head");  // put into HEAD
        QTest::addColumn<QString>("body");  // typed into BODY
        QTest::addColumn<QString>("question");
        QTest::addColumn<QByteArray>("onYes");
        QTest::newRow("HEAD text in a page without markers")
            << QByteArray("<p>x</p>\n") << QStringLiteral("var h;") << QString() << QStringLiteral("no section markers")
            << QByteArray(kHeadMarker.toLatin1() + "\nvar h;\n" + kBodyMarker.toLatin1() + "\n<p>x</p>\n");
        QTest::newRow("a character Windows-1250 cannot hold")
            << QByteArray("caf\xe9") << QString() << QStringLiteral("\u0436") << QStringLiteral("\u0436 (U+0436)")
            << QByteArray("caf\xc3\xa9\xd0\xb6");
    }
    void save_asksBeforeChangingTheFilesForm()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, head);
        QFETCH(QString, body);
        QFETCH(QString, question);
        QFETCH(QByteArray, onYes);
        TestWindow t;
        const QString path = t.dir.filePath(QStringLiteral("page.html"));
        QVERIFY(writeFile(path, bytes));
        t.prompter.yesNoAnswers = {AnswerYes};
        t.prompter.openFileAnswers = {path};
        t.trigger("MMNU_F_Open");
        if (!head.isEmpty())
            t.head()->setWholeText(head);
        if (!body.isEmpty())
            t.body()->setWholeText(t.body()->wholeText() + body);
        for (const int answer : {AnswerNo, AnswerYes}) {
            t.prompter.clear();
            t.prompter.yesNoAnswers = {answer};
            t.trigger("MMNU_F_Save");
            QCOMPARE(t.prompter.questions().size(), 1);
            QVERIFY2(t.prompter.questions().first().text.contains(question),
                     qPrintable(t.prompter.questions().first().text));
            QCOMPARE(readAll(path), answer == AnswerNo ? bytes : onYes);
        }
    }

    // With no printer, Print prints at once into a new PDF file each time
    // and says where; a file chosen in Printer setup is used as it is.
    void print_withoutAPrinter_printsAtOnceToANewFile()
    {
        TestWindow t;
        QPrinter &printer = t.window->document().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString());
        const QString first = QDir(t.dir.path()).filePath(QStringLiteral("Quillon script.pdf"));
        const QString second = QDir(t.dir.path()).filePath(QStringLiteral("Quillon script (2).pdf"));
        for (const QString &expected : {first, second}) {
            t.prompter.clear();
            t.body()->setFocus();
            t.prompter.yesNoAnswers = {AnswerYes};
            t.trigger("MMNU_P_Print");
            QVERIFY2(t.prompter.dialogs().isEmpty(), qPrintable(t.prompter.describe()));
            QVERIFY(pageCount(readAll(expected)) >= 1);
            const auto messages = t.prompter.messages();
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages.first().text.contains(QDir::toNativeSeparators(expected)),
                     qPrintable(messages.first().text));
        }
        QCOMPARE(printer.outputFileName(), QString());
    }

    void printerSetup_showsThePrintDialog()
    {
        TestWindow t;
        bool printDialog = false;
        t.prompter.dialogHandlers.insert(QStringLiteral("PrinterSetupDialog"), [&](QDialog &d) {
            printDialog = qobject_cast<QPrintDialog *>(&d) != nullptr;
            return int(QDialog::Rejected);
        });
        t.trigger("MMNU_P_PrintSettings");
        QCOMPARE(t.prompter.dialogs().size(), 1);
        QVERIFY(printDialog);
    }

    void statusReadOut_followsTheFocusedEditor()
    {
        TestWindow t;
        StatusPanels &status = t.window->statusPanels();
        t.body()->setFocus();
        QTRY_VERIFY(t.body()->hasFocus());
        QTest::keyClick(t.body(), Qt::Key_Down);
        QCOMPARE(status.text(StatusPanels::Line), QStringLiteral("line 4"));
        QCOMPARE(status.text(StatusPanels::Column), QStringLiteral("col 1"));
        QCOMPARE(status.text(StatusPanels::Modified), QStringLiteral("no changes"));
        QTest::keyClicks(t.body(), QStringLiteral("ab"));
        QCOMPARE(status.text(StatusPanels::Column), QStringLiteral("col 3"));
        QCOMPARE(status.text(StatusPanels::Modified), QStringLiteral("modified"));
        QVERIFY(t.action("BTN_Undo")->isEnabled());
        QVERIFY(t.action("MMNU_E_Undo")->isEnabled());
        QVERIFY(!t.action("BTN_Redo")->isEnabled());
        QVERIFY(!t.action("BTN_Kopiuj")->isEnabled());
        QTest::keyClick(t.body(), Qt::Key_Left, Qt::ShiftModifier);
        QVERIFY(t.action("BTN_Kopiuj")->isEnabled());
        QVERIFY(t.action("PMNU_Wytnij")->isEnabled());
        QTest::keyClick(t.body(), Qt::Key_Insert);
        QCOMPARE(status.text(StatusPanels::Mode), QStringLiteral("overwrite"));
        QTest::keyClick(t.body(), Qt::Key_Insert);
        QCOMPARE(status.text(StatusPanels::Mode), QStringLiteral("insert"));
        // A caret moved by a command, not by a key, shows too.
        t.body()->setCaretLineColumn(2, 3);
        QTRY_COMPARE(status.text(StatusPanels::Line), QStringLiteral("line 2"));
        QCOMPARE(status.text(StatusPanels::Column), QStringLiteral("col 3"));

        // HEAD is unmodified: focusing it and pressing a key reads it alone.
        t.head()->setFocus();
        QTRY_VERIFY(t.head()->hasFocus());
        QTest::keyClick(t.head(), Qt::Key_End);
        QCOMPARE(status.text(StatusPanels::Modified), QStringLiteral("no changes"));
        QCOMPARE(t.window->editors().current(), t.head());
    }

    void undoToTheStart_isNoChangesAgain()
    {
        TestWindow t;
        t.body()->setFocus();
        QTest::keyClicks(t.body(), QStringLiteral("q"));
        QVERIFY(t.body()->modifiedState());
        t.trigger("BTN_Undo");
        QVERIFY(!t.body()->modifiedState());
        QCOMPARE(t.window->statusPanels().text(StatusPanels::Modified), QStringLiteral("no changes"));
    }
};

QUILLON_GUI_TEST_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
