// Scripts in and out of the user library in the window: files dropped from
// the file manager onto a category, Export and Import from the tree's
// pop-up menu, and the clash question.

#include "librarywindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace {

const QByteArray kMenu("<!-- part of the HEAD section -->\r\n\r\n<!-- part of the BODY section -->\r\nmenu();");
const QByteArray kClock("<!-- part of the HEAD section -->\r\nvar t;\r\n<!-- part of the BODY section -->\r\nclock();");

QMimeData *filesMime(const QStringList &paths)
{
    auto *mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    mime->setUrls(urls);
    return mime;
}

}  // namespace

class TestLibraryExchange : public QObject {
    Q_OBJECT

private slots:
    void droppedJsFile_becomesAScriptOfTheCategory()
    {
        LibraryWindow w("Work\r\n menu\r\nMisc\r\n", {{QStringLiteral("menu"), kMenu}});
        const QString file = w.folder.filePath(QStringLiteral("from-elsewhere/ticker.js"));
        QVERIFY(writeFile(file, "scroll();\n"));
        std::unique_ptr<QMimeData> mime(filesMime({file}));

        // Onto the script "menu": it goes to menu's category.
        w.tree()->expandAll();
        QVERIFY(w.drop(mime.get(), w.category(0)->child(0)));
        QCOMPARE(w.index(), QByteArray("Work\r\n menu\r\n ticker\r\nMisc\r\n"));
        QCOMPARE(
            readAll(w.lib() + QStringLiteral("ticker.js")),
            QByteArray("<!-- part of the HEAD section -->\r\n\r\n<!-- part of the BODY section -->\r\nscroll();\r\n"));
        QCOMPARE(readAll(file), QByteArray("scroll();\n"));
        QCOMPARE(w.tree()->selectedItem()->text(0), QStringLiteral("ticker"));
        QVERIFY2(w.t->prompter.shown.isEmpty(), qPrintable(w.t->prompter.describe()));

        // Again onto Misc: the name is taken, and Keep both makes a copy.
        int asked = 0;
        w.answerClash(ClashChoice::KeepBoth, false, &asked);
        QVERIFY(w.drop(mime.get(), w.category(1)));
        QCOMPARE(asked, 1);
        QCOMPARE(w.index(), QByteArray("Work\r\n menu\r\n ticker\r\nMisc\r\n ticker (2)\r\n"));
        QCOMPARE(w.tree()->selectedItem()->text(0), QStringLiteral("ticker (2)"));
    }

    void otherDrops_areRefused()
    {
        LibraryWindow w("Work\r\n");
        const QString text = w.folder.filePath(QStringLiteral("notes.txt"));
        QVERIFY(writeFile(text, "x"));
        std::unique_ptr<QMimeData> notScript(filesMime({text}));
        QVERIFY(!w.drop(notScript.get(), w.category(0)));
        auto plain = std::make_unique<QMimeData>();
        plain->setText(QStringLiteral("some text"));
        QVERIFY(!w.drop(plain.get(), w.category(0)));
        QCOMPARE(w.index(), QByteArray("Work\r\n"));
    }

    void contextMenu_offersExportAndImport()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kMenu}});
        QMenu *menu =
            TestWindow::openContextMenu(w.tree()->viewport(), w.tree()->visualItemRect(w.category(0)).center());
        QVERIFY(menu);
        QStringList captions;
        for (QAction *action : menu->actions())
            captions << action->text();
        menu->close();
        for (const char *caption : {"E&xport ...", "Export &library ...", "I&mport ..."})
            QVERIFY2(captions.contains(QString::fromLatin1(caption)), caption);
    }

    void exportThenImport_asksAboutClashes_onceForAll()
    {
        LibraryWindow from("Work\r\n menu\r\n clock\r\nMisc\r\n",
                           {{QStringLiteral("menu"), kMenu}, {QStringLiteral("clock"), kClock}});
        const QString archive = from.folder.filePath(QStringLiteral("work.zip"));
        from.tree()->selectItem(from.category(0));
        from.t->prompter.saveFileAnswers << archive;
        from.t->trigger("POP_User_Export");
        QCOMPARE(from.t->prompter.shown.size(), 1);
        QCOMPARE(from.t->prompter.shown[0].request.fileName, QStringLiteral("Work.zip"));
        QVERIFY(QFileInfo(archive).size() > 0);

        // Into a library that has both scripts already, with other texts.
        LibraryWindow into("Mine\r\n Menu\r\n clock\r\n",
                           {{QStringLiteral("Menu"), "old menu"}, {QStringLiteral("clock"), "old clock"}});
        int asked = 0;
        into.answerClash(ClashChoice::Replace, true, &asked);
        into.t->prompter.openFileAnswers << archive;
        into.t->trigger("POP_User_Import");
        QCOMPARE(asked, 1);
        // Replaced scripts stay where they stood, so no category came.
        QCOMPARE(into.index(), QByteArray("Mine\r\n Menu\r\n clock\r\n"));
        QCOMPARE(readAll(into.lib() + QStringLiteral("Menu.js")), kMenu);
        QCOMPARE(readAll(into.lib() + QStringLiteral("clock.js")), kClock);
        const QList<RecordingPrompter::Shown> messages = into.t->prompter.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text,
                 QStringLiteral("2 scripts were imported from %1: 2 replaced.").arg(QDir::toNativeSeparators(archive)));

        // Cancel at the question: nothing changes.
        const QByteArray indexBefore = into.index();
        into.t->prompter.dialogHandlers.insert(QStringLiteral("TDlg_ImportClash"),
                                               [](QDialog &) { return int(QDialog::Rejected); });
        QVERIFY(writeFile(into.lib() + QStringLiteral("clock.js"), "changed since"));
        into.t->prompter.openFileAnswers << archive;
        into.t->trigger("POP_User_Import");
        QCOMPARE(into.index(), indexBefore);
        QCOMPARE(readAll(into.lib() + QStringLiteral("clock.js")), QByteArray("changed since"));
    }

    void damagedArchive_isRefused_withNothingChanged()
    {
        LibraryWindow w("Work\r\n menu\r\n", {{QStringLiteral("menu"), kMenu}});
        const QString archive = w.folder.filePath(QStringLiteral("broken.zip"));
        QVERIFY(writeFile(archive, "PK\3\4 not really"));
        w.t->prompter.openFileAnswers << archive;
        w.t->trigger("POP_User_Import");
        const QList<RecordingPrompter::Shown> messages = w.t->prompter.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("Error!"));
        QVERIFY2(messages[0].text.contains(QStringLiteral("cannot be imported")) &&
                     messages[0].text.endsWith(QStringLiteral("Nothing was changed.")),
                 qPrintable(messages[0].text));
        QCOMPARE(w.index(), QByteArray("Work\r\n menu\r\n"));
    }
};

QUILLON_GUI_TEST_MAIN(TestLibraryExchange)
#include "tst_libraryexchange.moc"
