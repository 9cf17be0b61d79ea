// The user library in the window: saving the script into a category,
// categories, deleting, Edit, Insert, copying and previewing a script.

#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "library/builtin/builtinlibrary.h"
#include "library/libraryfinder.h"
#include "library/userlibrary.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"
#include "librarywindow.h"
#include "platform/textfile.h"
#include "preview/previewcontroller.h"
#include "testfiles.h"
#include "testwindow.h"
#include "widgets/statuspanels.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#endif

namespace {

const QByteArray kScriptFile("<!-- part of the HEAD section -->\r\nvar t;\r\n<!-- part of the BODY section -->\r\nshow(t);");

} // namespace

class TestUserLibrary : public QObject {
    Q_OBJECT

private slots:
    void firstStart_createsTheFolderWithOneCategory()
    {
        TestWindow t;
        UserLibraryTree *tree = t.window->userLibrary().tree();
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("User scripts"));
        QCOMPARE(tree->selectedItem(), tree->topLevelItem(0));
        QCOMPARE(readAll(t.libraryFolder() + QStringLiteral("uscripts.dat")), QByteArray("User scripts\r\n"));
    }

    void treeShowsTheIndex_collapsed()
    {
        LibraryWindow w("Work\r\n menu\r\n clock\r\nMisc\r\n");
        QCOMPARE(w.tree()->topLevelItemCount(), 2);
        QCOMPARE(w.item(QStringLiteral("Work"))->childCount(), 2);
        QVERIFY(!w.item(QStringLiteral("Work"))->isExpanded());
        QVERIFY(w.item(QStringLiteral("Work"), QStringLiteral("clock")));
        // Script buttons follow the selection.
        w.select(QStringLiteral("Work"));
        QVERIFY(!w.t->action("BTN_Edit_Script_User")->isEnabled());
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        for (const char *id : {"BTN_Edit_Script_User", "BTN_User_Insert", "BTN_Preview_Script_User"})
            QVERIFY2(w.t->action(id)->isEnabled(), id);
    }

    void invalidIndex_isReported_andStartUpGoesOn()
    {
        LibraryWindow w("  too deep\r\n");
        QCOMPARE(w.t->prompter.messages().size(), 1);
        QVERIFY(w.t->prompter.messages().first().text.startsWith(QStringLiteral("Invalid TreeNode Level")));
        QVERIFY(w.t->window->editors().exist());
    }

    void save_withNoSelection_explains()
    {
        LibraryWindow w("Work\r\n");
        w.tree()->clearSelection();
        w.tree()->setCurrentItem(nullptr);
        w.t->trigger("BTN_Zapisz");
        QCOMPARE(w.t->prompter.messages().size(), 1);
        QCOMPARE(w.t->prompter.messages().first().title, QStringLiteral("Information"));
        QCOMPARE(w.t->prompter.messages().first().text, QStringLiteral("Please select a category from \"User library\" tree"));
    }

    void save_intoACategory_writesFileAndIndex()
    {
        LibraryWindow w("Work\r\n menu\r\nMisc\r\n");
        w.t->head()->setWholeText(QStringLiteral("h"));
        w.t->body()->setFocus();
        QTest::keyClicks(w.t->body(), QStringLiteral("b"));
        w.select(QStringLiteral("Misc"));
        QString proposed = QStringLiteral("<untouched>");
        w.answerName(QStringLiteral("  a.b "), &proposed);
        QTest::keySequence(w.t->window.get(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(proposed, QString());
        QCOMPARE(w.t->prompter.dialogs().first().title, QStringLiteral("New script"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n menu\r\nMisc\r\n a.b\r\n"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("a.b.js")),
                 "<!-- part of the HEAD section -->\r\nh\r\n<!-- part of the BODY section -->\r\n" +
                     w.t->body()->wholeText().toUtf8());
        QVERIFY(!w.t->window->editors().isModified());
        QCOMPARE(w.t->window->statusPanels().text(StatusPanels::Modified), QStringLiteral("no changes"));
        QCOMPARE(w.tree()->selectedItem(), w.item(QStringLiteral("Misc"), QStringLiteral("a.b")));
        QVERIFY(w.item(QStringLiteral("Misc"))->isExpanded());
    }

    void save_withAScriptSelected_proposesItsName_andItsCategory()
    {
        LibraryWindow w("Work\r\n menu\r\nMisc\r\n", {{QStringLiteral("menu"), kScriptFile}});
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        QString proposed;
        w.answerName(QStringLiteral("menu2"), &proposed);
        w.t->trigger("MMNU_F_Zapisz");
        QCOMPARE(proposed, QStringLiteral("menu"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n menu\r\n menu2\r\nMisc\r\n"));
    }

    void save_cancelled_writesNothing_andSelectsTheCategory()
    {
        LibraryWindow w("Work\r\n menu\r\n");
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        w.t->prompter.dialogHandlers.insert(QStringLiteral("TDlg_Rename"), [](QDialog &) { return int(QDialog::Rejected); });
        w.t->trigger("BTN_Zapisz");
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n menu\r\n"));
        QCOMPARE(w.tree()->selectedItem(), w.item(QStringLiteral("Work")));
    }

    void save_refusesBadNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("warning");
        QTest::newRow("blank") << "   " << "Please don't use blank names!";
        QTest::newRow("backslash") << "a\\b" << "Please don't use \"\\\" in the script names";
        QTest::newRow("slash") << "../escape" << "Please don't use \"/\" in the script names";
        QTest::newRow("line break") << "two\nlines" << "Please don't use line breaks or other control characters in the script names";
        QTest::newRow("invisible only") << QStringLiteral("\u00a0\u200b\u3000") << "Please don't use blank names!";
        QTest::newRow("direction override") << QStringLiteral("sj.\u202egnp") << "Please don't use direction-control characters in the script names";
    }
    void save_refusesBadNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, warning);
        LibraryWindow w("Work\r\n");
        w.select(QStringLiteral("Work"));
        w.answerName(name);
        w.t->trigger("BTN_Zapisz");
        QCOMPARE(w.t->prompter.messages().size(), 1);
        QCOMPARE(w.t->prompter.messages().first().title, QStringLiteral("Warning!"));
        QCOMPARE(w.t->prompter.messages().first().icon, int(IconWarning));
        QCOMPARE(w.t->prompter.messages().first().text, warning);
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n"));
        QCOMPARE(QDir(w.lib()).entryList({QStringLiteral("*.js")}), QStringList());
    }

    void save_aNameInUse_asksToReplace_andKeepsOneNode()
    {
        LibraryWindow w("Work\r\n clock\r\nMisc\r\n", {{QStringLiteral("clock"), kScriptFile}});
        w.t->body()->setWholeText(QStringLiteral("new body"));
        w.select(QStringLiteral("Misc"));
        w.answerName(QStringLiteral("Clock"));

        w.t->prompter.yesNoAnswers = {AnswerNo};
        w.t->trigger("BTN_Zapisz");
        QCOMPARE(w.t->prompter.questions().size(), 1);
        QCOMPARE(w.t->prompter.questions().first().title, QStringLiteral("Information"));
        QCOMPARE(w.t->prompter.questions().first().text,
                 QStringLiteral("In the user library there is a script with the name \"Clock\".\r\nDo you want to replace it?"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("clock.js")), kScriptFile);

        w.t->prompter.yesNoAnswers = {AnswerYes};
        w.t->trigger("BTN_Zapisz");
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n clock\r\nMisc\r\n"));
        // The node keeps its file: the new text went into clock.js.
        QVERIFY(readAll(w.lib() + QStringLiteral("clock.js")).endsWith("new body"));
        QVERIFY(!QFile::exists(w.lib() + QStringLiteral("Clock.js")));
        QCOMPARE(w.item(QStringLiteral("Misc"))->childCount(), 0);
    }

    void save_aScriptNamedLikeACategory_isANewScript()
    {
        LibraryWindow w("Work\r\nMisc\r\n");
        w.select(QStringLiteral("Work"));
        w.answerName(QStringLiteral("Misc"));
        w.t->trigger("BTN_Zapisz");
        QVERIFY(w.t->prompter.questions().isEmpty());
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n Misc\r\nMisc\r\n"));
    }

    void save_withTheFolderGone_offersToCreateIt()
    {
        LibraryWindow w("Work\r\n");
        QVERIFY(QDir(w.lib()).removeRecursively());
        w.select(QStringLiteral("Work"));
        w.answerName(QStringLiteral("s"));
        w.t->prompter.yesNoAnswers = {AnswerNo};
        w.t->trigger("BTN_Zapisz");
        QCOMPARE(w.t->prompter.questions().first().text, QStringLiteral("Scripts folder doesn't exist! Create it now?"));
        QCOMPARE(w.t->prompter.messages().last().text, QStringLiteral("An error occured during saving script!"));
        QVERIFY(!QFile::exists(w.lib()));

        w.t->prompter.yesNoAnswers = {AnswerYes};
        w.t->trigger("BTN_Zapisz");
        QVERIFY(QFile::exists(w.lib() + QStringLiteral("s.js")));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n s\r\n"));
    }

    void save_whenTheLockFileCannotBeWritten_givesTheSystemsReason()
    {
#ifdef Q_OS_UNIX
        // A write past the file-size limit fails as on a full disk.
        LibraryWindow w("Work\r\n");
        w.select(QStringLiteral("Work"));
        w.answerName(QStringLiteral("s"));
        std::optional<FileSizeLimit> limit(std::in_place, 8);
        QVERIFY(limit->isSet());
        w.t->trigger("BTN_Zapisz");
        w.t->trigger("BTN_AddCateg");
        limit.reset();
        QCOMPARE(w.t->prompter.messages().size(), 2);
        for (const RecordingPrompter::Shown &message : w.t->prompter.messages()) {
            QCOMPARE(message.text,
                     QStringLiteral("The user library could not be changed: its lock file %1 could not "
                                    "be made.\r\n%2")
                         .arg(w.lib() + QStringLiteral("uscripts.lock"), QString::fromLocal8Bit(std::strerror(EFBIG))));
        }
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n"));
        QVERIFY(!QFileInfo::exists(w.lib() + QStringLiteral("s.js")));
#else
        QSKIP("file-size limits are a Unix facility");
#endif
    }

    void unreadableIndex_everyChangeSaysWhy_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a pipe") << "fifo";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a link") << "link";
        QTest::newRow("too large") << "large";
    }
    void unreadableIndex_everyChangeSaysWhy()
    {
#ifdef Q_OS_UNIX
        QFETCH(QString, kind);
        QTemporaryDir folder;
        const QString lib = folder.filePath(QStringLiteral("user-scripts/"));
        const QString index = lib + QStringLiteral("uscripts.dat");
        QVERIFY(QDir().mkpath(lib));
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(index).constData(), 0600), 0);
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(index));
        if (kind == QLatin1String("link")) {
            QVERIFY(writeFile(folder.filePath(QStringLiteral("elsewhere")), "Work\r\n"));
            QVERIFY(QFile::link(folder.filePath(QStringLiteral("elsewhere")), index));
        }
        if (kind == QLatin1String("large")) {
            QFile big(index);
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(70) * 1024 * 1024));  // sparse
        }
        TestWindow t(false, lib);
        QCOMPARE(t.prompter.messages().size(), 1);
        const QString atStart = t.prompter.messages().first().text;
        QVERIFY2(atStart.startsWith(QStringLiteral("Cannot open file %1\r\n").arg(index)), qPrintable(atStart));
        QVERIFY(atStart.size() > QStringLiteral("Cannot open file %1\r\n").arg(index).size());

        t.trigger("BTN_AddCateg");
        t.trigger("BTN_Zapisz");
        QCOMPARE(t.prompter.messages().size(), 3);
        QCOMPARE(t.prompter.messages()[1].text, atStart);
        QCOMPARE(t.prompter.messages()[2].text, atStart);
        QVERIFY(t.prompter.questions().isEmpty());
        // What could not be read is still there, untouched.
        QCOMPARE(QDir(lib).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("uscripts.dat")});
        if (kind == QLatin1String("link"))
            QCOMPARE(readAll(folder.filePath(QStringLiteral("elsewhere"))), QByteArray("Work\r\n"));

        // Once it can be read again, the library works.
        QVERIFY(QFile::remove(index) || QDir(index).removeRecursively());
        QVERIFY(writeFile(index, "Work\r\n"));
        t.trigger("BTN_AddCateg");
        QCOMPARE(t.prompter.messages().size(), 3);
        QCOMPARE(readAll(index), QByteArray("Work\r\nNew category\r\n"));
#else
        QSKIP("named pipes and links are a Unix matter here");
#endif
    }

    void addCategory_thenEscape_keepsNewCategory()
    {
        LibraryWindow w("Work\r\n");
        w.tree()->setFocus();
        w.t->trigger("BTN_AddCateg");
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\nNew category\r\n"));
        QTreeWidgetItem *added = w.item(QStringLiteral("New category"));
        QVERIFY(added);
        QCOMPARE(w.tree()->selectedItem(), added);
        QWidget *editor = w.tree()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(added->text(0), QStringLiteral("New category"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\nNew category\r\n"));
    }

    void renamingACategory_trimsAndWrites()
    {
        LibraryWindow w("Work\r\n menu\r\n");
        QTreeWidgetItem *work = w.item(QStringLiteral("Work"));
        work->setText(0, QStringLiteral("  Office \t"));  // what an accepted edit does
        QCOMPARE(work->text(0), QStringLiteral("Office"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Office\r\n menu\r\n"));
        // Scripts are renamed in place too (see the rename tests).
        QVERIFY(w.item(QStringLiteral("Office"), QStringLiteral("menu"))->flags() & Qt::ItemIsEditable);
    }

    void delete_nonEmptyCategory_isRefused()
    {
        LibraryWindow w("Work\r\n menu\r\n");
        w.select(QStringLiteral("Work"));
        w.t->trigger("BTN_Del_Item");
        QCOMPARE(w.t->prompter.messages().first().title, QStringLiteral("Warning - Category not empty!"));
        QCOMPARE(w.t->prompter.messages().first().text,
                 QStringLiteral("You can't delete this category. If you want to delete it, remove all scripts from this "
                                "category first."));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n menu\r\n"));
    }

    void delete_nonEmptyCategory_whenConfirmed_goesWithItsScripts()
    {
        LibraryWindow w("Work\r\n menu\r\n clock\r\nMisc\r\n timer\r\n", {{QStringLiteral("menu"), kScriptFile},
                                                                          {QStringLiteral("clock"), kScriptFile},
                                                                          {QStringLiteral("timer"), kScriptFile}});
        w.select(QStringLiteral("Work"));
        w.t->prompter.yesNoAnswers = {AnswerNo};
        w.t->trigger("BTN_Del_Item");
        QCOMPARE(w.t->prompter.questions().first().text,
                 QStringLiteral("Do you want to delete the category \"Work\" with its 2 scripts?"));
        QCOMPARE(w.t->prompter.messages().first().title, QStringLiteral("Warning - Category not empty!"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")),
                 QByteArray("Work\r\n menu\r\n clock\r\nMisc\r\n timer\r\n"));

        w.t->prompter.yesNoAnswers = {AnswerYes};
        w.t->trigger("BTN_Del_Item");
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Misc\r\n timer\r\n"));
        QVERIFY(!QFileInfo::exists(w.lib() + QStringLiteral("menu.js")));
        QVERIFY(!QFileInfo::exists(w.lib() + QStringLiteral("clock.js")));
        QVERIFY(QFileInfo::exists(w.lib() + QStringLiteral("timer.js")));
        QCOMPARE(w.tree()->topLevelItemCount(), 1);
        QCOMPARE(w.t->prompter.messages().size(), 1);  // no error this time
    }

    void delete_emptyCategory_asksNothing()
    {
        LibraryWindow w("Work\r\nMisc\r\n");
        w.select(QStringLiteral("Misc"));
        w.t->trigger("BTN_Del_Item");
        QVERIFY(w.t->prompter.shown.isEmpty());
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n"));
    }

    void delete_script_asks_thenRemovesFileAndNode()
    {
        LibraryWindow w("Work\r\n menu\r\n clock\r\n", {{QStringLiteral("menu"), kScriptFile}});
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        w.t->prompter.yesNoAnswers = {AnswerNo};
        w.t->trigger("BTN_Del_Item");
        QCOMPARE(w.t->prompter.questions().first().title, QStringLiteral("Delete script?"));
        QCOMPARE(w.t->prompter.questions().first().text, QStringLiteral("Are you really sure you want to delete selected script?"));
        QVERIFY(QFile::exists(w.lib() + QStringLiteral("menu.js")));

        w.t->prompter.yesNoAnswers = {AnswerYes};
        w.t->trigger("BTN_Del_Item");
        QVERIFY(!QFile::exists(w.lib() + QStringLiteral("menu.js")));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n clock\r\n"));
        QVERIFY(w.t->prompter.messages().isEmpty());
    }

    void delete_scriptWhoseFileIsGone_reportsAndRemovesTheNode()
    {
        LibraryWindow w("Work\r\n clock\r\n");
        w.select(QStringLiteral("Work"), QStringLiteral("clock"));
        w.t->prompter.yesNoAnswers = {AnswerYes};
        w.t->trigger("BTN_Del_Item");
        QCOMPARE(w.t->prompter.messages().size(), 1);
        QCOMPARE(w.t->prompter.messages().first().icon, int(IconError));
        QCOMPARE(w.t->prompter.messages().first().text, QStringLiteral("An error occured during deleting script file!"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n"));
        QVERIFY(!w.item(QStringLiteral("Work"), QStringLiteral("clock")));
    }

    // A library script taken into the editors and saved back under its
    // name, over and over, keeps its file as it was: neither fragment
    // gains a line break.
    void editAndSaveBack_tenTimes_leavesTheFileAsItWas_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("body");
        QTest::newRow("written by the program")
            << kScriptFile << QStringLiteral("var t;") << QStringLiteral("show(t);");
        QTest::newRow("fragments ending in a line break")
            << QByteArray("<!-- part of the HEAD section -->\r\nvar t;\r\n\r\n<!-- part of the BODY section -->\r\n"
                          "show(t);\r\n")
            << QStringLiteral("var t;\r\n") << QStringLiteral("show(t);\r\n");
    }
    void editAndSaveBack_tenTimes_leavesTheFileAsItWas()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, head);
        QFETCH(QString, body);
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), file}});
        for (int round = 0; round < 10; ++round) {
            w.select(QStringLiteral("Work"), QStringLiteral("menu"));
            w.t->prompter.yesNoAnswers = {AnswerYes};
            w.t->trigger("BTN_Edit_Script_User");
            QCOMPARE(w.t->head()->wholeText(), head);
            QCOMPARE(w.t->body()->wholeText(), body);
            w.select(QStringLiteral("Work"), QStringLiteral("menu"));
            w.answerName(QStringLiteral("menu"));
            w.t->prompter.yesNoAnswers = {AnswerYes};  // replace the script of that name
            w.t->trigger("MMNU_F_Zapisz");
            QCOMPARE(readAll(w.lib() + QStringLiteral("menu.js")), file);
        }
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n menu\r\n"));
    }

    void edit_asksThenLoadsTheScript()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kScriptFile}});
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        const QString before = w.t->body()->wholeText();
        w.t->prompter.yesNoAnswers = {AnswerNo};
        w.t->trigger("BTN_Edit_Script_User");
        QCOMPARE(w.t->prompter.questions().first().title, QStringLiteral("Please confirm!"));
        QCOMPARE(w.t->prompter.questions().first().text, QStringLiteral("Current script will be deleted, continue ?"));
        QCOMPARE(w.t->body()->wholeText(), before);

        w.t->prompter.yesNoAnswers = {AnswerYes};
        w.t->trigger("BTN_Edit_Script_User");
        QCOMPARE(w.t->head()->wholeText(), QStringLiteral("var t;"));
        QCOMPARE(w.t->body()->wholeText(), QStringLiteral("show(t);"));
        QVERIFY(!w.t->window->editors().isModified());
    }

    void edit_aScriptWithoutItsFileOrTooLarge_keepsTheEditorsAndTheirUndo_data()
    {
        QTest::addColumn<bool>("tooLarge");
        QTest::addColumn<QString>("message");
        QTest::newRow("file missing") << false
                                      << "Cannot edit selected script. Its file is missing or corrupted";
        QTest::newRow("file too large")
            << true << "Cannot edit selected script. It is larger than 64 MiB, too large for a script";
    }
    void edit_aScriptWithoutItsFileOrTooLarge_keepsTheEditorsAndTheirUndo()
    {
        QFETCH(bool, tooLarge);
        QFETCH(QString, message);
        LibraryWindow w("Work\r\n gone\r\n");
        if (tooLarge) {
            QFile big(w.lib() + QStringLiteral("gone.js"));
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(kMaxTextFileBytes + 1));  // sparse: costs no disk
        }
        w.t->head()->setWholeText(QStringLiteral("head"));
        w.t->body()->setFocus();
        QTest::keyClicks(w.t->body(), QStringLiteral("typed"));
        const QString body = w.t->body()->wholeText();
        w.select(QStringLiteral("Work"), QStringLiteral("gone"));
        w.t->prompter.yesNoAnswers = {AnswerYes};
        w.t->trigger("BTN_Edit_Script_User");
        QCOMPARE(w.t->prompter.messages().size(), 1);
        QCOMPARE(w.t->prompter.messages().first().title, QStringLiteral("Error"));
        QCOMPARE(w.t->prompter.messages().first().text, message);
        QCOMPARE(w.t->head()->wholeText(), QStringLiteral("head"));
        QCOMPARE(w.t->body()->wholeText(), body);
        QVERIFY(w.t->body()->isUndoAvailable());
        QTRY_VERIFY(!QGuiApplication::overrideCursor());
    }

    void indexReadInPart_isReportedOnce_andKeptWholeOnTheFirstChange()
    {
        const QByteArray index("Work\r\n\x1a\r\nMisc\r\n clock\r\n");
        LibraryWindow w(index);
        QCOMPARE(w.t->prompter.messages().size(), 1);
        QCOMPARE(w.t->prompter.messages().first().icon, int(IconWarning));
        QVERIFY(w.t->prompter.messages().first().text.contains(QStringLiteral("uscripts.dat.bak")));
        w.t->trigger("BTN_AddCateg");
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat.bak")), index);
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\nNew category\r\n"));
        QCOMPARE(w.t->prompter.messages().size(), 1);
    }

    // BODY at the caret (not at the end), HEAD at the end, nothing asked.
    void insert_putsBodyAtTheCaretWithoutAsking()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kScriptFile}});
        w.t->head()->setWholeText(QStringLiteral("H0"));
        w.t->body()->setWholeText(QStringLiteral("B0"));
        w.t->body()->setCaretPosition(1);
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        w.t->trigger("BTN_User_Insert");
        QVERIFY(w.t->prompter.shown.isEmpty());
        QCOMPARE(w.t->head()->wholeText(), QStringLiteral("H0var t;"));
        QCOMPARE(w.t->body()->wholeText(), QStringLiteral("Bshow(t);0"));
        QCOMPARE(w.t->body()->caretPosition(), 9);
        QVERIFY(w.t->window->editors().isModified());
    }

    // One undo step across both editors, from either side; an edit of the
    // other editor in between is never undone by it.
    void insert_isOneUndoStepOfBothEditors()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kScriptFile}});
        ScriptEditor *head = w.t->head();
        ScriptEditor *body = w.t->body();
        head->setWholeText(QStringLiteral("H0"));
        body->setWholeText(QStringLiteral("B0 selected"));
        body->setSel(3, 8);
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        w.t->trigger("BTN_User_Insert");
        w.t->trigger("BTN_User_Insert");
        // The caret was at the selection's end; the selected text stays.
        QCOMPARE(body->wholeText(), QStringLiteral("B0 selectedshow(t);show(t);"));
        QCOMPARE(head->wholeText(), QStringLiteral("H0var t;var t;"));

        head->undo();
        QCOMPARE(head->wholeText(), QStringLiteral("H0var t;"));
        QCOMPARE(body->wholeText(), QStringLiteral("B0 selectedshow(t);"));
        body->undo();
        QCOMPARE(head->wholeText(), QStringLiteral("H0"));
        QCOMPARE(body->wholeText(), QStringLiteral("B0 selected"));
        QVERIFY(!head->isUndoAvailable());
        QVERIFY(!body->isUndoAvailable());
        body->redo();
        QCOMPARE(head->wholeText(), QStringLiteral("H0var t;"));
        QCOMPARE(body->wholeText(), QStringLiteral("B0 selectedshow(t);"));

        // The user types into HEAD: undoing BODY's half leaves HEAD alone.
        head->insertAt(QStringLiteral("X"), 0, 0);
        body->undo();
        QCOMPARE(body->wholeText(), QStringLiteral("B0 selected"));
        QCOMPARE(head->wholeText(), QStringLiteral("XH0var t;"));
        head->undo();
        QCOMPARE(head->wholeText(), QStringLiteral("H0var t;"));
        head->undo();
        QCOMPARE(head->wholeText(), QStringLiteral("H0"));
        QCOMPARE(body->wholeText(), QStringLiteral("B0 selected"));
        QVERIFY(body->isRedoAvailable());
    }

    void copyFromLibrary_withTheTreeFocused()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kScriptFile}});
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        w.tree()->setFocus();
        QTRY_VERIFY(w.tree()->hasFocus());
        w.t->trigger("POP_Clip_Library");
        QVERIFY(w.t->prompter.messages().isEmpty());
        QCOMPARE(
            QGuiApplication::clipboard()->text(),
            QStringLiteral("<!-- This part should be put in the <HEAD> section of your HTML page -->\r\nvar t;\r\n"
                           "<!-- This part should be put at the caret position of your HTML page -->\r\nshow(t);"));
    }

    void droppingAScript_onAnEditor_loadsIt_andCategoriesAreRefused()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kScriptFile}});
        w.select(QStringLiteral("Work"));
        emit w.t->head()->dropped(w.tree(), QPoint(5, 5));
        QVERIFY(w.t->prompter.shown.isEmpty());  // a category is not a script to load

        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        w.t->prompter.yesNoAnswers = {AnswerYes};
        emit w.t->head()->dropped(w.tree(), QPoint(5, 5));
        QCOMPARE(w.t->head()->wholeText(), QStringLiteral("var t;"));
    }

    void preview_withoutAnEmbeddedBrowser_showsTheEditorsScriptInTheDefaultBrowser()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kScriptFile}});
        w.t->body()->setWholeText(QStringLiteral("editor body"));
        w.tree()->clearSelection();
        w.tree()->setCurrentItem(nullptr);
        w.t->window->userLibrary().BTN_Preview_Script_UserClick();
        QCOMPARE(w.t->prompter.messages().first().text, QStringLiteral("Please select a script from User library!"));
        QCOMPARE(w.t->prompter.messages().first().icon, int(IconError));

        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        w.t->trigger("BTN_Preview_Script_User");
        QCOMPARE(w.t->shell.openedPaths.size(), 1);
        QVERIFY(readAll(w.t->shell.openedPaths.first()).contains("editor body"));
    }

    // --- finding, peeking, renaming in place, the pop-up menu ----------------------------------

    void findField_filtersBothTrees_thenEnterAndEditLoadsTheResult()
    {
        const QByteArray clock("<!-- part of the HEAD section -->\r\n\r\n<!-- part of the BODY section -->\r\n"
                               "setInterval(tick, 1000);");
        LibraryWindow w("Work\r\n menu\r\n clock\r\nMisc\r\n Żółw\r\n", {{QStringLiteral("menu"), kScriptFile},
                                                                         {QStringLiteral("clock"), clock},
                                                                         {QStringLiteral("Żółw"), kScriptFile}});
        auto *field = w.t->window->findChild<QLineEdit *>(QStringLiteral("EDT_Szukaj"));
        QVERIFY(field);
        QVERIFY(field->toolTip().contains(QStringLiteral("Ctrl+J")));
        QVERIFY(field->placeholderText().contains(QStringLiteral("Ctrl+J")));
        QVERIFY(!field->accessibleName().isEmpty());
        QTreeWidget *builtIn = w.t->window->builtInLibrary().tree();
        w.item(QStringLiteral("Misc"))->setExpanded(true);

        w.t->trigger("MMNU_View_FindLibrary");
        QCOMPARE(QApplication::focusWidget(), field);
        // By text: only clock, its category opened, the other one hidden.
        QTest::keyClicks(field, QStringLiteral("SETINTERVAL"));
        QVERIFY(!w.item(QStringLiteral("Work"), QStringLiteral("clock"))->isHidden());
        QVERIFY(w.item(QStringLiteral("Work"), QStringLiteral("menu"))->isHidden());
        QVERIFY(w.item(QStringLiteral("Work"))->isExpanded());
        QVERIFY(w.item(QStringLiteral("Misc"))->isHidden());
        for (int i = 0; i < builtIn->topLevelItemCount(); ++i)
            QVERIFY(builtIn->topLevelItem(i)->isHidden());
        // By name in both trees, the match marked for bold drawing; accents
        // ignored where a letter decomposes, not on "ł".
        field->setText(QStringLiteral("zOłw"));
        QVERIFY(!w.item(QStringLiteral("Misc"), QStringLiteral("Żółw"))->isHidden());
        QCOMPARE(w.item(QStringLiteral("Misc"), QStringLiteral("Żółw"))->data(0, MatchDelegate::MatchRole).toPoint(),
                 QPoint(0, 4));
        field->setText(QStringLiteral("zolw"));
        QVERIFY(w.item(QStringLiteral("Misc"))->isHidden());
        field->setText(QStringLiteral("text"));
        QVERIFY(!builtIn->findItems(QStringLiteral("Printing text"), Qt::MatchExactly).first()->isHidden());
        QVERIFY(builtIn->findItems(QStringLiteral("Scroll"), Qt::MatchExactly).first()->isHidden());

        // Escape brings the trees back as they were.
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(field->text().isEmpty());
        QVERIFY(!w.item(QStringLiteral("Work"), QStringLiteral("menu"))->isHidden());
        QVERIFY(!w.item(QStringLiteral("Work"))->isExpanded());
        QVERIFY(w.item(QStringLiteral("Misc"))->isExpanded());
        QVERIFY(!builtIn->findItems(QStringLiteral("Scroll"), Qt::MatchExactly).first()->isHidden());
        QVERIFY(!w.item(QStringLiteral("Misc"), QStringLiteral("Żółw"))->data(0, MatchDelegate::MatchRole).isValid());

        // Enter goes to the first result; Enter there is Edit.
        QTest::keyClicks(field, QStringLiteral("tick"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.tree());
        QCOMPARE(w.tree()->selectedItem(), w.item(QStringLiteral("Work"), QStringLiteral("clock")));
        w.t->prompter.yesNoAnswers = {AnswerYes};
        QTest::keyClick(w.tree(), Qt::Key_Return);
        QCOMPARE(w.t->prompter.questions().last().title, QStringLiteral("Please confirm!"));
        QCOMPARE(w.t->body()->wholeText(), QStringLiteral("setInterval(tick, 1000);"));
    }

    void peek_showsTheSelectedScript()
    {
        LibraryWindow w("Work\r\n menu\r\n gone\r\n", {{QStringLiteral("menu"), kScriptFile}});
        auto *peek = w.t->window->findChild<ScriptEditor *>(QStringLiteral("MEM_Podglad"));
        QVERIFY(peek);
        QVERIFY(peek->isReadOnly());
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        QCOMPARE(peek->wholeText(), QString::fromLatin1(kScriptFile));
        // Shown from the copy in memory: the file is not read again.
        QVERIFY(QFile::remove(w.lib() + QStringLiteral("menu.js")));
        w.select(QStringLiteral("Work"));
        QVERIFY(peek->wholeText().isEmpty());
        QVERIFY(!peek->lineNumbersShown());
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        QVERIFY(peek->wholeText().contains(QStringLiteral("show(t);")));
        w.select(QStringLiteral("Work"), QStringLiteral("gone"));
        QVERIFY(peek->wholeText().contains(QStringLiteral("missing")));
        // A built-in script as its settings make it.
        QTreeWidget *builtIn = w.t->window->builtInLibrary().tree();
        builtIn->setCurrentItem(builtIn->findItems(QStringLiteral("Scroll"), Qt::MatchExactly).first());
        QVERIFY(peek->wholeText().contains(QStringLiteral("<!-- part of the BODY section -->")));
        QVERIFY(peek->wholeText().size() > 100);
        // With line numbers in a margin of their own.
        QVERIFY(peek->lineNumbersShown());
        QTRY_VERIFY(peek->marginWidth(0) > 0);
    }

    void peek_ofABuiltInScript_followsItsSettings()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kScriptFile}});
        auto *peek = w.t->window->findChild<ScriptEditor *>(QStringLiteral("MEM_Podglad"));
        QTreeWidget *builtIn = w.t->window->builtInLibrary().tree();
        builtIn->setCurrentItem(builtIn->findItems(QStringLiteral("Scroll"), Qt::MatchExactly).first());
        auto *radio = w.t->window->findChild<QRadioButton *>(QStringLiteral("CHK_Scr1"));
        auto *text = w.t->window->findChild<QLineEdit *>(QStringLiteral("EDT_Scroll1"));
        QVERIFY(radio && text);
        radio->click();
        text->setText(QStringLiteral("Nowości tygodnia"));
        QTRY_VERIFY(peek->wholeText().contains(QStringLiteral("Nowości tygodnia")));
        text->setText(QStringLiteral("Second headline"));
        QTRY_VERIFY(peek->wholeText().contains(QStringLiteral("Second headline")));
        // A user script shown stays when a built-in setting changes.
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        text->setText(QStringLiteral("Third headline"));
        QCoreApplication::processEvents();
        QCOMPARE(peek->wholeText(), QString::fromLatin1(kScriptFile));
    }

    void rename_F2OnAScript_renamesFileAndIndex_andAClashAsks()
    {
        LibraryWindow w("Work\r\n menu\r\n clock\r\n",
                        {{QStringLiteral("menu"), kScriptFile}, {QStringLiteral("clock"), kScriptFile}});
        const auto renameTo = [&w](const QString &script, const QString &name) {
            w.select(QStringLiteral("Work"), script);
            w.tree()->setFocus();
            QTest::keyClick(w.tree(), Qt::Key_F2);
            auto *editor = w.tree()->findChild<QLineEdit *>();
            QVERIFY(editor);
            editor->setText(name);  // as typed
            QTest::keyClick(editor, Qt::Key_Return);
        };
        renameTo(QStringLiteral("menu"), QStringLiteral("Menu główne"));
        QTRY_COMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")),
                     QByteArray("Work\r\n Menu g\xc5\x82\xc3\xb3wne\r\n clock\r\n"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("Menu główne.js")), kScriptFile);
        QVERIFY(!QFileInfo::exists(w.lib() + QStringLiteral("menu.js")));
        QCOMPARE(w.tree()->selectedItem()->text(0), QStringLiteral("Menu główne"));

        // A clash asks as saving does; No leaves everything as it was.
        w.t->prompter.yesNoAnswers = {AnswerNo};
        renameTo(QStringLiteral("clock"), QStringLiteral("MENU GŁÓWNE"));
        QTRY_COMPARE(w.t->prompter.questions().size(), 1);
        QCOMPARE(
            w.t->prompter.questions().first().text,
            QStringLiteral(
                "In the user library there is a script with the name \"MENU GŁÓWNE\".\r\nDo you want to replace it?"));
        QTRY_VERIFY(w.item(QStringLiteral("Work"), QStringLiteral("clock")));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")),
                 QByteArray("Work\r\n Menu g\xc5\x82\xc3\xb3wne\r\n clock\r\n"));
        // A name the rules refuse gets the same warning as Save.
        renameTo(QStringLiteral("clock"), QStringLiteral("a\\b"));
        QTRY_COMPARE(w.t->prompter.messages().size(), 1);
        QCOMPARE(w.t->prompter.messages().first().text, QStringLiteral("Please don't use \"\\\" in the script names"));
        QTRY_VERIFY(w.item(QStringLiteral("Work"), QStringLiteral("clock")));
    }

    void contextMenu_fromTheKeyboard_offersTheTreesCommands()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kScriptFile}});
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        w.tree()->setFocus();
        QTest::keyClick(w.tree(), Qt::Key_F10, Qt::ShiftModifier);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList items;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                items << action->objectName();
        QCOMPARE(items, (QStringList{"POP_User_Edit", "POP_User_Insert", "POP_User_Preview", "POP_User_Clip",
                                     "POP_User_Rename", "POP_User_Duplicate", "POP_User_Delete", "POP_User_AddCateg",
                                     "POP_User_Export", "POP_User_ExportAll", "POP_User_Import"}));
        // Duplicate, chosen from the menu by its key.
        QTest::keyClick(menu, Qt::Key_U);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n menu\r\n menu (2)\r\n"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("menu (2).js")), kScriptFile);
        QCOMPARE(w.tree()->selectedItem()->text(0), QStringLiteral("menu (2)"));
        // The Menu key opens the built-in tree's own.
        QTreeWidget *builtIn = w.t->window->builtInLibrary().tree();
        builtIn->setCurrentItem(builtIn->topLevelItem(1));
        builtIn->setFocus();
        QTest::keyClick(builtIn, Qt::Key_Menu);
        menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().first()->objectName(), QStringLiteral("POP_Built_Edit"));
        menu->close();
    }

    void deleteKey_inTheTree_deletesTheScript()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kScriptFile}});
        w.select(QStringLiteral("Work"), QStringLiteral("menu"));
        w.t->prompter.yesNoAnswers = {AnswerYes};
        QTest::keyClick(w.tree(), Qt::Key_Delete);
        QCOMPARE(w.t->prompter.questions().first().title, QStringLiteral("Delete script?"));
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n"));
    }

    void openCategories_areKeptBetweenRuns_notAsASearchLeftThem()
    {
        QTemporaryDir settings;
        TestWindow::settingsFile = settings.filePath(QStringLiteral("view.ini"));
        QString lib;
        {
            LibraryWindow w("Work\r\n menu\r\nMisc\r\n timer\r\n");
            lib = w.lib();
            w.item(QStringLiteral("Misc"))->setExpanded(true);
            // A search open at the end does not count.
            w.t->window->libraryFinder().field()->setText(QStringLiteral("menu"));
            QVERIFY(w.item(QStringLiteral("Work"))->isExpanded());
            QVERIFY(w.t->window->close());
            // The index knows nothing of it.
            QCOMPARE(readAll(lib + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n menu\r\nMisc\r\n timer\r\n"));
            TestWindow again(false, lib);
            UserLibraryTree *tree = again.window->userLibrary().tree();
            QVERIFY(!tree->topLevelItem(0)->isExpanded());
            QVERIFY(tree->topLevelItem(1)->isExpanded());
        }
        TestWindow::settingsFile.clear();
    }

    void anotherCopysChanges_areKeptByTheNextSave()
    {
        LibraryWindow w("Work\r\n");
        // Another copy of the program adds a script to the same folder.
        UserLibraryStore other(w.lib());
        QVERIFY(other.load().ok());
        {
            const auto change = other.beginChange();
            QVERIFY(change->locked());
            QVERIFY(other.writeScriptFile(QStringLiteral("theirs"), QString(), QStringLiteral("x")).ok);
            other.tree().roots.front()->addChild(QStringLiteral("theirs"));
            QVERIFY(other.writeIndexFile().ok);
        }
        w.select(QStringLiteral("Work"));
        w.answerName(QStringLiteral("mine"));
        w.t->trigger("BTN_Zapisz");
        QCOMPARE(readAll(w.lib() + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n theirs\r\n mine\r\n"));
        QVERIFY(w.item(QStringLiteral("Work"), QStringLiteral("theirs")));
    }
};

QUILLON_GUI_TEST_MAIN(TestUserLibrary)
#include "tst_userlibrary.moc"
