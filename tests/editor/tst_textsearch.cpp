// Searching the editor's UTF-8 text, letter case ignored (beyond ASCII as
// well) or matched: direction, whole words decided by the program's word
// characters, and byte offsets where characters take two, three or four
// bytes.

#include "editor/textsearch.h"
#include "editor/wordchars.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Byte offset of the character index i of text, by Qt's own encoder.
qsizetype byteOffset(const QString &text, qsizetype i)
{
    return text.left(i).toUtf8().size();
}

void addColumns()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("wholeWords");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<bool>("all");
    QTest::addColumn<int>("from");
    QTest::addColumn<QList<int>>("expected");
}

// Runs the row: from and the expected occurrences are character indexes
// of text (start, end, start, end...), turned into bytes here.
void checkRow(bool matchCase)
{
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(bool, wholeWords);
    QFETCH(bool, forward);
    QFETCH(bool, all);
    QFETCH(int, from);
    QFETCH(QList<int>, expected);

    FindOptions options;
    options.matchCase = matchCase;
    options.wholeWords = wholeWords;
    options.forward = forward;
    const QByteArray utf8 = text.toUtf8();
    const std::vector<TextOccurrence> found = findOccurrences(utf8, needle, options, byteOffset(text, from), all);

    QList<qsizetype> bytes;
    for (const TextOccurrence &o : found)
        bytes << o.start << o.end;
    QList<qsizetype> expectedBytes;
    for (const int i : expected)
        expectedBytes << byteOffset(text, i);
    QCOMPARE(bytes, expectedBytes);
}

// The search as QString does it over the decoded text, in character
// indexes: what findOccurrences has to agree with.
QList<int> referenceSearch(const QString &text, const QString &needle, const FindOptions &options, int start, bool all)
{
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype n = needle.size();
    const auto inWord = [&](qsizetype i) { return i >= 0 && i < text.size() && fn_CharIsInWord(text[i]); };
    const auto accepted = [&](qsizetype i) { return !options.wholeWords || (!inWord(i - 1) && !inWord(i + n)); };
    QList<int> found;
    if (options.forward) {
        qsizetype at = start;
        qsizetype i = 0;
        while ((i = text.indexOf(needle, at, cs)) >= 0) {
            if (accepted(i)) {
                found << int(i) << int(i + n);
                if (!all)
                    break;
                at = i + n;
            } else {
                at = i + 1;
            }
        }
    } else {
        for (qsizetype at = start - n; at >= 0;) {
            const qsizetype i = text.lastIndexOf(needle, at, cs);
            if (i < 0)
                break;
            if (accepted(i)) {
                found << int(i) << int(i + n);
                break;
            }
            at = i - 1;
        }
    }
    return found;
}

} // namespace

class TestTextSearch : public QObject {
    Q_OBJECT

private slots:
    void findIgnoringCase_data()
    {
        addColumns();

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
        QTest::newRow("the Kelvin sign going back")
            << QStringLiteral("\u212Aół x kÓŁ") << QStringLiteral("KÓŁ") << false << false << false << 5
            << QList<int>{0, 3};
        QTest::newRow("the Kelvin sign as the needle")
            << QStringLiteral("ok \u212A K") << QStringLiteral("\u212A") << false << true << true << 0
            << QList<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("the long s folds to s")
            << QStringLiteral("\u017Fłowo słowo") << QStringLiteral("SŁOWO") << false << true << true << 0
            << QList<int>{0, 5, 6, 11};
        QTest::newRow("ascii letters")
            << QStringLiteral("var Var VAR vAr") << QStringLiteral("VAR") << false << true << true << 1
            << QList<int>{4, 7, 8, 11, 12, 15};
        // ÿ (C3 BF) and Ÿ (C5 B8) differ in both bytes; ø (C3 B8) mixes them.
        QTest::newRow("case forms differing in the first byte")
            << QStringLiteral("ø ÿ Ÿ") << QStringLiteral("ÿ") << false << true << true << 0
            << QList<int>{2, 3, 4, 5};
        QTest::newRow("cyrillic") << QStringLiteral("ПРИВЕТ привет") << QStringLiteral("Привет") << false << true
                                  << true << 0 << QList<int>{0, 6, 7, 13};
        QTest::newRow("four-byte letters with case")
            << QStringLiteral("\U00010400 \U00010428") << QStringLiteral("\U00010428") << false << true << true << 0
            << QList<int>{0, 2, 3, 5};
        QTest::newRow("across a line break")
            << QStringLiteral("ab\r\ncd ab\r\nCD") << QStringLiteral("B\r\nc") << false << true << true << 0
            << QList<int>{1, 5, 8, 12};
        QTest::newRow("a needle longer than the text")
            << QStringLiteral("żó") << QStringLiteral("żółw") << false << true << true << 0 << QList<int>{};
        QTest::newRow("back, a needle longer than the text")
            << QStringLiteral("żó") << QStringLiteral("żółw") << false << false << false << 2 << QList<int>{};
        QTest::newRow("back from the start") << turtles << QStringLiteral("ż") << false << false << false << 0
                                             << QList<int>{};
        QTest::newRow("a miss through a long text")
            << QStringLiteral("function f(a) { var s = \"gęślą jaźń\"; }\r\n").repeated(2000)
            << QStringLiteral("ŻÓŁWIK") << false << true << true << 0 << QList<int>{};
    }

    void findIgnoringCase() { checkRow(false); }

    void findMatchingCase_data()
    {
        addColumns();
        const QString turtles = QStringLiteral("żółw Żółw ŻÓŁW żółw");
        QTest::newRow("forward, only that case")
            << turtles << QStringLiteral("żółw") << false << true << true << 0 << QList<int>{0, 4, 15, 19};
        QTest::newRow("capitals")
            << turtles << QStringLiteral("ŻÓŁW") << false << true << true << 0 << QList<int>{10, 14};
        QTest::newRow("back") << turtles << QStringLiteral("Żółw") << false << false << false << 19
                              << QList<int>{5, 9};
        QTest::newRow("ascii") << QStringLiteral("var VAR Var var") << QStringLiteral("var") << false << true << true
                               << 1 << QList<int>{12, 15};
        QTest::newRow("the Kelvin sign is not k")
            << QStringLiteral("\u212A k K") << QStringLiteral("k") << false << true << true << 0 << QList<int>{2, 3};
        QTest::newRow("whole words") << QStringLiteral("ab abc ab_ ab") << QStringLiteral("ab") << true << true
                                     << true << 0 << QList<int>{0, 2, 11, 13};
    }

    void findMatchingCase() { checkRow(true); }

    // The search reads the UTF-8 text in place; the old one decoded it and
    // asked QString.  Both have to find the same, in every direction and
    // mode, over texts full of the characters that make the difference:
    // letters whose case forms differ in their first byte or in length.
    void findOccurrences_agreesWithQString()
    {
        const QString alphabet =
            QStringLiteral("aAbBkKsSzZ \u00F3.-_1żŻźŹłŁąĄÓøÿŸ\u212A\u017F\u00B5\u039C\u03BCпП");
        const QList<QString> extras = {QStringLiteral("😀"), QStringLiteral("\r\n"), QStringLiteral("\U00010400"),
                                       QStringLiteral("\U00010428")};
        QRandomGenerator random(18);
        const auto pick = [&](const QString &from) { return from[random.bounded(int(from.size()))]; };
        for (int round = 0; round < 400; ++round) {
            QString text;
            const int length = random.bounded(60);
            for (int i = 0; i < length; ++i) {
                if (random.bounded(8) == 0)
                    text += extras[random.bounded(int(extras.size()))];
                else
                    text += pick(alphabet);
            }
            // A needle out of the text (case changed now and then), or made up.
            QString needle;
            if (text.size() > 2 && random.bounded(4) != 0) {
                qsizetype start = random.bounded(int(text.size()) - 1);
                if (text[start].isLowSurrogate())
                    --start;
                qsizetype end = start + 1 + random.bounded(4);
                end = qMin(end, text.size());
                if (end < text.size() && text[end].isLowSurrogate())
                    ++end;
                needle = text.mid(start, end - start);
                if (random.bounded(2) == 0)
                    needle = random.bounded(2) == 0 ? needle.toUpper() : needle.toLower();
            } else {
                for (int i = 0, n = 1 + random.bounded(3); i < n; ++i)
                    needle += pick(alphabet);
            }
            if (needle.isEmpty())
                continue;
            int start = random.bounded(int(text.size()) + 1);
            if (start < text.size() && text[start].isLowSurrogate())
                --start;
            const QByteArray utf8 = text.toUtf8();
            for (int mode = 0; mode < 8; ++mode) {
                FindOptions options;
                options.matchCase = mode & 1;
                options.wholeWords = mode & 2;
                options.forward = !(mode & 4);
                for (const bool all : {false, true}) {
                    const QList<int> expected = referenceSearch(text, needle, options, start, all);
                    QList<int> found;
                    for (const TextOccurrence &o :
                         findOccurrences(utf8, needle, options, byteOffset(text, start), all)) {
                        found << int(QString::fromUtf8(utf8.first(o.start)).size())
                              << int(QString::fromUtf8(utf8.first(o.end)).size());
                    }
                    QVERIFY2(found == expected, qPrintable(QStringLiteral("text \"%1\" needle \"%2\" from %3 mode %4")
                                                               .arg(text, needle)
                                                               .arg(start)
                                                               .arg(mode)));
                }
            }
        }
    }

    void findOccurrences_strayBytes_areCharactersOfTheirOwn()
    {
        // Bytes that are no UTF-8 neither match nor hide what follows.
        const QByteArray text("a\xFF" "b \xC5" "ab \xE2\x84" "AB", 12);
        FindOptions options;
        QList<qsizetype> bytes;
        for (const TextOccurrence &o : findOccurrences(text, u"ab", options, 0, true))
            bytes << o.start << o.end;
        QCOMPARE(bytes, QList<qsizetype>({5, 7, 10, 12}));
        options.forward = false;
        const std::vector<TextOccurrence> back = findOccurrences(text, u"AB", options, 10, false);
        QCOMPARE(back.size(), size_t(1));
        QCOMPARE(back.front().start, qsizetype(5));
    }
};

QTEST_APPLESS_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
