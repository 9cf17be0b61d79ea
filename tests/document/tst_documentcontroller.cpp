// The document commands, and Copy script from library, against a fake
// workbench: what they ask of the library service and of the window's
// pages, without the main window.

#include "document/documentcontroller.h"
#include "editor/scripteditor.h"
#include "fakeworkbench.h"
#include "library/librarycommands.h"
#include "testfiles.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestDocumentController final : public QObject {
    Q_OBJECT

private slots:
    void copyFromLibrary_takesTheFocusedLibrarysScript_data()
    {
        QTest::addColumn<int>("focused");  // -1 none, 0 user, 1 built-in
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("no library focused") << -1 << true << "before";
        QTest::newRow("user library") << 0 << true
                                      << "<!-- This part should be put in the <HEAD> section of your HTML page -->\r\nH\r\n"
                                         "<!-- This part should be put at the caret position of your HTML page -->\r\nB";
        QTest::newRow("built-in library") << 1 << true
                                          << "<!-- This part should be put in the <HEAD> section of your HTML page -->\r\nH\r\n"
                                             "<!-- This part should be put at the caret position of your HTML page -->\r\nB";
        QTest::newRow("script that cannot be had") << 0 << false << "before";
    }
    void copyFromLibrary_takesTheFocusedLibrarysScript()
    {
        QFETCH(int, focused);
        QFETCH(bool, succeeds);
        QFETCH(QString, clipboard);
        FakeWorkbench w;
        FakeBranch user, builtIn;
        w.libraries.registerBranch(LibraryKind::User, &user);
        w.libraries.registerBranch(LibraryKind::BuiltIn, &builtIn);
        FakeBranch &chosen = focused == 1 ? builtIn : user;
        chosen.focused = focused >= 0;
        chosen.succeeds = succeeds;
        chosen.script = {QStringLiteral("H"), QStringLiteral("B")};
        w.libraries.setTexts({QStringLiteral("old head"), QStringLiteral("old body")});
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));

        copyLibraryScript(w.libraries, w.prompter);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QCOMPARE(w.prompter.messages().size(), focused < 0 ? 1 : 0);
        QCOMPARE(user.asked + builtIn.asked, focused < 0 ? 0 : 1);
        // A failure leaves the texts of the last success.
        QCOMPARE(w.libraries.texts().head, succeeds && focused >= 0 ? QStringLiteral("H") : QStringLiteral("old head"));
    }

    void open_showsTheEditorPage_andKeepsTheFragmentsAsLibraryTexts()
    {
        FakeWorkbench w;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.js"));
        QVERIFY(writeFile(path, "<!-- part of the HEAD section -->\nvar x;\n<!-- part of the BODY section -->\nrun();"));
        DocumentController document(w.ports);
        w.prompter.yesNoAnswers = {AnswerYes};
        w.prompter.openFileAnswers = {path};
        w.actions.action(QStringLiteral("BTN_OpenF"))->trigger();
        QCOMPARE(w.calls, QStringList{QStringLiteral("showEditorPage")});
        QCOMPARE(w.editors.head()->wholeText(), QStringLiteral("var x;"));
        QCOMPARE(w.libraries.texts().body, QStringLiteral("run();"));
    }

    void saveAs_endsWithSaveAsDone_unlessTheWriteFailed_data()
    {
        QTest::addColumn<QString>("answer");  // "" cancels
        QTest::addColumn<int>("done");
        QTest::newRow("written") << "out.js" << 1;
        QTest::newRow("cancelled") << "" << 1;
        QTest::newRow("cannot be written") << "file/out.js" << 0;
    }
    void saveAs_endsWithSaveAsDone_unlessTheWriteFailed()
    {
        QFETCH(QString, answer);
        QFETCH(int, done);
        FakeWorkbench w;
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("file")), "x"));
        DocumentController document(w.ports);
        QSignalSpy spy(&document, &DocumentController::saveAsDone);
        w.prompter.saveFileAnswers = {answer.isEmpty() ? QString() : dir.filePath(answer)};
        w.actions.action(QStringLiteral("MMNU_F_SaveAs"))->trigger();
        QCOMPARE(spy.count(), done);
    }
};

QTEST_MAIN(TestDocumentController)
#include "tst_documentcontroller.moc"
