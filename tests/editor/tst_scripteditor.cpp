// The fragment editor: its text with CR LF line breaks, positions that
// count a line break once, the modified state, focus, indentation,
// bookmarks, colours and highlighters, word wrap and overwrite mode.

#include "editor/highlighter.h"
#include "editorwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexerhtml.h>
#include <QSignalSpy>
#include <QTabWidget>

namespace {

long bgr(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

// How the editor draws each style its lexer uses and each predefined style
// (line numbers, braces, control characters...).
QStringList styleLooks(ScriptEditor *editor)
{
    using B = QsciScintillaBase;
    QStringList looks;
    for (int style = 0; style <= B::STYLE_MAX; ++style) {
        const bool predefined = style >= B::STYLE_DEFAULT && style <= B::STYLE_LASTPREDEFINED;
        if (!predefined && editor->lexer()->description(style).isEmpty())
            continue;
        const auto s = static_cast<unsigned long>(style);
        QByteArray font(editor->SendScintilla(B::SCI_STYLEGETFONT, s) + 1, '\0');
        editor->SendScintilla(B::SCI_STYLEGETFONT, s, font.data());
        QString look = QString::number(style) + u' ' + QString::fromLatin1(font.constData());
        for (unsigned int message : {B::SCI_STYLEGETSIZEFRACTIONAL, B::SCI_STYLEGETWEIGHT, B::SCI_STYLEGETITALIC,
                                     B::SCI_STYLEGETUNDERLINE, B::SCI_STYLEGETFORE, B::SCI_STYLEGETBACK,
                                     B::SCI_STYLEGETEOLFILLED, B::SCI_STYLEGETCASE, B::SCI_STYLEGETVISIBLE})
            look += u' ' + QString::number(editor->SendScintilla(message, s));
        looks << look;
    }
    return looks;
}

// The bookmark markers on a line (bit n: bookmark n).
long markersOn(const ScriptEditor *editor, int line)
{
    return editor->SendScintilla(QsciScintillaBase::SCI_MARKERGET, static_cast<unsigned long>(line - 1));
}

} // namespace

class TestScriptEditor : public QObject {
    Q_OBJECT

private slots:
    // --- whole text and line breaks ----------------------------------------

    void setWholeText_loneLfAndCr_becomeCrLf()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("a\nb\rc\r\nd"));
        QCOMPARE(w.editor->wholeText(), QStringLiteral("a\r\nb\r\nc\r\nd"));
        QCOMPARE(w.editor->lineCount(), 4);
        QCOMPARE(w.editor->caretPosition(), 0);
        QVERIFY(!w.editor->modifiedState());
        QVERIFY(!w.editor->isUndoAvailable());
    }

    void setWholeText_scrollRange_coversTheLongestLineBeforeItIsPainted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wrapped");
        const QString longLine = QStringLiteral("x=a+b;").repeated(2000);
        QTest::newRow("short lines") << QStringLiteral("var a;\r\nvar b;") << false;
        QTest::newRow("one long line") << longLine << false;
        QTest::newRow("a long line among short ones")
            << QStringLiteral("<SCRIPT>\r\n") + longLine + QStringLiteral("\r\n</SCRIPT>") << false;
        QTest::newRow("a long line, wrapped") << longLine << true;
    }
    void setWholeText_scrollRange_coversTheLongestLineBeforeItIsPainted()
    {
        QFETCH(QString, text);
        QFETCH(bool, wrapped);
        EditorWindow w;
        QVERIFY(w.show());
        // A long text before, scrolled to its end, whose range must not stay.
        w.editor->setWholeText(QStringLiteral("y").repeated(30000));
        w.editor->setCaretPosition(30000);
        QTRY_VERIFY(w.editor->SendScintilla(QsciScintillaBase::SCI_GETXOFFSET) > 0);
        w.editor->setWordWrapOn(wrapped);

        w.editor->setWholeText(text);
        const long range = w.editor->SendScintilla(QsciScintillaBase::SCI_GETSCROLLWIDTH);
        QCOMPARE(w.editor->caretPosition(), 0);
        QCOMPARE(w.editor->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE), 0L);
        QCOMPARE(w.editor->SendScintilla(QsciScintillaBase::SCI_GETXOFFSET), 0L);
        // The widest line as Scintilla lays it out.
        long widest = 0;
        for (int line = 0; line < w.editor->lines(); ++line) {
            const long start = w.editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
            const long end = w.editor->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, line);
            widest = qMax(widest, w.editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, end) -
                                      w.editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, start));
        }
        if (wrapped) {
            QCOMPARE(range, 1L);
        } else {
            // Enough for Scintilla never to widen it after a paint, not so
            // much that the view scrolls far past the end.
            QVERIFY2(range >= widest, qPrintable(QStringLiteral("%1 < %2").arg(range).arg(widest)));
            QVERIFY2(range <= widest + widest / 10 + 20, qPrintable(QStringLiteral("%1 >> %2").arg(range).arg(widest)));
        }
    }

    void setWholeText_afterEdits_emptiesTheUndoHistory()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("one"));
        w.editor->replaceSelection(QStringLiteral("x"));
        QVERIFY(w.editor->modifiedState());
        w.editor->setWholeText(QStringLiteral("two"));
        QVERIFY(!w.editor->modifiedState());
        w.editor->undo();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("two"));
    }

    void empty_textAndUndo_areGone()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("abc"));
        w.editor->replaceSelection(QStringLiteral("x"));
        w.editor->empty();
        QVERIFY(w.editor->isEmptyText());
        QCOMPARE(w.editor->wholeText(), QString());
        QCOMPARE(w.editor->lineCount(), 0);
        QVERIFY(!w.editor->modifiedState());
        QVERIFY(!w.editor->isUndoAvailable());
    }

    void enterKey_insertsCrLf()
    {
        EditorWindow w;
        QVERIFY(w.show());
        w.editor->setWholeText(QStringLiteral("ab"));
        w.editor->setCaretPosition(1);
        QVERIFY(w.editor->focusEditor());
        QTest::keyClick(w.editor, Qt::Key_Return);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("a\r\nb"));
        QCOMPARE(w.editor->caretLine(), 2);
        QCOMPARE(w.editor->caretColumn(), 1);
        QCOMPARE(w.editor->caretPosition(), 2);
    }

    void paste_lfAndCrText_isConvertedToCrLf()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("[]"));
        w.editor->setCaretPosition(1);
        QApplication::clipboard()->setText(QStringLiteral("x\ny\rz"));
        w.editor->paste();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("[x\r\ny\r\nz]"));
        QCOMPARE(w.editor->caretPosition(), 6);
    }

    void qsciInsertAndAppend_lfText_isConvertedToCrLf()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("ab"));
        w.editor->setCaretPosition(1);
        w.editor->insert(QStringLiteral("1\n2"));
        w.editor->append(QStringLiteral("\nend"));
        QCOMPARE(w.editor->wholeText(), QStringLiteral("a1\r\n2b\r\nend"));
    }

    void replaceSelection_multiLineText_crLfAndCaretAfterIt()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("abc"));
        w.editor->setSel(1, 1);
        w.editor->replaceSelection(QStringLiteral("1\n2"));
        QCOMPARE(w.editor->wholeText(), QStringLiteral("a1\r\n2c"));
        QCOMPARE(w.editor->caretPosition(), 4);
        QCOMPARE(w.editor->selLength(), 0);
        QCOMPARE(w.editor->caretLine(), 2);
        QCOMPARE(w.editor->caretColumn(), 2);
    }

    // --- positions ----------------------------------------------------------

    void positions_polishLettersAndCrLf_countCharactersAndOneBreak()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("żółć\r\nab\r\nźx"));
        // ż ó ł ć = 0..3, break = 4, a = 5, b = 6, break = 7, ź = 8, x = 9
        w.editor->setCaretPosition(4);
        QCOMPARE(w.editor->caretLine(), 1);
        QCOMPARE(w.editor->caretColumn(), 5);
        w.editor->setCaretPosition(6);
        QCOMPARE(w.editor->caretLine(), 2);
        QCOMPARE(w.editor->caretColumn(), 2);
        QCOMPARE(w.editor->caretPosition(), 6);
        w.editor->setCaretPosition(9);
        QCOMPARE(w.editor->caretLine(), 3);
        QCOMPARE(w.editor->caretColumn(), 2);

        w.editor->setSel(3, 3);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("ć\r\na"));
        QCOMPARE(w.editor->selStart(), 3);
        QCOMPARE(w.editor->selLength(), 3);
        QCOMPARE(w.editor->caretPosition(), 6);

        w.editor->setSel(7, 2);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("\r\nź"));
    }

    void positions_pastTheEnd_clampToTheEnd()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("ab\r\nżć"));
        w.editor->setCaretPosition(1000);
        QCOMPARE(w.editor->caretPosition(), 5);
        QCOMPARE(w.editor->caretColumn(), 3);
        w.editor->setSel(4, 100);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("ć"));
        w.editor->setCaretPosition(-3);
        QCOMPARE(w.editor->caretPosition(), 0);
    }

    void positions_characterOutsideTheBmp_isOnePosition()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("😀x\r\ny"));
        w.editor->setSel(1, 1);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("x"));
        w.editor->setCaretPosition(3);
        QCOMPARE(w.editor->caretLine(), 2);
        QCOMPARE(w.editor->caretColumn(), 1);
    }

    void positions_manyLines_findTheRightLine()
    {
        EditorWindow w;
        QStringList lines;
        for (int i = 0; i < 500; ++i)
            lines << QStringLiteral("ł%1").arg(i);
        w.editor->setWholeText(lines.join(QStringLiteral("\r\n")));
        int position = 0;
        for (int i = 0; i < 321; ++i)
            position += lines[i].size() + 1;
        w.editor->setSel(position, 4);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("ł321"));
        QCOMPARE(w.editor->caretLine(), 322);
        QCOMPARE(w.editor->selStart(), position);
    }

    void setCaretLineColumn_beyondTheLine_isClampedToItsEnd()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("żółć\r\nab\r\nxyz"));
        w.editor->setCaretLineColumn(2, 2);
        QCOMPARE(w.editor->caretPosition(), 6);
        w.editor->setCaretLineColumn(1, 99);
        QCOMPARE(w.editor->caretLine(), 1);
        QCOMPARE(w.editor->caretColumn(), 5);
        QCOMPARE(w.editor->caretPosition(), 4);
        w.editor->setCaretLineColumn(40, 2);
        QCOMPARE(w.editor->caretLine(), 3);
        QCOMPARE(w.editor->caretColumn(), 2);
        w.editor->setCaretLineColumn(0, 0);
        QCOMPARE(w.editor->caretPosition(), 0);
    }

    void lineCount_countsTheLinesTheCaretCanReach()
    {
        EditorWindow w;
        QCOMPARE(w.editor->lineCount(), 0);
        w.editor->setWholeText(QStringLiteral("a"));
        QCOMPARE(w.editor->lineCount(), 1);
        w.editor->setWholeText(QStringLiteral("a\r\nb"));
        QCOMPARE(w.editor->lineCount(), 2);
        w.editor->setWholeText(QStringLiteral("a\r\n"));
        QCOMPARE(w.editor->lineCount(), 2);
    }

    // --- modified state --------------------------------------------------------

    void modifiedState_followsTheUndoHistory()
    {
        EditorWindow w;
        QVERIFY(w.show());
        w.editor->setWholeText(QStringLiteral("abc"));
        QVERIFY(w.editor->focusEditor());
        QVERIFY(!w.editor->modifiedState());
        QTest::keyClicks(w.editor, QStringLiteral("x"));
        QVERIFY(w.editor->modifiedState());
        w.editor->undo();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("abc"));
        QVERIFY(!w.editor->modifiedState());
        w.editor->redo();
        QVERIFY(w.editor->modifiedState());
        w.editor->clearModifiedState();
        QVERIFY(!w.editor->modifiedState());
        QVERIFY(!w.editor->isUndoAvailable());
        QCOMPARE(w.editor->wholeText(), QStringLiteral("xabc"));
    }

    // --- focus -------------------------------------------------------------------

    void focusEditor_shownEditor_takesTheFocus()
    {
        EditorWindow w;
        auto *other = new QLineEdit(w.window.get());
        w.window->layout()->addWidget(other);
        QVERIFY(w.show());
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QSignalSpy entered(w.editor, &ScriptEditor::entered);
        QSignalSpy exited(w.editor, &ScriptEditor::exited);
        QVERIFY(w.editor->focusEditor());
        QTRY_VERIFY(w.editor->focused());
        QCOMPARE(entered.count(), 1);
        other->setFocus();
        QTRY_VERIFY(!w.editor->focused());
        QCOMPARE(exited.count(), 1);
    }

    void focusEditor_onAHiddenTabPage_fails()
    {
        QWidget window;
        auto *tabs = new QTabWidget(&window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(tabs);
        auto *editor = new ScriptEditor;
        tabs->addTab(editor, QStringLiteral("Editor"));
        tabs->addTab(new QWidget, QStringLiteral("Preview"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        tabs->setCurrentIndex(1);
        QVERIFY(!editor->focusEditor());
        QVERIFY(!editor->focused());
        tabs->setCurrentIndex(0);
        QVERIFY(editor->focusEditor());
        QTRY_VERIFY(editor->focused());
    }

    void focusEditor_disabledOrWindowNotShown_fails()
    {
        EditorWindow w;
        QVERIFY(!w.editor->focusEditor());
        QVERIFY(w.show());
        w.editor->setEnabled(false);
        QVERIFY(!w.editor->focusEditor());
        w.editor->setEnabled(true);
        w.editor->hide();
        QVERIFY(!w.editor->focusEditor());
        QVERIFY(!w.editor->hasFocus());
        // Shown again, it takes the focus.
        w.editor->show();
        QVERIFY(w.editor->focusEditor());
        QTRY_VERIFY(w.editor->focused());
    }

    // --- modes ---------------------------------------------------------------------

    void insertKey_togglesOverwriteMode()
    {
        EditorWindow w;
        QVERIFY(w.show());
        w.editor->setWholeText(QStringLiteral("abc"));
        QVERIFY(w.editor->focusEditor());
        QVERIFY(w.editor->insertMode());
        QTest::keyClick(w.editor, Qt::Key_Insert);
        QVERIFY(!w.editor->insertMode());
        QTest::keyClicks(w.editor, QStringLiteral("X"));
        QCOMPARE(w.editor->wholeText(), QStringLiteral("Xbc"));
        QTest::keyClick(w.editor, Qt::Key_Insert);
        QVERIFY(w.editor->insertMode());
    }

    void wordWrap_onAndOff_wrapsByWord()
    {
        EditorWindow w;
        QVERIFY(!w.editor->wordWrapOn());
        w.editor->setWordWrapOn(true);
        QVERIFY(w.editor->wordWrapOn());
        QCOMPARE(w.editor->wrapMode(), QsciScintilla::WrapWord);
        w.editor->setWordWrapOn(false);
        QVERIFY(!w.editor->wordWrapOn());
    }

    // --- indentation ------------------------------------------------------------------

    void blockIndent_selectionOverTwoLines_indentsBothAsOneStep()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("ab\r\ncd\r\nef"));
        w.editor->setSel(1, 3);  // "b" CR LF "c"
        w.editor->blockIndent();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("  ab\r\n  cd\r\nef"));
        QCOMPARE(w.editor->selectedText(), QStringLiteral("b\r\n  c"));
        w.editor->undo();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("ab\r\ncd\r\nef"));
        QVERIFY(!w.editor->modifiedState());
    }

    void blockIndent_wholeLinesSelected_keepsThemSelected()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("ab\r\ncd\r\nef"));
        w.editor->setSel(0, 6);  // lines 1 and 2 with their breaks, up to line 3
        w.editor->blockIndent();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("  ab\r\n  cd\r\nef"));
        QCOMPARE(w.editor->selectedText(), QStringLiteral("  ab\r\n  cd\r\n"));
        w.editor->blockIndent();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("    ab\r\n    cd\r\nef"));
        w.editor->blockUnindent();
        w.editor->blockUnindent();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("ab\r\ncd\r\nef"));
        QCOMPARE(w.editor->selectedText(), QStringLiteral("ab\r\ncd\r\n"));
    }

    void blockIndent_noSelection_indentsTheCaretLineOnly()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("ab\r\ncd\r\nef"));
        w.editor->setCaretLineColumn(2, 2);
        w.editor->setBlockIndentStep(4);
        QCOMPARE(w.editor->blockIndentStep(), 4);
        w.editor->blockIndent();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("ab\r\n    cd\r\nef"));
        QCOMPARE(w.editor->caretLine(), 2);
        QCOMPARE(w.editor->caretColumn(), 6);  // still between c and d
    }

    void blockUnindent_removesAtMostTheStepOfColumns()
    {
        EditorWindow w;
        // A tab spans four columns; the indentation left is written in spaces.
        w.editor->setWholeText(QStringLiteral("   a\r\n b\r\n\tc\r\nd\r\n \te"));
        w.editor->selectAll(true);
        QCOMPARE(w.editor->blockIndentStep(), 2);
        w.editor->blockUnindent();
        QCOMPARE(w.editor->wholeText(), QStringLiteral(" a\r\nb\r\n  c\r\nd\r\n  e"));
        w.editor->undo();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("   a\r\n b\r\n\tc\r\nd\r\n \te"));
    }

    void blockUnindent_nothingToRemove_leavesNoUndoStep()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("a\r\nb"));
        w.editor->selectAll(true);
        w.editor->blockUnindent();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("a\r\nb"));
        QVERIFY(!w.editor->modifiedState());
    }

    // --- bookmarks ---------------------------------------------------------------------

    void bookmark_linesInsertedAbove_followsItsLineAndKeepsTheColumn()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("one\r\ntwo\r\nthree\r\nfour"));
        w.editor->setCaretLineColumn(3, 4);
        w.editor->setBookmark(4);
        QVERIFY(w.editor->hasBookmark(4));
        QVERIFY(markersOn(w.editor, 3) & (1 << 4));
        w.editor->setCaretPosition(0);
        w.editor->replaceSelection(QStringLiteral("new\nnewer\n"));
        w.editor->setCaretLineColumn(1, 1);
        w.editor->gotoBookmark(4);
        QCOMPARE(w.editor->caretLine(), 5);
        QCOMPARE(w.editor->caretColumn(), 4);
        QVERIFY(markersOn(w.editor, 5) & (1 << 4));
    }

    void bookmark_setAgain_movesIt()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("one\r\ntwo\r\nthree"));
        w.editor->setCaretLineColumn(3, 2);
        w.editor->setBookmark(0);
        w.editor->setCaretLineColumn(1, 3);
        w.editor->setBookmark(0);
        QCOMPARE(markersOn(w.editor, 3), 0L);
        w.editor->setCaretLineColumn(2, 1);
        w.editor->gotoBookmark(0);
        QCOMPARE(w.editor->caretLine(), 1);
        QCOMPARE(w.editor->caretColumn(), 3);
    }

    void bookmark_neverSet_doesNothing()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("one\r\ntwo"));
        w.editor->setCaretLineColumn(2, 2);
        QVERIFY(!w.editor->hasBookmark(7));
        w.editor->gotoBookmark(7);
        w.editor->gotoBookmark(12);
        w.editor->setBookmark(-1);
        QCOMPARE(w.editor->caretLine(), 2);
        QCOMPARE(w.editor->caretColumn(), 2);
    }

    void bookmark_lineShortened_goesToItsEnd()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("abcdef\r\nxy"));
        w.editor->setCaretLineColumn(1, 6);
        w.editor->setBookmark(9);
        w.editor->setSel(1, 4);
        w.editor->replaceSelection(QString());
        w.editor->setCaretLineColumn(2, 1);
        w.editor->gotoBookmark(9);
        QCOMPARE(w.editor->caretLine(), 1);
        QCOMPARE(w.editor->caretColumn(), 3);
    }

    void bookmark_tenAtOnce_eachKeepsItsPlace()
    {
        EditorWindow w;
        QStringList lines;
        for (int i = 0; i < 12; ++i)
            lines << QStringLiteral("line %1").arg(i);
        w.editor->setWholeText(lines.join(u'\n'));
        for (int n = 0; n < 10; ++n) {
            w.editor->setCaretLineColumn(n + 2, n % 4 + 1);
            w.editor->setBookmark(n);
        }
        for (int n = 9; n >= 0; --n) {
            w.editor->gotoBookmark(n);
            QCOMPARE(w.editor->caretLine(), n + 2);
            QCOMPARE(w.editor->caretColumn(), n % 4 + 1);
        }
    }

    void bookmark_newWholeText_clearsTheBookmarks()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("one\r\ntwo"));
        w.editor->setCaretLineColumn(2, 2);
        w.editor->setBookmark(3);
        w.editor->setWholeText(QStringLiteral("other\r\ntext"));
        QVERIFY(!w.editor->hasBookmark(3));
        w.editor->gotoBookmark(3);
        QCOMPARE(w.editor->caretPosition(), 0);
    }

    // --- colours ------------------------------------------------------------------------

    void setDefBackColor_paintsEveryStyle()
    {
        EditorWindow w;
        QCOMPARE(w.editor->defBackColor(), QColor(Qt::white));
        const QColor colour(10, 20, 200);
        w.editor->setDefBackColor(colour);
        QCOMPARE(w.editor->defBackColor(), colour);
        for (int style : {int(QsciScintillaBase::STYLE_DEFAULT), int(QsciLexerHTML::Default), int(QsciLexerHTML::Tag),
                          int(QsciLexerHTML::JavaScriptKeyword), int(QsciLexerHTML::JavaScriptComment),
                          int(QsciLexerHTML::HTMLComment)})
            QCOMPARE(w.editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, static_cast<unsigned long>(style)),
                     bgr(colour));
        QCOMPARE(w.editor->lexer()->paper(QsciLexerHTML::JavaScriptDefault), colour);
    }

    // --- highlighting ----------------------------------------------------------------

    void setHighlighter_theHtmlOneAgain_looksAsBefore()
    {
        EditorWindow before, after;
        const QColor colour(250, 240, 200);
        before.editor->setDefBackColor(colour);
        after.editor->setDefBackColor(colour);
        after.editor->setHighlighter(makeHtmlHighlighter());
        QCOMPARE(styleLooks(after.editor), styleLooks(before.editor));
        QCOMPARE(after.editor->SendScintilla(QsciScintillaBase::SCI_GETLEXER),
                 before.editor->SendScintilla(QsciScintillaBase::SCI_GETLEXER));
    }

    void setHighlighter_anotherLexer_takesItsPlaceOnTheBackground()
    {
        EditorWindow w;
        const QColor colour(10, 20, 200);
        w.editor->setDefBackColor(colour);
        const QPointer<QsciLexer> html = w.editor->lexer();
        const long gutter = w.editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK,
                                                    static_cast<unsigned long>(QsciScintillaBase::STYLE_LINENUMBER));
        auto cpp = std::make_unique<QsciLexerCPP>();
        QsciLexer *given = cpp.get();
        w.editor->setHighlighter(std::move(cpp));
        QCOMPARE(w.editor->lexer(), given);
        QCOMPARE(given->parent(), w.editor);
        QVERIFY(html.isNull());
        QCOMPARE(w.editor->SendScintilla(QsciScintillaBase::SCI_GETLEXER), long(QsciScintillaBase::SCLEX_CPP));
        for (int style :
             {int(QsciScintillaBase::STYLE_DEFAULT), int(QsciLexerCPP::Keyword), int(QsciLexerCPP::Comment)})
            QCOMPARE(w.editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, static_cast<unsigned long>(style)),
                     bgr(colour));
        QCOMPARE(w.editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK,
                                         static_cast<unsigned long>(QsciScintillaBase::STYLE_LINENUMBER)),
                 gutter);
    }
};

QTEST_MAIN(TestScriptEditor)
#include "tst_scripteditor.moc"
