// Where the editor's word moves, word deletions and double-click
// selections stop: runs of one class of characters, words by the
// program's word rule (so "xéy" is three runs), in byte offsets of the
// UTF-8 text.
//
// A row is a text with markers that are not part of it: | is where the
// move starts (or where the click is), ^ where it has to end; [ and ] are
// the range a double click has to select.

#include "editor/wordbounds.h"

#include <QHash>
#include <QTest>

namespace {

struct Marked {
    QByteArray utf8;
    QHash<QChar, qsizetype> at;  // marker -> byte offset in utf8
};

Marked parse(const QString &marked)
{
    Marked m;
    QString text;
    for (const QChar c : marked) {
        if (c == u'|' || c == u'^' || c == u'[' || c == u']')
            m.at.insert(c, text.toUtf8().size());
        else
            text += c;
    }
    m.utf8 = text.toUtf8();
    return m;
}

// The row's text with | at caret and ^ at target, for a failure message.
QString show(const QByteArray &utf8, qsizetype caret, qsizetype target)
{
    QByteArray out = utf8;
    out.insert(qMax(caret, target), caret > target ? "|" : "^");
    out.insert(qMin(caret, target), caret > target ? "^" : "|");
    return QString::fromUtf8(out)
        .replace(QStringLiteral("\r"), QStringLiteral("\\r"))
        .replace(QStringLiteral("\n"), QStringLiteral("\\n"));
}

void moveRows()
{
    QTest::addColumn<QString>("marked");
}

void checkMove(qsizetype (*move)(QByteArrayView, qsizetype))
{
    QFETCH(QString, marked);
    const Marked m = parse(marked);
    QVERIFY2(m.at.contains(u'|') && m.at.contains(u'^'), "a row needs | and ^");
    const qsizetype found = move(m.utf8, m.at[u'|']);
    QVERIFY2(found == m.at[u'^'], qPrintable(QStringLiteral("ended at ") + show(m.utf8, m.at[u'|'], found)));
}

} // namespace

class TestWordBounds : public QObject {
    Q_OBJECT

private slots:
    void wordClassOf_data()
    {
        QTest::addColumn<uint>("code");
        QTest::addColumn<int>("expected");
        const auto row = [](const char *name, char32_t c, WordClass w) { QTest::newRow(name) << uint(c) << int(w); };
        row("letter", U'a', WordClass::Word);
        row("capital", U'Q', WordClass::Word);
        row("digit", U'7', WordClass::Word);
        row("underscore", U'_', WordClass::Word);
        row("polish letter", U'ż', WordClass::Word);
        row("polish capital", U'Ł', WordClass::Word);
        row("other latin letter", U'é', WordClass::Other);
        row("german letter", U'ß', WordClass::Other);
        row("cyrillic letter", U'ж', WordClass::Other);
        row("punctuation", U'(', WordClass::Other);
        row("quote", U'"', WordClass::Other);
        row("emoji", U'😀', WordClass::Other);
        row("space", U' ', WordClass::Space);
        row("tab", U'\t', WordClass::Space);
        row("no-break space", 0x00A0, WordClass::Space);
        row("em space", 0x2003, WordClass::Space);
        row("carriage return", U'\r', WordClass::LineBreak);
        row("line feed", U'\n', WordClass::LineBreak);
        row("line separator", 0x2028, WordClass::LineBreak);
    }

    void wordClassOf()
    {
        QFETCH(uint, code);
        QFETCH(int, expected);
        QCOMPARE(int(::wordClassOf(char32_t(code))), expected);
    }

    void previousWordStart_data()
    {
        moveRows();
        QTest::newRow("to the start of the word before") << QStringLiteral("abc ^def|");
        QTest::newRow("from inside a word") << QStringLiteral("abc ^de|f");
        QTest::newRow("over the spaces first") << QStringLiteral("abc ^def   |");
        QTest::newRow("a letter outside the rule stops the move") << QStringLiteral("xé^y|");
        QTest::newRow("that letter is a run of its own") << QStringLiteral("x^é|y");
        QTest::newRow("polish letters are in words") << QStringLiteral("^żółw|");
        QTest::newRow("polish capitals as well") << QStringLiteral("a ^ŻÓŁW_ąę|");
        QTest::newRow("digits belong to the run") << QStringLiteral("x ^12px|");
        QTest::newRow("punctuation is a run") << QStringLiteral("f(^ab|)");
        QTest::newRow("a run of punctuation") << QStringLiteral("a ^+= |b");
        QTest::newRow("from a line's start back over the break") << QStringLiteral("abc^\r\n|def");
        QTest::newRow("empty lines are one run") << QStringLiteral("abc  ^\r\n\r\n|x");
        QTest::newRow("four-byte characters") << QStringLiteral("a ^😀😀|");
        QTest::newRow("unicode spaces are spaces") << QStringLiteral("^a\u00A0\u00A0|");
        QTest::newRow("at the start") << QStringLiteral("^|abc");
        QTest::newRow("empty text") << QStringLiteral("^|");
    }

    void previousWordStart() { checkMove(&::previousWordStart); }

    void nextWordStart_data()
    {
        moveRows();
        QTest::newRow("to the start of the next word") << QStringLiteral("|abc ^def");
        QTest::newRow("from inside a word") << QStringLiteral("a|bc  ^def");
        QTest::newRow("a letter outside the rule stops the move") << QStringLiteral("|x^éy");
        QTest::newRow("and is stepped over alone") << QStringLiteral("x|é^y");
        QTest::newRow("polish letters are in words") << QStringLiteral("|żółw ^x");
        QTest::newRow("digits belong to the run") << QStringLiteral("|12px ^x");
        QTest::newRow("from spaces") << QStringLiteral("|   ^x");
        QTest::newRow("punctuation then spaces") << QStringLiteral("a|); ^b");
        QTest::newRow("over a line break and the indentation") << QStringLiteral("abc|\r\n  ^def");
        QTest::newRow("over empty lines") << QStringLiteral("abc|\r\n\r\n^def");
        QTest::newRow("four-byte characters") << QStringLiteral("|😀😀 ^a");
        QTest::newRow("at the end") << QStringLiteral("abc|^");
    }

    void nextWordStart() { checkMove(&::nextWordStart); }

    void previousWordEnd_data()
    {
        moveRows();
        QTest::newRow("to the end of the word before") << QStringLiteral("abc^ def|");
        QTest::newRow("from spaces only over spaces") << QStringLiteral("abc^   |x");
        QTest::newRow("a letter outside the rule") << QStringLiteral("xé^ y|");
        QTest::newRow("at the start") << QStringLiteral("^|abc");
    }

    void previousWordEnd() { checkMove(&::previousWordEnd); }

    void nextWordEnd_data()
    {
        moveRows();
        QTest::newRow("to the end of the next word") << QStringLiteral("|  abc^ def");
        QTest::newRow("from inside a word") << QStringLiteral("a|bc^ def");
        QTest::newRow("a letter outside the rule") << QStringLiteral("|x^éy");
        QTest::newRow("polish letters are in words") << QStringLiteral("| żółć^.");
        QTest::newRow("at the end") << QStringLiteral("abc|^");
    }

    void nextWordEnd() { checkMove(&::nextWordEnd); }

    void wordAt_data()
    {
        QTest::addColumn<QString>("marked");
        QTest::newRow("a word") << QStringLiteral("x = [ab|cd];");
        QTest::newRow("on its first character") << QStringLiteral("x [|abc] y");
        QTest::newRow("a letter outside the rule alone") << QStringLiteral("x[|é]y");
        QTest::newRow("the word beside it") << QStringLiteral("[|x]éy");
        QTest::newRow("polish letters") << QStringLiteral("a [ż|ółw] b");
        QTest::newRow("digits in the run") << QStringLiteral("[|12px];");
        QTest::newRow("spaces") << QStringLiteral("abc[ |  ]def");
        QTest::newRow("punctuation") << QStringLiteral("a[+|=]b");
        QTest::newRow("four-byte characters") << QStringLiteral("a[|😀😀]b");
        QTest::newRow("at a line's end the word before") << QStringLiteral("x [abc]|\r\ndef");
        QTest::newRow("at the text's end the word before") << QStringLiteral("x [abc]|");
        QTest::newRow("an empty line selects nothing") << QStringLiteral("abc\r\n[]|\r\ndef");
        QTest::newRow("an empty text selects nothing") << QStringLiteral("[]|");
    }

    void wordAt()
    {
        QFETCH(QString, marked);
        const Marked m = parse(marked);
        const ByteRange found = ::wordAt(m.utf8, m.at[u'|']);
        QCOMPARE(found.start, m.at[u'[']);
        QCOMPARE(found.end, m.at[u']']);
    }

    // The word a double click selected is [ and ]; the mouse is dragged on
    // to |; ^ is where the caret then stands, the anchor at the word's far
    // end.
    void dragWordSelection_data()
    {
        QTest::addColumn<QString>("marked");
        QTest::addColumn<bool>("forward");  // the anchor at the word's start
        QTest::newRow("on into a later word") << QStringLiteral("one [two] th|ree^") << true;
        QTest::newRow("back into an earlier word") << QStringLiteral("^o|ne [two] three") << false;
        QTest::newRow("to the start of a later word takes the space") << QStringLiteral("one [two] ^|three") << true;
        QTest::newRow("a letter outside the rule ends the run") << QStringLiteral("[ab]c x|^éy") << true;
        QTest::newRow("back onto an empty line") << QStringLiteral("a\r\n^|\r\n[bc] d") << false;
    }

    void dragWordSelection()
    {
        QFETCH(QString, marked);
        QFETCH(bool, forward);
        const Marked m = parse(marked);
        const ByteRange word{m.at[u'['], m.at[u']']};
        const WordSelection s = ::dragWordSelection(m.utf8, word, m.at[u'|']);
        QCOMPARE(s.anchor, forward ? word.start : word.end);
        QCOMPARE(s.caret, m.at[u'^']);
    }

    void dragWordSelection_insideTheWord_keepsTheWord()
    {
        const QByteArray text("one two three");
        const ByteRange word{4, 7};
        for (qsizetype pos = 4; pos <= 7; ++pos)
            QCOMPARE(::dragWordSelection(text, word, pos), (WordSelection{4, 7}));
    }

    void moves_strayBytes_areCharactersOfTheirOwn()
    {
        // A cut sequence and a stray continuation byte: each an "other"
        // character, the letters around them words of their own.
        const QByteArray text("ab\xC5" "cd\x80" "ef", 8);
        QCOMPARE(::nextWordStart(text, 0), qsizetype(2));
        QCOMPARE(::nextWordStart(text, 2), qsizetype(3));
        QCOMPARE(::previousWordStart(text, 8), qsizetype(6));
        QCOMPARE(::previousWordStart(text, 6), qsizetype(5));
        QCOMPARE(::wordAt(text, 3), (ByteRange{3, 5}));
    }
};

QTEST_APPLESS_MAIN(TestWordBounds)
#include "tst_wordbounds.moc"
