// The editing commands: the insertion operations every wizard uses, quote
// pairing, the current- and focused-editor rules, Find next, Jump to line,
// Wordwrap and the gutter.

#include "document/editcontroller.h"
#include "document/jumptolinedialog.h"
#include "document/scripteditors.h"
#include "document/scripttext.h"
#include "editor/editorsearch.h"
#include "editor/scripteditor.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"
#include "preview/previewcontroller.h"
#include "testwindow.h"
#include "widgets/actions.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

class TestEditCommands : public QObject {
    Q_OBJECT

    static void select(ScriptEditor *editor, int start, int length)
    {
        editor->setSel(start, length);
        QCOMPARE(editor->selStart(), start);
        QCOMPARE(editor->selLength(), length);
    }

private slots:
    void wrapAndInsert_aroundAWord_keepsTheWordSelected()
    {
        TestWindow t;
        t.body()->setWholeText(QStringLiteral("x abc y"));
        t.window->editors().setCurrent(t.body());
        select(t.body(), 2, 3);
        t.window->editing().WrapAndInsert(QStringLiteral("<B>"), QStringLiteral("</B>"));
        QCOMPARE(t.body()->wholeText(), QStringLiteral("x <B>abc</B> y"));
        QCOMPARE(t.body()->selectedText(), QStringLiteral("abc"));
        QCOMPARE(t.body()->selStart(), 5);
        QTRY_VERIFY(t.body()->hasFocus());
    }

    void wrapAndInsert_aroundTwoLines_selectsExactlyThoseLines()
    {
        TestWindow t;
        t.body()->setWholeText(QStringLiteral("one\r\ntwo\r\nthree"));
        t.window->editors().setCurrent(t.body());
        select(t.body(), 0, 7);  // "one" CR LF "two": a line break is one position
        QCOMPARE(t.body()->selectedText(), QStringLiteral("one\r\ntwo"));
        t.window->editing().WrapAndInsert(QStringLiteral("<B>"), QStringLiteral("</B>"));
        QCOMPARE(t.body()->wholeText(), QStringLiteral("<B>one\r\ntwo</B>\r\nthree"));
        QCOMPARE(t.body()->selectedText(), QStringLiteral("one\r\ntwo"));
        QCOMPARE(t.body()->selStart(), 3);
        QCOMPARE(t.body()->selLength(), 7);
    }

    void wrapAndInsert_withoutSelection_putsTheCaretBetween()
    {
        TestWindow t;
        t.body()->setWholeText(QStringLiteral("ab"));
        t.window->editors().setCurrent(t.body());
        t.body()->setCaretPosition(1);
        t.window->editing().WrapAndInsert(QStringLiteral("<I>"), QStringLiteral("</I>"));
        QCOMPARE(t.body()->wholeText(), QStringLiteral("a<I></I>b"));
        QCOMPARE(t.body()->caretPosition(), 4);
        QVERIFY(!t.body()->hasSelectedText());
    }

    void wrapAndInsert_withoutClosingText_replacesTheSelection()
    {
        TestWindow t;
        t.head()->setWholeText(QStringLiteral("old text"));
        t.window->editors().setCurrent(t.head());
        select(t.head(), 0, 3);
        t.window->editing().WrapAndInsert(QStringLiteral("new\r\n"), QString());
        QCOMPARE(t.head()->wholeText(), QStringLiteral("new\r\n text"));
        QCOMPARE(t.head()->caretPosition(), 4);
        QVERIFY(!t.head()->hasSelectedText());
        QCOMPARE(t.body()->wholeText(), startupScriptText());
    }

    void wrapAndInsert_isOneUndoStep()
    {
        TestWindow t;
        t.body()->setWholeText(QStringLiteral("abc"));
        t.window->editors().setCurrent(t.body());
        select(t.body(), 0, 3);
        t.window->editing().WrapAndInsert(QStringLiteral("<U>"), QStringLiteral("</U>"));
        t.body()->undo();
        QCOMPARE(t.body()->wholeText(), QStringLiteral("abc"));
    }

    void insertTemplate_putsTheCaretWhereTheDotsStood()
    {
        TestWindow t;
        t.body()->empty();
        t.window->editors().setCurrent(t.body());
        t.window->editing().InsertTemplate(QStringLiteral("history.go(..)"));
        QCOMPARE(t.body()->wholeText(), QStringLiteral("history.go()"));
        QCOMPARE(t.body()->caretPosition(), 11);

        t.body()->empty();
        t.window->editing().InsertTemplate(QStringLiteral("window.close()"));
        QCOMPARE(t.body()->wholeText(), QStringLiteral("window.close()"));
        QCOMPARE(t.body()->caretPosition(), 14);

        // ".." at an end is no place for the caret: the whole text goes in.
        t.body()->empty();
        t.window->editing().InsertTemplate(QStringLiteral("..x"));
        QCOMPARE(t.body()->wholeText(), QStringLiteral("..x"));
        QCOMPARE(t.body()->caretPosition(), 3);
    }

    void wrapAndInsert_onAHiddenEditor_insertsAndWarns()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        w.editors().setCurrent(t.body());
        w.mainBook()->setTabVisible(1, true);
        w.preview().enterPreviewTab();
        QVERIFY(!t.body()->isVisible());
        w.editing().WrapAndInsert(QStringLiteral("<P>"), QString());
        QVERIFY(t.body()->wholeText().contains(QStringLiteral("<P>")));
        QCOMPARE(t.prompter.messages().size(), 1);
        QCOMPARE(t.prompter.messages().first().icon, int(IconWarning));
        QCOMPARE(t.prompter.messages().first().title, QStringLiteral("Warning"));
        QCOMPARE(t.prompter.messages().first().text, QStringLiteral("Please change the current tab to the editor tab!"));
    }

    void quotePairing()
    {
        TestWindow t;
        t.body()->setWholeText(QStringLiteral("a x b"));
        t.body()->setFocus();
        t.body()->setCaretPosition(0);
        QTest::keyClick(t.body(), Qt::Key_QuoteDbl, Qt::ShiftModifier, 0);
        QCOMPARE(t.body()->wholeText(), QStringLiteral("\"\"a x b"));
        QCOMPARE(t.body()->caretPosition(), 1);

        select(t.body(), 4, 1);
        QCOMPARE(t.body()->selectedText(), QStringLiteral("x"));
        QTest::keyClicks(t.body(), QStringLiteral("\""));
        QCOMPARE(t.body()->wholeText(), QStringLiteral("\"\"a \"x\" b"));
        QCOMPARE(t.body()->selectedText(), QStringLiteral("x"));
    }

    void quotePairing_aClosingQuoteThePairingPut_isTypedOver()
    {
        TestWindow t;
        ScriptEditor *e = t.body();
        e->setWholeText(QString());
        e->setFocus();
        QTRY_VERIFY(e->hasFocus());
        const auto type = [e](const QString &text) { QTest::keyClicks(e, text); };

        // Typed as written: the closing quote steps over the one paired.
        type(QStringLiteral("x = \"ab\";"));
        QCOMPARE(e->wholeText(), QStringLiteral("x = \"ab\";"));
        QCOMPARE(e->caretPosition(), 9);
        // Once past it, a quote pairs again.
        type(QStringLiteral(" \""));
        QCOMPARE(e->wholeText(), QStringLiteral("x = \"ab\"; \"\""));
        QCOMPARE(e->caretPosition(), 11);
        // Enter and other keys inside the pair keep it.
        QTest::keyClick(e, Qt::Key_Return);
        type(QStringLiteral("c\""));
        QCOMPARE(e->wholeText(), QStringLiteral("x = \"ab\"; \"\r\nc\""));
        QCOMPARE(e->caretPosition(), 14);

        // The caret left the pair and came back: the quote pairs.
        e->setWholeText(QString());
        type(QStringLiteral("\"a"));
        QTest::keyClick(e, Qt::Key_Left);
        QTest::keyClick(e, Qt::Key_Left);
        QTest::keyClick(e, Qt::Key_Right);
        QTest::keyClick(e, Qt::Key_Right);
        type(QStringLiteral("\""));
        QCOMPARE(e->wholeText(), QStringLiteral("\"a\"\"\""));
        QCOMPARE(e->caretPosition(), 3);

        // Left by a click, the same.
        e->setWholeText(QString());
        type(QStringLiteral("\"a"));
        QTest::mouseClick(e->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(e->width() - 40, e->height() / 2));
        e->setCaretPosition(2);
        type(QStringLiteral("\""));
        QCOMPARE(e->wholeText(), QStringLiteral("\"a\"\"\""));

        // A quote the pairing did not put there is not typed over.
        e->setWholeText(QStringLiteral("say \"hi\""));
        e->setCaretPosition(7);
        type(QStringLiteral("\""));
        QCOMPARE(e->wholeText(), QStringLiteral("say \"hi\"\"\""));
        QCOMPARE(e->caretPosition(), 8);

        // Nor one put back by undo after the pair was deleted.
        e->setWholeText(QString());
        type(QStringLiteral("\""));
        QTest::keyClick(e, Qt::Key_Delete);
        QCOMPARE(e->wholeText(), QStringLiteral("\""));
        e->undo();
        e->setCaretPosition(1);
        type(QStringLiteral("\""));
        QCOMPARE(e->wholeText(), QStringLiteral("\"\"\"\""));

        // A wrapped selection: its closing quote is typed over from inside.
        e->setWholeText(QStringLiteral("a x b"));
        select(e, 2, 1);
        type(QStringLiteral("\""));
        QCOMPARE(e->wholeText(), QStringLiteral("a \"x\" b"));
        e->setSel(4, 0);
        type(QStringLiteral("\""));
        QCOMPARE(e->wholeText(), QStringLiteral("a \"x\" b"));
        QCOMPARE(e->caretPosition(), 5);

        // Typing the pair and typing over its closing quote: one undo step.
        e->setWholeText(QString());
        type(QStringLiteral("\"\""));
        QCOMPARE(e->wholeText(), QStringLiteral("\"\""));
        e->undo();
        QCOMPARE(e->wholeText(), QString());
    }

    void findAndReplace_startWithTheSelectionOnOneLineElseTheLastSearch()
    {
        TestWindow t;
        ScriptEditor *e = t.body();
        e->setWholeText(QStringLiteral("var name = 1;\r\nname++;"));
        e->setFocus();
        QTRY_VERIFY(e->hasFocus());
        QStringList shown;
        const auto record = [&](QDialog &d) {
            const auto *field = d.findChild<QLineEdit *>(QStringLiteral("EDT_FindText"));
            shown << d.objectName() + u':' + (field ? field->text() : QStringLiteral("?"));
            return int(QDialog::Rejected);
        };
        t.prompter.dialogHandlers[QStringLiteral("FindDialog")] = record;
        t.prompter.dialogHandlers[QStringLiteral("ReplaceDialog")] = record;

        select(e, 4, 4);
        t.trigger("MMNU_F_Replace");
        t.trigger("BTN_Zamien");
        t.trigger("MMNU_F_Find");
        QTest::keyClick(e, Qt::Key_H, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_F, Qt::ControlModifier);
        e->setCaretPosition(0);
        QCOMPARE(findText(*e, QStringLiteral("var")), 0);
        select(e, 9, 8);  // over the line break
        t.trigger("MMNU_F_Replace");
        t.trigger("MMNU_F_Find");
        e->setCaretPosition(2);
        t.trigger("MMNU_F_Replace");
        QCOMPARE(shown, QStringList({QStringLiteral("ReplaceDialog:name"), QStringLiteral("ReplaceDialog:name"),
                                     QStringLiteral("FindDialog:name"), QStringLiteral("ReplaceDialog:name"),
                                     QStringLiteral("FindDialog:name"), QStringLiteral("ReplaceDialog:var"),
                                     QStringLiteral("FindDialog:var"), QStringLiteral("ReplaceDialog:var")}));

        // The last search is the same in the other editor: searched for in
        // BODY, it fills the dialogs of HEAD and Find next goes on with it.
        t.prompter.dialogHandlers[QStringLiteral("FindDialog")] = [&](QDialog &d) {
            d.findChild<QLineEdit *>(QStringLiteral("EDT_FindText"))->setText(QStringLiteral("name"));
            d.findChild<QPushButton *>(QStringLiteral("BTN_FindNext"))->click();
            return int(QDialog::Rejected);
        };
        e->setCaretPosition(0);
        t.trigger("MMNU_F_Find");
        QCOMPARE(e->selStart(), 4);
        t.prompter.dialogHandlers[QStringLiteral("FindDialog")] = record;
        ScriptEditor *head = t.head();
        head->setWholeText(QStringLiteral("<b>name</b>"));
        head->setFocus();
        QTRY_VERIFY(head->hasFocus());
        shown.clear();
        QTest::keyClick(head, Qt::Key_H, Qt::ControlModifier);
        QTest::keyClick(head, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(shown, QStringList({QStringLiteral("ReplaceDialog:name"), QStringLiteral("FindDialog:name")}));
        head->setCaretPosition(0);
        t.trigger("MMNU_F_FindA");
        QCOMPARE(head->selectedText(), QStringLiteral("name"));
    }

    void currentEditor_followsTheLastEditorUsed()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        // Typing in HEAD: the next insertion goes to HEAD.
        t.head()->setFocus();
        QTRY_VERIFY(t.head()->hasFocus());
        QTest::keyClicks(t.head(), QStringLiteral("h"));
        w.editing().WrapAndInsert(QStringLiteral("[H]"), QString());
        QVERIFY(t.head()->wholeText().contains(QStringLiteral("h[H]")));

        // Typing in BODY, then a click in the library tree: BODY still.
        t.body()->setFocus();
        QTRY_VERIFY(t.body()->hasFocus());
        QTest::keyClicks(t.body(), QStringLiteral("b"));
        UserLibraryTree *tree = w.userLibrary().tree();
        tree->setFocus();
        QTRY_VERIFY(tree->hasFocus());
        QCOMPARE(w.editors().current(), t.body());
        w.editing().WrapAndInsert(QStringLiteral("[B]"), QString());
        QVERIFY(t.body()->wholeText().contains(QStringLiteral("b[B]")));
        QVERIFY(!t.head()->wholeText().contains(QStringLiteral("[B]")));
    }

    void undo_withTheFocusOutside_actsOnBody()
    {
        TestWindow t;
        t.head()->setFocus();
        QTest::keyClicks(t.head(), QStringLiteral("H"));
        t.body()->setFocus();
        QTest::keyClicks(t.body(), QStringLiteral("B"));
        const QString head = t.head()->wholeText();
        t.window->userLibrary().tree()->setFocus();
        QTRY_VERIFY(t.window->userLibrary().tree()->hasFocus());
        t.trigger("MMNU_E_Undo");
        QVERIFY(!t.body()->wholeText().contains(u'B'));
        QCOMPARE(t.head()->wholeText(), head);
    }

    void editCommands_dispatchOnTheirTags()
    {
        TestWindow t;
        t.body()->setWholeText(QStringLiteral("copy me"));
        t.body()->setFocus();
        QTRY_VERIFY(t.body()->hasFocus());
        t.trigger("POP_E_SelectAll");
        QCOMPARE(t.body()->selectedText(), QStringLiteral("copy me"));
        t.trigger("BTN_Kopiuj");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("copy me"));
        t.trigger("MMNU_E_Cut");
        QCOMPARE(t.body()->wholeText(), QString());
        t.trigger("PMNU_Wklej");
        QCOMPARE(t.body()->wholeText(), QStringLiteral("copy me"));
    }

    void findNext_movesOnFromTheSelectedOccurrence()
    {
        TestWindow t;
        t.body()->setWholeText(QStringLiteral("var a; VAR b; var c;"));
        t.body()->setFocus();
        QTRY_VERIFY(t.body()->hasFocus());
        t.body()->setCaretPosition(0);
        QVERIFY(findText(*t.body(), QStringLiteral("var")) == 0);
        select(t.body(), 7, 3);  // VAR
        t.trigger("MMNU_F_FindA");
        QCOMPARE(t.body()->selStart(), 14);
        QCOMPARE(t.body()->selectedText(), QStringLiteral("var"));
        // Nothing further: nothing changes.
        t.trigger("MMNU_F_FindA");
        QCOMPARE(t.body()->selStart(), 14);
    }

    void findNext_withoutASearch_opensTheFindDialog()
    {
        TestWindow t;
        t.body()->setFocus();
        QTRY_VERIFY(t.body()->hasFocus());
        t.trigger("MMNU_F_FindA");
        QCOMPARE(t.prompter.dialogs().size(), 1);
        QCOMPARE(t.prompter.dialogs().first().text, QStringLiteral("FindDialog"));
    }

    void jumpToLine_keepsTheColumn()
    {
        TestWindow t;
        t.body()->setWholeText(QStringLiteral("abcdef\r\nx\r\nline three\r\nfour"));
        t.window->editors().setCurrent(t.body());
        t.body()->setCaretLineColumn(1, 4);
        QString caption;
        int initial = 0;
        t.prompter.dialogHandlers.insert(QStringLiteral("TIdzDoDlg"), [&](QDialog &d) {
            caption = d.windowTitle();
            auto *number = d.findChild<QSpinBox *>(QStringLiteral("NumerLinii"));
            initial = number->value();
            number->setValue(3);
            return int(QDialog::Accepted);
        });
        t.trigger("BTN_Idz_Do_L");
        QCOMPARE(caption, QStringLiteral("Max. 4"));
        QCOMPARE(initial, 1);
        QCOMPARE(t.body()->caretLine(), 3);
        QCOMPARE(t.body()->caretColumn(), 4);

        // Cancelled: the caret stays.
        t.prompter.dialogHandlers.insert(QStringLiteral("TIdzDoDlg"), [](QDialog &) { return int(QDialog::Rejected); });
        t.trigger("MMNU_Search_Jump");
        QCOMPARE(t.body()->caretLine(), 3);
    }

    void jumpDialog_keepsItsNumberInRange()
    {
        TIdzDoDlg dialog(10, 4);
        QSpinBox *number = dialog.numberField();
        QCOMPARE(number->minimum(), 1);
        QCOMPARE(number->maximum(), 10);
        QCOMPARE(dialog.lineNumber(), 4);
        number->setValue(99);
        QCOMPARE(dialog.lineNumber(), 10);
    }

    void wordwrap_isSharedByBothEditors()
    {
        TestWindow t;
        QVERIFY(!t.head()->wordWrapOn());
        t.trigger("BTN_Zawijanie");
        QVERIFY(t.head()->wordWrapOn());
        QVERIFY(t.body()->wordWrapOn());
        for (const char *id : {"MMNU_E_WordWrap", "Wordwrap1", "BTN_Zawijanie"})
            QVERIFY2(t.action(id)->isChecked(), id);
        t.trigger("Wordwrap1");
        QVERIFY(!t.head()->wordWrapOn());
        QVERIFY(!t.body()->wordWrapOn());
        QVERIFY(!t.action("MMNU_E_WordWrap")->isChecked());
    }

    void bookmarks_actOnTheCurrentEditor()
    {
        TestWindow t;
        t.head()->setWholeText(QStringLiteral("one\r\ntwo\r\nthree"));
        t.window->editors().setCurrent(t.head());
        t.head()->setCaretLineColumn(2, 2);
        t.trigger("Setbookmark1_5");
        t.head()->setCaretLineColumn(3, 1);
        t.trigger("Gotobookmark1_5");
        QCOMPARE(t.head()->caretLine(), 2);
        QCOMPARE(t.head()->caretColumn(), 2);
        QVERIFY(!t.body()->hasBookmark(5));
    }

    void gutterClick_makesThatEditorCurrentAndMovesTheCaret()
    {
        TestWindow t;
        t.head()->setWholeText(QStringLiteral("aaaa\r\nbbbb\r\ncccc"));
        t.head()->setCaretLineColumn(1, 3);
        t.window->editors().setCurrent(t.body());
        emit t.head()->gutterClicked(3, t.head()->mapToGlobal(QPoint(2, 2)));
        QCOMPARE(t.window->editors().current(), t.head());
        QCOMPARE(t.head()->caretLine(), 3);
        QCOMPARE(t.head()->caretColumn(), 3);
        QMenu *menu = t.window->actions().menu(QStringLiteral("POP_Bookmarks"));
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    void focusInAnEditor_hidesTheSettingsPages()
    {
        TestWindow t;
        t.window->userLibrary().tree()->setFocus();
        QTRY_VERIFY(t.window->userLibrary().tree()->hasFocus());
        t.window->noteBook()->show();
        t.head()->setFocus();
        QTRY_VERIFY(t.head()->hasFocus());
        QVERIFY(!t.window->noteBook()->isVisible());
    }
};

QUILLON_GUI_TEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
