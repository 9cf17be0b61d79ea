// Plain-text search and replace-all of the fragment editor: direction,
// letter case, whole words decided by the program's word characters, and
// positions that count a line break once.

#include "editor/editorsearch.h"
#include "editorwindow.h"

class TestEditorSearch : public QObject {
    Q_OBJECT

    static FindOptions options(bool matchCase, bool wholeWords, bool forward)
    {
        FindOptions o;
        o.matchCase = matchCase;
        o.wholeWords = wholeWords;
        o.forward = forward;
        return o;
    }

private slots:
    void findText_forward_findsEachOccurrenceInTurn()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("var a;\r\nVar b;\r\nvar c;"));
        const FindOptions o = options(false, false, true);
        QCOMPARE(findText(*w.editor, QStringLiteral("var"), o), 0);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("var"));
        QCOMPARE(findText(*w.editor, QStringLiteral("var"), o), 7);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("Var"));
        QCOMPARE(w.editor->selStart(), 7);
        QCOMPARE(w.editor->selLength(), 3);
        QCOMPARE(findText(*w.editor, QStringLiteral("var"), o), 14);
        QCOMPARE(w.editor->caretLine(), 3);
        QCOMPARE(findText(*w.editor, QStringLiteral("var"), o), -1);
        QCOMPARE(w.editor->selStart(), 14);
        QCOMPARE(w.editor->selLength(), 3);
        QCOMPARE(w.editor->lastSearchText(), QStringLiteral("var"));
    }

    void findText_backward_searchesFromTheSelectionStart()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("ab ab\r\nab"));
        w.editor->setCaretPosition(8);  // the end: "ab ab", a break, "ab"
        const FindOptions o = options(false, false, false);
        QCOMPARE(findText(*w.editor, QStringLiteral("ab"), o), 6);
        QCOMPARE(findText(*w.editor, QStringLiteral("ab"), o), 3);
        QCOMPARE(findText(*w.editor, QStringLiteral("ab"), o), 0);
        QCOMPARE(findText(*w.editor, QStringLiteral("ab"), o), -1);
        QCOMPARE(w.editor->selStart(), 0);
        QCOMPARE(w.editor->selLength(), 2);
    }

    void findText_matchCase_skipsOtherCases()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("Var var VAR"));
        QCOMPARE(findText(*w.editor, QStringLiteral("VAR"), options(true, false, true)), 8);
        w.editor->setCaretPosition(0);
        QCOMPARE(findText(*w.editor, QStringLiteral("VAR"), options(false, false, true)), 0);
    }

    void findText_ignoringCase_matchesPolishCapitals()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("x = \"ŻÓŁĆ\";"));
        QCOMPARE(findText(*w.editor, QStringLiteral("żółć"), options(false, false, true)), 5);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("ŻÓŁĆ"));
        w.editor->setCaretPosition(0);
        QCOMPARE(findText(*w.editor, QStringLiteral("żółć"), options(true, false, true)), -1);
    }

    void findText_wholeWords_polishNeighboursMakeAWord()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("żvar varą var_ var1 é var"));
        // Only the last "var" has no word character beside it.
        const FindOptions o = options(false, true, true);
        QCOMPARE(findText(*w.editor, QStringLiteral("var"), o), 22);
        QCOMPARE(findText(*w.editor, QStringLiteral("var"), o), -1);
        QCOMPARE(w.editor->selStart(), 22);

        w.editor->setWholeText(QStringLiteral("évaré ąvar"));
        w.editor->setCaretPosition(0);
        QCOMPARE(findText(*w.editor, QStringLiteral("var"), o), 1);
        QCOMPARE(findText(*w.editor, QStringLiteral("var"), o), -1);
    }

    void findText_wholeWordsBackward_skipsPartsOfWords()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("for format\r\nforeach ąfor"));
        w.editor->setCaretPosition(24);
        const FindOptions o = options(false, true, false);
        QCOMPARE(findText(*w.editor, QStringLiteral("for"), o), 0);
        QCOMPARE(findText(*w.editor, QStringLiteral("for"), o), -1);
        QCOMPARE(w.editor->selStart(), 0);
    }

    void findText_notFound_leavesTheSelectionAndRemembersTheText()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("alpha beta"));
        w.editor->setSel(2, 3);
        QCOMPARE(findText(*w.editor, QStringLiteral("gamma"), options(false, false, true)), -1);
        QCOMPARE(w.editor->selStart(), 2);
        QCOMPARE(w.editor->selLength(), 3);
        QCOMPARE(w.editor->lastSearchText(), QStringLiteral("gamma"));
        w.editor->setLastSearchText(QStringLiteral("beta"));
        QCOMPARE(w.editor->lastSearchText(), QStringLiteral("beta"));
    }

    void findText_regularExpressionCharacters_areSearchedAsText()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("abc a.c [x]* a.c"));
        QCOMPARE(findText(*w.editor, QStringLiteral("a.c"), options(false, false, true)), 4);
        QCOMPARE(findText(*w.editor, QStringLiteral("[x]*"), options(false, false, true)), 8);
        w.editor->setCaretPosition(0);
        QCOMPARE(findText(*w.editor, QStringLiteral("^a"), options(false, false, true)), -1);
    }

    void findText_acrossALineBreak_givesPositionsWithOneBreak()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("ł\r\nb\r\nxyz"));
        QCOMPARE(findText(*w.editor, QStringLiteral("xyz"), options(false, false, true)), 4);
        w.editor->setCaretPosition(0);
        QCOMPARE(findText(*w.editor, QStringLiteral("b\nx"), options(false, false, true)), 2);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("b\r\nx"));
        QCOMPARE(w.editor->selLength(), 3);
    }

    void findText_emptyText_findsNothing()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("abc"));
        w.editor->setSel(1, 1);
        QCOMPARE(findText(*w.editor, QString(), options(false, false, true)), -1);
        QCOMPARE(w.editor->selStart(), 1);
        QCOMPARE(w.editor->selLength(), 1);
    }

    void findText_farDown_scrollsTheMatchIntoView()
    {
        EditorWindow w;
        QVERIFY(w.show());
        QStringList lines(400, QStringLiteral("filler"));
        lines[350] = QStringLiteral("target");
        w.editor->setWholeText(lines.join(u'\n'));
        QCOMPARE(w.editor->firstVisibleLine(), 0);
        QVERIFY(findText(*w.editor, QStringLiteral("target"), options(true, true, true)) > 0);
        QCOMPARE(w.editor->caretLine(), 351);
        const int first = w.editor->firstVisibleLine();
        const int shown = int(w.editor->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN));
        QVERIFY2(first <= 350 && 350 < first + shown, qPrintable(QStringLiteral("%1 + %2").arg(first).arg(shown)));
    }

    void selectionMatches_followsCaseAndWholeWords()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("Var ąvar"));
        w.editor->setSel(0, 3);
        QVERIFY(selectionMatches(*w.editor, QStringLiteral("var"), options(false, false, true)));
        QVERIFY(!selectionMatches(*w.editor, QStringLiteral("var"), options(true, false, true)));
        w.editor->setSel(5, 3);
        QVERIFY(selectionMatches(*w.editor, QStringLiteral("var"), options(true, false, true)));
        QVERIFY(!selectionMatches(*w.editor, QStringLiteral("var"), options(true, true, true)));
        w.editor->setSel(5, 2);
        QVERIFY(!selectionMatches(*w.editor, QStringLiteral("var"), options(false, false, true)));
    }

    void replaceAll_countsAndIsOneUndoStep()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("a = x;\r\nb = x + X;\r\nxx = 1;"));
        QCOMPARE(replaceAll(*w.editor, QStringLiteral("x"), QStringLiteral("żółw"), options(true, true, false)), 2);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("a = żółw;\r\nb = żółw + X;\r\nxx = 1;"));
        w.editor->undo();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("a = x;\r\nb = x + X;\r\nxx = 1;"));
        QVERIFY(!w.editor->modifiedState());
    }

    void replaceAll_ignoringCase_replacesEveryPartToo()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("x X xx"));
        QCOMPARE(replaceAll(*w.editor, QStringLiteral("x"), QStringLiteral("xy"), options(false, false, true)), 4);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("xy xy xyxy"));
    }

    void replaceAll_multiLineReplacement_getsCrLf()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("a;b"));
        QCOMPARE(replaceAll(*w.editor, QStringLiteral(";"), QStringLiteral(";\n"), options(false, false, true)), 1);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("a;\r\nb"));
    }

    void replaceAll_nothingFound_changesNothing()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("abc"));
        QCOMPARE(replaceAll(*w.editor, QStringLiteral("z"), QStringLiteral("y"), options(false, false, true)), 0);
        QCOMPARE(replaceAll(*w.editor, QString(), QStringLiteral("y"), options(false, false, true)), 0);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("abc"));
        QVERIFY(!w.editor->modifiedState());
    }
};

QTEST_MAIN(TestEditorSearch)
#include "tst_editorsearch.moc"
