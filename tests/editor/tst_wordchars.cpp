// The word-character rules of the script editors.

#include "editor/wordchars.h"

#include <QTest>

class TestWordChars : public QObject {
    Q_OBJECT

    static QString polishLetters() { return QStringLiteral("ŚŹśźŁĄŻłążĆĘŃÓćęńó"); }

private slots:
    void charIsInWord_asciiLettersDigitsUnderscore_areInWords()
    {
        for (char16_t c = u'A'; c <= u'Z'; ++c)
            QVERIFY2(fn_CharIsInWord(QChar(c)), qPrintable(QString(QChar(c))));
        for (char16_t c = u'a'; c <= u'z'; ++c)
            QVERIFY2(fn_CharIsInWord(QChar(c)), qPrintable(QString(QChar(c))));
        for (char16_t c = u'0'; c <= u'9'; ++c)
            QVERIFY2(fn_CharIsInWord(QChar(c)), qPrintable(QString(QChar(c))));
        QVERIFY(fn_CharIsInWord(u'_'));
    }

    void charIsInWord_eighteenPolishLetters_areInWordsAndStartWords()
    {
        const QString letters = polishLetters();
        QCOMPARE(letters.size(), 18);
        for (QChar c : letters) {
            QVERIFY2(fn_CharIsInWord(c), qPrintable(QString(c)));
            QVERIFY2(fn_CharStartsWord(c), qPrintable(QString(c)));
        }
    }

    void charStartsWord_digits_doNotStartWords()
    {
        for (char16_t c = u'0'; c <= u'9'; ++c)
            QVERIFY2(!fn_CharStartsWord(QChar(c)), qPrintable(QString(QChar(c))));
        QVERIFY(fn_CharStartsWord(u'_'));
        QVERIFY(fn_CharStartsWord(u'a'));
        QVERIFY(fn_CharStartsWord(u'Z'));
    }

    void charIsInWord_otherLettersAndPunctuation_areNotWordCharacters()
    {
        // Letters of other languages, even next to the Polish ones in Unicode.
        for (QChar c : QStringLiteral("éÉüßàçñÀŜśŝĺŀǅжΩ"))
            if (!polishLetters().contains(c))
                QVERIFY2(!fn_CharIsInWord(c) && !fn_CharStartsWord(c), qPrintable(QString(c)));
        for (QChar c : QStringLiteral(" \t\r\n.,;:-+=()[]{}<>\"'$#@!?/\\|&%*~`^"))
            QVERIFY2(!fn_CharIsInWord(c) && !fn_CharStartsWord(c), qPrintable(QString(c)));
        QVERIFY(!fn_CharIsInWord(QChar()));
        QVERIFY(!fn_CharIsInWord(QChar(0xD83D)));  // half of a character outside the BMP
    }

    void charIsInWord_wholeBmp_countsExactlyTheListedCharacters()
    {
        int inWord = 0;
        int startsWord = 0;
        for (int u = 0; u <= 0xFFFF; ++u) {
            const QChar c(static_cast<char16_t>(u));
            inWord += fn_CharIsInWord(c) ? 1 : 0;
            startsWord += fn_CharStartsWord(c) ? 1 : 0;
            // Whatever starts a word is inside a word as well.
            if (fn_CharStartsWord(c))
                QVERIFY(fn_CharIsInWord(c));
        }
        QCOMPARE(inWord, 10 + 26 + 26 + 1 + 18);
        QCOMPARE(startsWord, 26 + 26 + 1 + 18);
    }
};

QTEST_APPLESS_MAIN(TestWordChars)
#include "tst_wordchars.moc"
