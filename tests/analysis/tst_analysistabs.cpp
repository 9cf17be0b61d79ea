// The Functions and Languages tabs in the window: the element list and its
// jump, and inserting language elements by double click and by drop.

#include "analysis/elementlistview.h"
#include "analysis/languagetreewidget.h"
#include "app/resourcetabs.h"
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"
#include "preview/previewcontroller.h"
#include "testfiles.h"
#include "testwindow.h"

#include <QAction>
#include <QHeaderView>
#include <QTabWidget>

namespace {

QTreeWidgetItem *nodeAt(QTreeWidget *tree, const QString &path)
{
    QTreeWidgetItem *item = nullptr;
    for (const QString &step : path.split(QStringLiteral(" > "))) {
        QTreeWidgetItem *next = nullptr;
        const int count = item ? item->childCount() : tree->topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem *child = item ? item->child(i) : tree->topLevelItem(i);
            if (child->text(0) == step)
                next = child;
        }
        if (!next)
            return nullptr;
        item = next;
    }
    return item;
}

void doubleClick(QTreeWidget *tree, QTreeWidgetItem *item)
{
    for (QTreeWidgetItem *up = item->parent(); up; up = up->parent())
        up->setExpanded(true);
    tree->scrollToItem(item);
    QTest::qWait(0);  // the tree lays out the opened nodes
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

int firstVisibleLine(const ScriptEditor *editor)
{
    return int(editor->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE));
}

QStringList listed(const ElementListView *list)
{
    QStringList rows;
    const QAbstractItemModel *m = list->model();
    for (int r = 0; r < m->rowCount(); ++r)
        rows << m->index(r, 0).data().toString() + u'|' + m->index(r, 1).data().toString();
    return rows;
}

} // namespace

class TestAnalysisTabs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The list's order is the collation of the user's language.
        QLocale::setDefault(QLocale(QLocale::English));
    }

    void languageElement_doubleClicked_goesIntoTheCurrentEditor_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("expectedStart");
        QTest::addColumn<int>("expectedLength");
        // The caret stands at selStart when selLength is 0.
        QTest::newRow("argument place without a selection")
            << "JavaScript > Window > History > history.go(..)" << "x;" << 0 << 0 << "history.go()x;" << 11 << 0;
        QTest::newRow("wrapped selection stays selected")
            << "JavaScript > Window > window.alert(\"..\")" << "say hello now" << 4 << 5
            << "say window.alert(\"hello\") now" << 18 << 5;
        QTest::newRow("no argument place: the text as it is")
            << "JavaScript > Window > window.status" << "ab" << 1 << 0 << "awindow.statusb" << 14 << 0;
        QTest::newRow("event handler") << "Events > Window > onLoad=\"..\"" << "" << 0 << 0 << "onLoad=\"\"" << 8 << 0;
        QTest::newRow("category only switches pages") << "JavaScript > Math" << "keep" << 1 << 2 << "keep" << 1 << 2;
        QTest::newRow("root only switches pages") << "Events" << "keep" << 0 << 0 << "keep" << 0 << 0;
    }
    void languageElement_doubleClicked_goesIntoTheCurrentEditor()
    {
        QFETCH(QString, node);
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, expected);
        QFETCH(int, expectedStart);
        QFETCH(int, expectedLength);
        TestWindow t;
        ResourceTabs *tabs = t.window->resourceTabs();
        t.head()->setWholeText(text);
        t.head()->setSel(selStart, selLength);
        const QString body = t.body()->wholeText();
        // HEAD_ED is the editor worked in last.
        QVERIFY(t.head()->focusEditor());
        QTRY_VERIFY(t.head()->focused());
        // From the Preview page: the double click comes back to the editors.
        t.window->preview().enterPreviewTab();
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->previewPage());
        tabs->setCurrentWidget(tabs->languagesPage());
        LanguageTreeWidget *tree = tabs->languageTree();
        QTreeWidgetItem *item = nodeAt(tree, node);
        QVERIFY2(item, qPrintable(node));

        doubleClick(tree, item);
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->editorPage());
        QCOMPARE(t.head()->wholeText(), expected);
        QCOMPARE(t.head()->selStart(), expectedStart);
        QCOMPARE(t.head()->selLength(), expectedLength);
        QCOMPARE(t.body()->wholeText(), body);
        QVERIFY(t.prompter.shown.isEmpty());
        if (expected != text)
            QTRY_VERIFY(t.head()->focused());
    }

    void languageTree_loadsOnce_keepsItsState_andDragsElementsOnly()
    {
        TestWindow t;
        ResourceTabs *tabs = t.window->resourceTabs();
        LanguageTreeWidget *tree = tabs->languageTree();
        QCOMPARE(tree->topLevelItemCount(), 0);  // nothing until the first visit
        tabs->setCurrentWidget(tabs->languagesPage());
        QCOMPARE(tree->topLevelItemCount(), 3);
        QTreeWidgetItem *math = nodeAt(tree, QStringLiteral("VBScript > Math"));
        QVERIFY(math);
        math->setExpanded(true);
        tree->setCurrentItem(math->child(2));

        // A second visit keeps the very same nodes, opened and chosen as left.
        tabs->setCurrentWidget(tabs->functionsPage());
        tabs->setCurrentWidget(tabs->languagesPage());
        QCOMPARE(nodeAt(tree, QStringLiteral("VBScript > Math")), math);
        QVERIFY(math->isExpanded());
        QCOMPARE(tree->currentItem(), math->child(2));

        // Full expand opens everything and goes to the first node; full
        // collapse closes everything.
        t.trigger("BTN_Lang_Expand");
        QVERIFY(nodeAt(tree, QStringLiteral("Events > Window > Document > Link"))->isExpanded());
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
        t.trigger("BTN_Lang_Collapse");
        QVERIFY(!tree->topLevelItem(0)->isExpanded());
        QVERIFY(!nodeAt(tree, QStringLiteral("Events > Window > Document > Link"))->isExpanded());

        // Dropped on BODY_ED while HEAD_ED was current: an element goes into
        // the editor dropped on; a category is refused, a root too.
        t.window->editors().setCurrentIsHead(true);
        t.body()->setWholeText(QString());
        const QString head = t.head()->wholeText();
        for (const char *path : {"JavaScript > Math", "Events", "JavaScript > Math > Math.max(..)"}) {
            QTreeWidgetItem *item = nodeAt(tree, QString::fromUtf8(path));
            QVERIFY2(item, path);
            tree->setCurrentItem(item);
            emit t.body()->dropped(tree, QPoint(5, 5));
        }
        QCOMPARE(t.body()->wholeText(), QStringLiteral("Math.max()"));
        QCOMPARE(t.body()->caretPosition(), 9);
        QCOMPARE(t.head()->wholeText(), head);
        QVERIFY(!tree->acceptDrops());
    }

    void functionsTab_listsTheScriptsElements_andJumpsToThem()
    {
        TestWindow t;
        ResourceTabs *tabs = t.window->resourceTabs();
        ElementListView *list = tabs->functionList();
        QString body = QStringLiteral("function go() {\r\n");
        for (int i = 1; i < 200; ++i)
            body += QStringLiteral("  x = %1;\r\n").arg(i);
        body += QStringLiteral("\twhile (more) step();\r\nSub Tick()\r\n");
        for (int i = 0; i < 100; ++i)
            body += QStringLiteral("  y = %1\r\n").arg(i);
        body += QStringLiteral("End Sub");
        t.head()->setWholeText(QStringLiteral("<SCRIPT>\r\nif (ready) FOR (a)\r\n</SCRIPT>"));
        t.body()->setWholeText(body);

        // Entering the tab lists both editors, sorted.
        tabs->setCurrentWidget(tabs->functionsPage());
        QCOMPARE(listed(list), (QStringList{"function go()|Body", "if (ready)|Head", "if (ready)|Head",
                                            "Sub Tick()|Body", "while (more)|Body"}));
        QCOMPARE(list->horizontalHeader()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Element"));

        // No selection: nothing happens.
        t.body()->setCaretLineColumn(120, 3);
        t.trigger("BTN_Func_Jump");
        QCOMPARE(t.body()->caretLine(), 120);

        // The element on line 0: the editor scrolls to its top, the caret
        // keeps its column and the editor has the focus.
        list->selectRow(0);
        t.trigger("BTN_Func_Jump");
        QCOMPARE(firstVisibleLine(t.body()), 0);
        QCOMPARE(t.body()->caretLine(), 1);
        QCOMPARE(t.body()->caretColumn(), 3);
        QTRY_VERIFY(t.body()->focused());

        // A double click on a row further down puts its line at the top.
        const QRect row = list->visualRect(list->model()->index(4, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(firstVisibleLine(t.body()), 200);
        QCOMPARE(t.body()->caretLine(), 201);
        QCOMPARE(t.body()->caretColumn(), 3);

        // The list is a snapshot until Refresh; the HEAD element jumps in
        // HEAD_ED, to whatever line has that number by then.
        t.head()->setWholeText(QStringLiteral("if (a) b\r\nwith (c)\r\n"));
        QCOMPARE(list->model()->rowCount(), 5);
        t.trigger("BTN_Refresh_Func");
        QCOMPARE(listed(list), (QStringList{"function go()|Body", "if (a)|Head", "Sub Tick()|Body",
                                            "while (more)|Body", "with (c)|Head"}));
        list->selectRow(4);
        t.trigger("BTN_Func_Jump");
        QCOMPARE(t.head()->caretLine(), 2);
        QTRY_VERIFY(t.head()->focused());
        QVERIFY(t.prompter.shown.isEmpty());
    }

    // While the Functions tab shows, a new script in the editors (New, Open,
    // Edit from the library) is listed at once.
    void functionsTab_followsANewScript_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("New") << "MMNU_F_New" << QStringList{};
        QTest::newRow("Open") << "MMNU_F_Open" << QStringList{"function opened()|Body"};
        QTest::newRow("Edit from the library") << "BTN_Edit_Script_User" << QStringList{"function kept()|Head"};
    }

    void functionsTab_followsANewScript()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, expected);
        QTemporaryDir folder;
        const QString lib = folder.filePath(QStringLiteral("user-scripts/"));
        QVERIFY(writeFile(lib + QStringLiteral("uscripts.dat"), "Work\r\n menu\r\n"));
        QVERIFY(writeFile(
            lib + QStringLiteral("menu.js"),
            "<!-- part of the HEAD section -->\r\nfunction kept() {}\r\n<!-- part of the BODY section -->\r\n"));
        const QString opened = folder.filePath(QStringLiteral("opened.js"));
        QVERIFY(writeFile(opened, "function opened() {}\r\n"));
        TestWindow t(false, lib);
        UserLibraryTree *tree = t.window->userLibrary().tree();
        tree->selectItem(tree->topLevelItem(0)->child(0));
        t.body()->setWholeText(QStringLiteral("function before() {}"));
        ResourceTabs *tabs = t.window->resourceTabs();
        tabs->setCurrentWidget(tabs->functionsPage());
        QCOMPARE(listed(tabs->functionList()), QStringList{"function before()|Body"});

        t.prompter.yesNoAnswers = {AnswerYes};
        t.prompter.openFileAnswers = {opened};
        t.trigger(command.toLatin1().constData());
        QCOMPARE(listed(tabs->functionList()), expected);
    }
};

QUILLON_GUI_TEST_MAIN(TestAnalysisTabs)
#include "tst_analysistabs.moc"
