// Finding scripts by name and by text: letter case, accents, Polish
// letters, the matched part of a name, and the copy of the texts.

#include "library/libraryfind.h"

#include <QTest>

namespace {

/// The matched part of name, or "-" when the query is not in it.
QString matchedPart(const QString &name, const QString &query)
{
    const TextRange range = FindQuery(query).inName(name);
    return range.isNull() ? QStringLiteral("-") : name.mid(range.start, range.length);
}

}  // namespace

class TestLibraryFind : public QObject {
    Q_OBJECT

private slots:
    void folding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("ascii upper") << QStringLiteral("Clock WRITE") << QStringLiteral("clock write");
        QTest::newRow("precomposed e acute") << QStringLiteral("Café") << QStringLiteral("cafe");
        QTest::newRow("decomposed e acute") << QStringLiteral("Cafe\u0301") << QStringLiteral("cafe");
        QTest::newRow("two accents") << QStringLiteral("\u01D6") << QStringLiteral("u");  // u, diaeresis, macron
        QTest::newRow("polish with marks")
            << QStringLiteral("ĄĆĘŃÓŚŹŻ ąćęńóśźż") << QStringLiteral("acenoszz acenoszz");
        QTest::newRow("l with stroke stays") << QStringLiteral("Łódź") << QStringLiteral("łodz");
        QTest::newRow("angstrom sign") << QStringLiteral("\u212B") << QStringLiteral("a");
        QTest::newRow("german sharp s stays") << QStringLiteral("Straße") << QStringLiteral("straße");
        QTest::newRow("emoji kept") << QStringLiteral("a\U0001F600B") << QStringLiteral("a\U0001F600b");
    }
    void folding()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(foldForFind(text), folded);
    }

    void nameMatch_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("part");  // the part drawn in bold, "-" when none
        QTest::newRow("middle") << QStringLiteral("digital clock") << QStringLiteral("clo") << QStringLiteral("clo");
        QTest::newRow("case ignored") << QStringLiteral("Digital Clock") << QStringLiteral("CLOCK")
                                      << QStringLiteral("Clock");
        QTest::newRow("first of two") << QStringLiteral("menu menu") << QStringLiteral("menu")
                                      << QStringLiteral("menu");
        QTest::newRow("absent") << QStringLiteral("menu") << QStringLiteral("clock") << QStringLiteral("-");
        QTest::newRow("accent in name, none typed")
            << QStringLiteral("Zegar – godzina ćwiczeń") << QStringLiteral("cwiczen") << QStringLiteral("ćwiczeń");
        QTest::newRow("accent typed, none in name")
            << QStringLiteral("Resume") << QStringLiteral("résumé") << QStringLiteral("Resume");
        QTest::newRow("decomposed accent ends the match")
            << QStringLiteral("cafe\u0301 bar") << QStringLiteral("cafe") << QStringLiteral("cafe\u0301");
        QTest::newRow("plain l, l with stroke in name")
            << QStringLiteral("Łódź") << QStringLiteral("lodz") << QStringLiteral("-");
        QTest::newRow("l with stroke matches its capital")
            << QStringLiteral("ŁÓDŹ nocą") << QStringLiteral("łódź") << QStringLiteral("ŁÓDŹ");
        QTest::newRow("capital typed, small in name")
            << QStringLiteral("żółw") << QStringLiteral("ŻÓŁW") << QStringLiteral("żółw");
        QTest::newRow("o acute typed, plain o in name")
            << QStringLiteral("zolw") << QStringLiteral("żółw") << QStringLiteral("-");
        QTest::newRow("after a surrogate pair")
            << QStringLiteral("\U0001F600 Clock") << QStringLiteral("clock") << QStringLiteral("Clock");
    }
    void nameMatch()
    {
        QFETCH(QString, name);
        QFETCH(QString, query);
        QFETCH(QString, part);
        QCOMPARE(matchedPart(name, query), part);
    }

    void scripts_matchByNameOrText_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QList<int>>("matched");     // indexes of the names
        QTest::addColumn<QList<int>>("byNameOnly");  // of those, matched by name
        // 0 "Clock", 1 "Menu", 2 "Tło", 3 "no file", 4 "Zażółć"
        QTest::newRow("name only") << QStringLiteral("clo") << QList<int>{0} << QList<int>{0};
        QTest::newRow("head text") << QStringLiteral("setinterval") << QList<int>{0} << QList<int>{};
        QTest::newRow("body text") << QStringLiteral("document.write") << QList<int>{1} << QList<int>{};
        QTest::newRow("name and text") << QStringLiteral("menu") << QList<int>{0, 1} << QList<int>{1};
        QTest::newRow("accent in text, none typed") << QStringLiteral("gesla") << QList<int>{4} << QList<int>{};
        QTest::newRow("polish l in text") << QStringLiteral("TŁO") << QList<int>{2, 4} << QList<int>{2};
        QTest::newRow("plain l does not match it") << QStringLiteral("tlo") << QList<int>{} << QList<int>{};
        QTest::newRow("script without text, by name") << QStringLiteral("file") << QList<int>{3} << QList<int>{3};
        QTest::newRow("across head and body: no") << QStringLiteral("end start") << QList<int>{} << QList<int>{};
        QTest::newRow("nothing typed") << QString() << QList<int>{} << QList<int>{};
    }
    void scripts_matchByNameOrText()
    {
        QFETCH(QString, query);
        QFETCH(QList<int>, matched);
        QFETCH(QList<int>, byNameOnly);
        const QStringList names{QStringLiteral("Clock"), QStringLiteral("Menu"), QStringLiteral("Tło"),
                                QStringLiteral("no file"), QStringLiteral("Zażółć")};
        ScriptTexts texts;
        texts.put(QStringLiteral("clock"), QStringLiteral("var t = setInterval(tick, 1000); // menu end"),
                  QStringLiteral("start <DIV ID=\"c\"></DIV>"));
        texts.put(QStringLiteral("Menu"), QString(), QStringLiteral("document.write('<UL>');"));
        texts.put(QStringLiteral("Tło"), QStringLiteral("document.bgColor"), QString());
        texts.put(QStringLiteral("Zażółć"), QString(), QStringLiteral("// Hasła i gęśla: tło strony"));
        QList<int> found;
        QList<int> byName;
        for (const ScriptMatch &m : findScripts(names, &texts, FindQuery(query))) {
            found << int(m.index);
            if (!m.inName.isNull() && !m.inText)
                byName << int(m.index);
        }
        QCOMPARE(found, matched);
        QCOMPARE(byName, byNameOnly);
    }

    void builtInNames_matchWithoutTexts()
    {
        const QStringList names{QStringLiteral("Scroll"), QStringLiteral("Printing text"),
                                QStringLiteral("Animated text")};
        const std::vector<ScriptMatch> found = findScripts(names, nullptr, FindQuery(QStringLiteral("TEXT")));
        QCOMPARE(found.size(), std::size_t(2));
        QCOMPARE(found[0].index, 1);
        QCOMPARE(found[0].inName, (TextRange{9, 4}));
        QCOMPARE(found[1].index, 2);
    }

    void copy_followsRenameAndRemove()
    {
        ScriptTexts texts;
        texts.put(QStringLiteral("Clock"), QStringLiteral("h"), QStringLiteral("tick"));
        texts.put(QStringLiteral("menu"), QString(), QStringLiteral("list"));
        texts.rename(QStringLiteral("clock"), QStringLiteral("Timer"));
        QVERIFY(!texts.find(QStringLiteral("Clock")));
        QVERIFY(texts.find(QStringLiteral("TIMER")));
        QCOMPARE(texts.find(QStringLiteral("timer"))->body, QStringLiteral("tick"));
        // A rename onto another script's name takes its place.
        texts.rename(QStringLiteral("timer"), QStringLiteral("Menu"));
        QCOMPARE(texts.size(), 1);
        QCOMPARE(texts.find(QStringLiteral("menu"))->body, QStringLiteral("tick"));
        texts.remove(QStringLiteral("MENU"));
        QCOMPARE(texts.size(), 0);
    }
};

QTEST_APPLESS_MAIN(TestLibraryFind)
#include "tst_libraryfind.moc"
