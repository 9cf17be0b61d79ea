// Moving the user library's nodes in the window: scripts dragged onto
// another category or among its scripts, categories dragged to another
// place, Cut and Paste in the tree (and only there), and several scripts
// deleted with one question.

#include "editor/scripteditor.h"
#include "librarywindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>

namespace {

const QByteArray kIndex("Work\r\n menu\r\n clock\r\n pager\r\nMisc\r\n timer\r\n");

QByteArray scriptFile(const char *body)
{
    return QByteArray("<!-- part of the HEAD section -->\r\n\r\n<!-- part of the BODY section -->\r\n") + body;
}

QMap<QString, QByteArray> kFiles()
{
    return {{QStringLiteral("menu"), scriptFile("menu();")},
            {QStringLiteral("clock"), scriptFile("clock();")},
            {QStringLiteral("pager"), scriptFile("pager();")},
            {QStringLiteral("timer"), scriptFile("timer();")}};
}

/// Selects the scripts named (the first one current), as Ctrl+clicks do.
void selectScripts(const LibraryWindow &w, const QString &category, const QStringList &scripts)
{
    w.select(category, scripts.first());
    for (const QString &script : scripts.mid(1))
        w.item(category, script)->setSelected(true);
}

/// What a drag of the selected nodes carries, as the tree makes it.
std::unique_ptr<QMimeData> draggedNodes(const LibraryWindow &w)
{
    QModelIndexList indexes;
    const QList<QTreeWidgetItem *> items = w.tree()->selectedInOrder();
    for (QTreeWidgetItem *item : items) {
        QTreeWidgetItem *parent = item->parent();
        const int row = parent ? parent->indexOfChild(item) : w.tree()->indexOfTopLevelItem(item);
        const QModelIndex parentIndex =
            parent ? w.tree()->model()->index(w.tree()->indexOfTopLevelItem(parent), 0) : QModelIndex();
        indexes << w.tree()->model()->index(row, 0, parentIndex);
    }
    return std::unique_ptr<QMimeData>(w.tree()->model()->mimeData(indexes));
}

/// A point in the upper or lower quarter of an item's row.
QPoint onItem(const LibraryWindow &w, QTreeWidgetItem *item, bool upper)
{
    w.tree()->scrollToItem(item);
    const QRect r = w.tree()->visualItemRect(item);
    return QPoint(r.center().x(), upper ? r.top() + r.height() / 4 : r.bottom() - r.height() / 4);
}

QStringList jsFiles(const LibraryWindow &w)
{
    return QDir(w.lib()).entryList({QStringLiteral("*.js")}, QDir::Files, QDir::Name);
}

}  // namespace

class TestLibraryMoves : public QObject {
    Q_OBJECT

private slots:
    void dragScripts_ontoAnotherCategory_thenAmongItsScripts_andACategory()
    {
        LibraryWindow w(kIndex, kFiles());
        w.tree()->expandAll();
        selectScripts(w, QStringLiteral("Work"), {QStringLiteral("menu"), QStringLiteral("pager")});
        std::unique_ptr<QMimeData> mime = draggedNodes(w);
        QCOMPARE(w.dropAt(mime.get(), onItem(w, w.item(QStringLiteral("Misc")), true)), Qt::MoveAction);
        QTRY_COMPARE(w.index(), QByteArray("Work\r\n clock\r\nMisc\r\n timer\r\n menu\r\n pager\r\n"));
        // The files stay as they were; what moved stays selected.
        QCOMPARE(jsFiles(w), (QStringList{"clock.js", "menu.js", "pager.js", "timer.js"}));
        QCOMPARE(readAll(w.lib() + QStringLiteral("menu.js")), scriptFile("menu();"));
        QVERIFY(w.item(QStringLiteral("Misc"), QStringLiteral("menu"))->isSelected());
        QVERIFY(w.item(QStringLiteral("Misc"), QStringLiteral("pager"))->isSelected());
        QVERIFY(!w.item(QStringLiteral("Misc"), QStringLiteral("timer"))->isSelected());

        // Onto the upper half of a script: before it; onto its lower half:
        // after it.
        w.select(QStringLiteral("Misc"), QStringLiteral("pager"));
        mime = draggedNodes(w);
        QCOMPARE(w.dropAt(mime.get(), onItem(w, w.item(QStringLiteral("Misc"), QStringLiteral("timer")), true)),
                 Qt::MoveAction);
        QTRY_COMPARE(w.index(), QByteArray("Work\r\n clock\r\nMisc\r\n pager\r\n timer\r\n menu\r\n"));
        w.select(QStringLiteral("Work"), QStringLiteral("clock"));
        mime = draggedNodes(w);
        w.dropAt(mime.get(), onItem(w, w.item(QStringLiteral("Misc"), QStringLiteral("pager")), false));
        QTRY_COMPARE(w.index(), QByteArray("Work\r\nMisc\r\n pager\r\n clock\r\n timer\r\n menu\r\n"));

        // A category onto the upper half of another goes before it.
        w.select(QStringLiteral("Misc"));
        mime = draggedNodes(w);
        QCOMPARE(w.dropAt(mime.get(), onItem(w, w.item(QStringLiteral("Work")), true)), Qt::MoveAction);
        QTRY_COMPARE(w.index(), QByteArray("Misc\r\n pager\r\n clock\r\n timer\r\n menu\r\nWork\r\n"));
        QCOMPARE(w.tree()->selectedItem(), w.category(0));

        // Scripts dropped below every node have nowhere to go.
        w.select(QStringLiteral("Misc"), QStringLiteral("menu"));
        mime = draggedNodes(w);
        QCOMPARE(w.dropAt(mime.get(), QPoint(10, w.tree()->viewport()->height() - 2)), Qt::IgnoreAction);
        // A drag that is not the tree's own moves nothing.
        auto foreign = std::make_unique<QMimeData>();
        foreign->setData(QString::fromLatin1(UserLibraryTree::kNodesFormat), "1:2");
        QCOMPARE(w.dropAt(foreign.get(), onItem(w, w.item(QStringLiteral("Work")), true)), Qt::IgnoreAction);
        QCoreApplication::processEvents();
        QCOMPARE(w.index(), QByteArray("Misc\r\n pager\r\n clock\r\n timer\r\n menu\r\nWork\r\n"));
        QVERIFY2(w.t->prompter.shown.isEmpty(), qPrintable(w.t->prompter.describe()));
    }

    void dragThenTheContextMenuFromTheKeyboard_deletesTheMovedScripts()
    {
        LibraryWindow w(kIndex, kFiles());
        w.tree()->expandAll();
        selectScripts(w, QStringLiteral("Work"), {QStringLiteral("clock"), QStringLiteral("menu")});
        std::unique_ptr<QMimeData> mime = draggedNodes(w);
        w.dropAt(mime.get(), onItem(w, w.item(QStringLiteral("Misc"), QStringLiteral("timer")), true));
        QTRY_COMPARE(w.index(), QByteArray("Work\r\n pager\r\nMisc\r\n menu\r\n clock\r\n timer\r\n"));

        // The Menu key, then Delete by its key: one question for both.
        w.tree()->setFocus();
        QTest::keyClick(w.tree(), Qt::Key_Menu);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        w.t->prompter.yesNoAnswers = {AnswerYes};
        QTest::keyClick(menu, Qt::Key_D);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(w.t->prompter.questions().size(), 1);
        QCOMPARE(w.t->prompter.questions().first().text,
                 QStringLiteral("Are you really sure you want to delete the 2 selected scripts?"));
        QCOMPARE(w.index(), QByteArray("Work\r\n pager\r\nMisc\r\n timer\r\n"));
        QCOMPARE(jsFiles(w), (QStringList{"pager.js", "timer.js"}));
    }

    void deleteSeveral_asksOnce_andNoChangesNothing_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Delete key") << "key";
        QTest::newRow("button") << "BTN_Del_Item";
        QTest::newRow("Library menu") << "MMNU_L_Delete";
    }
    void deleteSeveral_asksOnce_andNoChangesNothing()
    {
        QFETCH(QString, way);
        LibraryWindow w(kIndex, kFiles());
        selectScripts(w, QStringLiteral("Work"), {QStringLiteral("menu"), QStringLiteral("pager")});
        w.item(QStringLiteral("Misc"), QStringLiteral("timer"))->setSelected(true);
        const auto askToDelete = [&] {
            if (way == u"key") {
                w.tree()->setFocus();
                QTest::keyClick(w.tree(), Qt::Key_Delete);
            } else {
                w.t->trigger(way.toLatin1().constData());
            }
        };
        w.t->prompter.yesNoAnswers = {AnswerNo, AnswerYes};
        askToDelete();
        QCOMPARE(w.t->prompter.questions().size(), 1);
        QCOMPARE(w.t->prompter.questions().first().title, QStringLiteral("Delete scripts?"));
        QCOMPARE(w.t->prompter.questions().first().text,
                 QStringLiteral("Are you really sure you want to delete the 3 selected scripts?"));
        QCOMPARE(w.index(), kIndex);
        QCOMPARE(jsFiles(w).size(), 4);
        askToDelete();
        QCOMPARE(w.t->prompter.questions().size(), 2);
        QCOMPARE(w.index(), QByteArray("Work\r\n clock\r\nMisc\r\n"));
        QCOMPARE(jsFiles(w), QStringList{"clock.js"});
        QVERIFY2(w.t->prompter.messages().isEmpty(), qPrintable(w.t->prompter.describe()));
    }

    void deleteSeveral_withACategoryAmongThem_deletesNothing()
    {
        LibraryWindow w(kIndex, kFiles());
        selectScripts(w, QStringLiteral("Work"), {QStringLiteral("menu")});
        w.item(QStringLiteral("Misc"))->setSelected(true);
        w.t->trigger("BTN_Del_Item");
        QVERIFY(w.t->prompter.questions().isEmpty());
        QCOMPARE(w.t->prompter.messages().size(), 1);
        QCOMPARE(w.index(), kIndex);
    }

    void cutAndPaste_inTheTree_moveNodes_andLeaveTheEditorsAlone()
    {
        LibraryWindow w(kIndex, kFiles());
        ScriptEditor *body = w.t->body();
        body->setWholeText(QStringLiteral("typed text"));
        body->selectAll(true);
        QGuiApplication::clipboard()->setText(QStringLiteral("on the clipboard"));

        // The tree has the focus: Ctrl+X and Ctrl+V move the script there.
        w.tree()->expandAll();
        w.select(QStringLiteral("Work"), QStringLiteral("clock"));
        w.tree()->setFocus();
        QTRY_VERIFY(w.tree()->hasFocus());
        QTest::keyClick(w.tree(), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(w.item(QStringLiteral("Work"), QStringLiteral("clock"))->font(0).italic());
        w.select(QStringLiteral("Misc"));
        QTest::keyClick(w.tree(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.index(), QByteArray("Work\r\n menu\r\n pager\r\nMisc\r\n timer\r\n clock\r\n"));
        QVERIFY(!w.item(QStringLiteral("Misc"), QStringLiteral("clock"))->font(0).italic());
        QCOMPARE(body->wholeText(), QStringLiteral("typed text"));
        QVERIFY(body->hasSelectedText());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("on the clipboard"));

        // A category by the Edit menu's commands: pasted on another, it goes
        // before it.
        w.select(QStringLiteral("Misc"));
        w.t->trigger("MMNU_E_Cut");
        w.select(QStringLiteral("Work"));
        w.t->trigger("MMNU_E_Paste");
        QCOMPARE(w.index(), QByteArray("Misc\r\n timer\r\n clock\r\nWork\r\n menu\r\n pager\r\n"));
        QCOMPARE(body->wholeText(), QStringLiteral("typed text"));

        // In an editor they are the editor's: the tree's cut waits.
        w.select(QStringLiteral("Work"), QStringLiteral("pager"));
        QTest::keyClick(w.tree(), Qt::Key_X, Qt::ControlModifier);
        body->setFocus();
        QTRY_VERIFY(body->hasFocus());
        QTest::keyClick(body, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(body->wholeText(), QString());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("typed text"));
        QTest::keyClick(body, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(body, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(body->wholeText(), QStringLiteral("typed texttyped text"));
        QCOMPARE(w.index(), QByteArray("Misc\r\n timer\r\n clock\r\nWork\r\n menu\r\n pager\r\n"));

        // Back in the tree, the cut script is pasted before the one chosen.
        w.tree()->setFocus();
        QTRY_VERIFY(w.tree()->hasFocus());
        w.select(QStringLiteral("Misc"), QStringLiteral("timer"));
        QTest::keyClick(w.tree(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.index(), QByteArray("Misc\r\n pager\r\n timer\r\n clock\r\nWork\r\n menu\r\n"));
        QCOMPARE(body->wholeText(), QStringLiteral("typed texttyped text"));
        QVERIFY2(w.t->prompter.shown.isEmpty(), qPrintable(w.t->prompter.describe()));
    }
};

QUILLON_GUI_TEST_MAIN(TestLibraryMoves)
#include "tst_librarymoves.moc"
