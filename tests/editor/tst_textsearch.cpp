// Searching the editor's UTF-8 text ignoring the case of letters beyond
// ASCII: direction, whole words decided by the program's word characters,
// and byte offsets where characters take two, three or four bytes.

#include "editor/textsearch.h"

#include <QTest>

namespace {

// Byte offset of the character index i of text, by Qt's own encoder.
qsizetype byteOffset(const QString &text, qsizetype i)
{
    return text.left(i).toUtf8().size();
}

} // namespace

class TestTextSearch : public QObject {
    Q_OBJECT

private slots:
    void needsUnicodeFolding_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("expected");
        QTest::newRow("ascii, case ignored") << QStringLiteral("var") << false << false;
        QTest::newRow("polish, case ignored") << QStringLiteral("żółw") << false << true;
        QTest::newRow("polish, case matched") << QStringLiteral("żółw") << true << false;
        QTest::newRow("one letter beyond ascii") << QStringLiteral("abcé") << false << true;
        QTest::newRow("empty") << QString() << false << false;
    }

    void needsUnicodeFolding()
    {
        QFETCH(QString, needle);
        QFETCH(bool, matchCase);
        QFETCH(bool, expected);
        QCOMPARE(::needsUnicodeFolding(needle, matchCase), expected);
    }

    // from and the expected occurrences are character indexes of text
    // (start, end, start, end...); the test turns them into bytes.
    void findFolded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("wholeWords");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<bool>("all");
        QTest::addColumn<int>("from");
        QTest::addColumn<QList<int>>("expected");

        const QString turtles = QStringLiteral("żółw Żółw ŻÓŁW");
        QTest::newRow("forward, every one")
            << turtles << QStringLiteral("żółw") << false << true << true << 0 << QList<int>{0, 4, 5, 9, 10, 14};
        QTest::newRow("forward, the first from inside one")
            << turtles << QStringLiteral("ŻÓŁW") << false << true << false << 1 << QList<int>{5, 9};
        QTest::newRow("forward, none after the last")
            << turtles << QStringLiteral("żółw") << false << true << true << 11 << QList<int>{};
        QTest::newRow("back from the end")
            << turtles << QStringLiteral("żółw") << false << false << false << 14 << QList<int>{10, 14};
        QTest::newRow("back, must end before from")
            << turtles << QStringLiteral("żółw") << false << false << false << 13 << QList<int>{5, 9};
        QTest::newRow("back, none before the first")
            << turtles << QStringLiteral("żółw") << false << false << false << 3 << QList<int>{};
        QTest::newRow("occurrences do not overlap")
            << QStringLiteral("ąąąąą") << QStringLiteral("ĄĄ") << false << true << true << 0 << QList<int>{0, 2, 2, 4};
        QTest::newRow("not there") << QStringLiteral("abc żółć") << QStringLiteral("źdźbło") << false << true << true
                                   << 0 << QList<int>{};
        QTest::newRow("empty text") << QString() << QStringLiteral("ż") << false << true << true << 0 << QList<int>{};
        QTest::newRow("whole words, polish neighbours make a word")
            << QStringLiteral("ążółw żółwą żółw_ żółw1 éżółw żółw") << QStringLiteral("żółw") << true << true << true
            << 0 << QList<int>{25, 29, 30, 34};
        QTest::newRow("whole words, the next may start inside a rejected one")
            << QStringLiteral("xą-ą-ą") << QStringLiteral("Ą-Ą") << true << true << true << 0 << QList<int>{3, 6};
        QTest::newRow("whole words, back past parts of words")
            << QStringLiteral("Łódź łódźka\r\nąłódź") << QStringLiteral("łódź") << true << false << false << 18
            << QList<int>{0, 4};
        QTest::newRow("four-byte characters before")
            << QStringLiteral("😀😀 Żółć") << QStringLiteral("żółć") << false << true << true << 0 << QList<int>{5, 9};
        QTest::newRow("from after four-byte characters")
            << QStringLiteral("ż😀ż😀ż") << QStringLiteral("Ż") << false << true << true << 3 << QList<int>{3, 4, 6, 7};
        // The Kelvin sign folds to k: three bytes found for a one-byte letter.
        QTest::newRow("a match longer in bytes than the needle")
            << QStringLiteral("x \u212Aół ok") << QStringLiteral("kół") << false << true << true << 0
            << QList<int>{2, 5};
    }

    void findFolded()
    {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(bool, wholeWords);
        QFETCH(bool, forward);
        QFETCH(bool, all);
        QFETCH(int, from);
        QFETCH(QList<int>, expected);

        FindOptions options;
        options.wholeWords = wholeWords;
        options.forward = forward;
        const QByteArray utf8 = text.toUtf8();
        const std::vector<TextOccurrence> found = ::findFolded(utf8, needle, options, byteOffset(text, from), all);

        QList<qsizetype> bytes;
        for (const TextOccurrence &o : found)
            bytes << o.start << o.end;
        QList<qsizetype> expectedBytes;
        for (const int i : expected)
            expectedBytes << byteOffset(text, i);
        QCOMPARE(bytes, expectedBytes);
    }
};

QTEST_APPLESS_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
