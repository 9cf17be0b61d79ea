// The Functions tab's scan: which lines become elements, with what text
// and line number, and the order of the finished list.

#include "analysis/elementscanner.h"

#include <QTest>

namespace {

// "line|text" for each element, in the order found.
QStringList described(const std::vector<ScriptElement> &elements)
{
    QStringList out;
    for (const ScriptElement &e : elements)
        out << QStringLiteral("%1|%2").arg(e.line).arg(e.text);
    return out;
}

QString sectionName(ScriptSection section)
{
    return section == ScriptSection::Head ? QStringLiteral("Head") : QStringLiteral("Body");
}

} // namespace

class TestElementScanner : public QObject {
    Q_OBJECT

private slots:
    void scan_findsElements_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("tab before a function") << QByteArray("\tfunction go() {") << QStringList{"0|function go()"};
        QTest::newRow("for and if on one line: one element each, same text")
            << QByteArray("for (i = 0; i < n; i++) if (a[i]) b();")
            << QStringList{"0|for (i = 0; i < n; i++)", "0|for (i = 0; i < n; i++)"};
        QTest::newRow("capitals") << QByteArray("FUNCTION Go(a) {") << QStringList{"0|FUNCTION Go(a)"};
        QTest::newRow("mixed case") << QByteArray("WhIlE (x) WITH (y)") << QStringList{"0|WhIlE (x)", "0|WhIlE (x)"};
        QTest::newRow("no closing parenthesis") << QByteArray("function go(a,\r\n  b) {")
                                                << QStringList{};
        QTest::newRow("VBScript sub with empty parameters, its end not listed")
            << QByteArray("Sub Button1_OnClick()\r\n  MsgBox \"Hi\"\r\nEnd Sub\r\n") << QStringList{"0|Sub Button1_OnClick()"};
        QTest::newRow("line numbers from 0, empty lines counted")
            << QByteArray("x = 1;\r\nif (a) b();\r\n\r\nswitch (k) {\r\n")
            << QStringList{"1|if (a)", "3|switch (k)"};
        QTest::newRow("LF and lone CR end lines too")
            << QByteArray("a;\nif (b)\rwhile (c)\r\nfor (d)") << QStringList{"1|if (b)", "2|while (c)", "3|for (d)"};
        QTest::newRow("keyword inside a longer word counts")
            << QByteArray("x = waitfor (y);\r\nEnd If (z)") << QStringList{"0|x = waitfor (y)", "1|End If (z)"};
        QTest::newRow("keyword needs its space")
            << QByteArray("if(a) b();\r\nfunction(x) {}\r\nwhile\t(c) d();") << QStringList{};
        QTest::newRow("keyword after the parenthesis") << QByteArray("go(); if x") << QStringList{"0|go()"};
        QTest::newRow("keyword in a comment or string")
            << QByteArray("// call with (care)\r\ns = \"for (all)\";")
            << QStringList{"0|// call with (care)", "1|s = \"for (all)"};
        QTest::newRow("spaces trimmed, tabs deleted everywhere")
            << QByteArray("  \t while (a\t&& b)  {") << QStringList{"0|while (a&& b)"};
        QTest::newRow("text ends at the first parenthesis")
            << QByteArray("if (a(b)) { c(); }") << QStringList{"0|if (a(b)"};
        QTest::newRow("keyword at the very start, no indent") << QByteArray("if (a)") << QStringList{"0|if (a)"};
        QTest::newRow("last letters of a keyword alone")
            << QByteArray("n (a)\r\nr (b)\r\ne (c)\r\nh (d)\r\nb (e)\r\nf (f)") << QStringList{};
        QTest::newRow("letters beyond ASCII kept")
            << QByteArray("function zażółć(gęś) {") << QStringList{"0|function zażółć(gęś)"};
        QTest::newRow("every keyword once") << QByteArray("function for if while with switch sub )")
                                            << QStringList(7, QStringLiteral("0|function for if while with switch sub )"));
        QTest::newRow("empty text") << QByteArray() << QStringList{};
    }
    void scan_findsElements()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        for (const ScriptSection section : {ScriptSection::Head, ScriptSection::Body}) {
            std::vector<ScriptElement> found;
            scanElements(text, section, found);
            QCOMPARE(described(found), expected);
            for (const ScriptElement &e : found)
                QCOMPARE(sectionName(e.section), sectionName(section));
        }
    }

    void scan_appendsToWhatIsThere()
    {
        std::vector<ScriptElement> found;
        scanElements("function a()", ScriptSection::Head, found);
        scanElements("\r\nsub b()", ScriptSection::Body, found);
        QCOMPARE(found.size(), size_t(2));
        QCOMPARE(found[0], (ScriptElement{QStringLiteral("function a()"), ScriptSection::Head, 0}));
        QCOMPARE(found[1], (ScriptElement{QStringLiteral("sub b()"), ScriptSection::Body, 1}));
    }

    void list_isSortedByTheLocale()
    {
        // Byte order would put "If (Zebra)" first and the accented letter
        // last; the collation goes by letters first.
        const std::vector<ScriptElement> list =
            listElements("If (Zebra)\r\nwhile (x)\r\nfor (mango)", "if (apple)\r\nfor (émile)", QLocale(QLocale::English));
        QStringList order;
        for (const ScriptElement &e : list)
            order << QStringLiteral("%1 %2|%3").arg(sectionName(e.section)).arg(e.line).arg(e.text);
        QCOMPARE(order, (QStringList{"Body 1|for (émile)", "Head 2|for (mango)", "Body 0|if (apple)",
                                     "Head 0|If (Zebra)", "Head 1|while (x)"}));
    }

    void list_followsTheLanguage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("expected");
        // Case first or last, letters beyond ASCII among plain ones, and
        // letter pairs that sort as one letter (Danish "aa", Czech "ch").
        const QString plain = QStringLiteral("i|ch|h|c|A|b|a|aa|z|b-c|bc|b c");
        const QString polish = plain + QStringLiteral("|ą");
        QTest::newRow("English") << QLocale(QLocale::English) << plain << "a|A|aa|b c|b-c|b|bc|c|ch|h|i|z";
        QTest::newRow("English, a Polish letter") << QLocale(QLocale::English) << polish
                                                  << "a|A|ą|aa|b c|b-c|b|bc|c|ch|h|i|z";
        QTest::newRow("Polish") << QLocale(QLocale::Polish) << polish << "a|A|aa|ą|b c|b-c|b|bc|c|ch|h|i|z";
        QTest::newRow("Danish") << QLocale(QLocale::Danish) << plain << "A|a|b c|b-c|b|bc|c|ch|h|i|z|aa";
        QTest::newRow("Czech") << QLocale(QLocale::Czech) << plain << "a|A|aa|b c|b-c|b|bc|c|h|ch|i|z";
    }
    void list_followsTheLanguage()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, words);
        QFETCH(QString, expected);
        QByteArray body;
        for (const QString &word : words.split(u'|'))
            body += "if (" + word.toUtf8() + ")\r\n";
        QStringList order;
        for (const ScriptElement &e : listElements({}, body, locale))
            order << e.text.sliced(4).chopped(1);
        QCOMPARE(order.join(u'|'), expected);
    }

    void list_keepsEqualTexts()
    {
        const std::vector<ScriptElement> list = listElements("function a()\r\nfunction a()", "function a()");
        QCOMPARE(list.size(), size_t(3));
        QStringList places;
        for (const ScriptElement &e : list)
            places << QStringLiteral("%1 %2").arg(sectionName(e.section)).arg(e.line);
        places.sort();
        QCOMPARE(places, (QStringList{"Body 0", "Head 0", "Head 1"}));
    }
};

QTEST_GUILESS_MAIN(TestElementScanner)
#include "tst_elementscanner.moc"
