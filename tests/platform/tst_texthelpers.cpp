// The small string helpers: placeholders, splitting and replacing,
// extensions, hexadecimal pairs and text files read as lines.

#include "platform/texthelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextHelpers : public QObject {
    Q_OBJECT

private slots:
    void replacePlaceholder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("placeholder");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("count");
        QTest::newRow("every occurrence") << "a[x]b[x]c" << "[x]" << "1" << false << "a1b1c" << 2;
        QTest::newRow("value holds its own placeholder")
            << "<[tekst]>" << "[tekst]" << "[tekst][tekst]" << false << "<[tekst][tekst]>" << 1;
        QTest::newRow("value makes a new one with the text after")
            << "[a]]" << "[a]" << "[a" << false << "[a]" << 1;
        QTest::newRow("empty placeholder replaces nothing") << "abc" << "" << "x" << false << "abc" << 0;
        QTest::newRow("brackets are case-sensitive") << "[Tekst][tekst]" << "[tekst]" << "v" << false << "[Tekst]v" << 1;
        QTest::newRow("angle tokens ignore ASCII case")
            << "<TU_DAC_Skrypt>|<tu_dac_skrypt>" << "<tu_dac_skrypt>" << "v" << true << "v|v" << 2;
        QTest::newRow("only ASCII letters fold") << QString::fromUtf8("<ŁÓDŹ>") << QString::fromUtf8("<łódź>") << "v"
                                                 << true << QString::fromUtf8("<ŁÓDŹ>") << 0;
        QTest::newRow("empty value deletes") << "a[x]b" << "[x]" << "" << false << "ab" << 1;
        QTest::newRow("overlapping occurrences") << "aaa" << "aa" << "b" << false << "ba" << 1;
    }
    void replacePlaceholder()
    {
        QFETCH(QString, text);
        QFETCH(QString, placeholder);
        QFETCH(QString, value);
        QFETCH(bool, ignoreCase);
        QFETCH(QString, result);
        QFETCH(int, count);
        QCOMPARE(ReplacePlaceholder(text, placeholder, value, ignoreCase), count);
        QCOMPARE(text, result);
    }

    void replacePlaceholders_valuesAreNotScannedAgain()
    {
        QString text = QStringLiteral("[a] [b]");
        const int count = ReplacePlaceholders(text, {{QStringLiteral("[a]"), QStringLiteral("[b]")},
                                                     {QStringLiteral("[b]"), QStringLiteral("[a]")}});
        QCOMPARE(count, 2);
        QCOMPARE(text, QStringLiteral("[b] [a]"));
    }

    void splitOnSeparator_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("first of two") << "a,b,c" << "," << true << "a" << "b,c";
        QTest::newRow("absent") << "abc" << "," << false << "abc" << "";
        QTest::newRow("case-sensitive") << "aXb" << "x" << false << "aXb" << "";
        QTest::newRow("at the end") << "ab\r\n" << "\r\n" << true << "ab" << "";
        QTest::newRow("empty separator") << "ab" << "" << false << "ab" << "";
    }
    void splitOnSeparator()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(bool, found);
        QString before = QStringLiteral("old");
        QString after = QStringLiteral("old");
        QCOMPARE(SplitOnSeparator(text, separator, before, after), found);
        QTEST(before, "before");
        QTEST(after, "after");
    }

    void replaceAllText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");
        QTest::newRow("hint lines") << "Open\r\na file\r\n" << "\r\n" << " " << "Open a file ";
        QTest::newRow("absent") << "abc" << "x" << "y" << "abc";
        QTest::newRow("replacement holds the search") << "a-b" << "-" << "--" << "a--b";
        QTest::newRow("adjacent") << "--" << "-" << "+" << "++";
        QTest::newRow("empty search") << "ab" << "" << "x" << "ab";
    }
    void replaceAllText()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QTEST(ReplaceAllText(text, search, replacement), "result");
    }

    void deleteTextNoCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("part");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("result");
        QTest::newRow("first only, any case") << "a<B>b<b>" << "<b>" << true << "ab<b>";
        QTest::newRow("absent") << "abc" << "x" << false << "abc";
        QTest::newRow("empty part") << "abc" << "" << false << "abc";
    }
    void deleteTextNoCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, part);
        QTEST(DeleteTextNoCase(text, part), "found");
        QTEST(text, "result");
    }

    void changeExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("result");
        QTest::newRow("replaces") << "page.htm" << ".html" << "page.html";
        QTest::newRow("dot added") << "page.htm" << "js" << "page.js";
        QTest::newRow("appends") << "out/05" << "head" << "out/05.head";
        QTest::newRow("dot in a folder only") << "C:\\my.dir\\script" << ".js" << "C:\\my.dir\\script.js";
        QTest::newRow("last extension only") << "a.tar.gz" << "zip" << "a.tar.zip";
        QTest::newRow("empty removes") << "a.txt" << "" << "a";
    }
    void changeExtension()
    {
        QFETCH(QString, name);
        QFETCH(QString, extension);
        QTEST(ChangeExtension(name, extension), "result");
    }

    void hexPairToByte_data()
    {
        QTest::addColumn<QChar>("high");
        QTest::addColumn<QChar>("low");
        QTest::addColumn<int>("byte");
        QTest::newRow("00") << QChar(u'0') << QChar(u'0') << 0;
        QTest::newRow("ff") << QChar(u'f') << QChar(u'f') << 255;
        QTest::newRow("upper case") << QChar(u'A') << QChar(u'9') << 169;
        QTest::newRow("not a digit counts 16") << QChar(u'g') << QChar(u'0') << 256;
    }
    void hexPairToByte()
    {
        QFETCH(QChar, high);
        QFETCH(QChar, low);
        QTEST(HexPairToByte(high, low), "byte");
    }

    void loadTextFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("mixed breaks") << QByteArray("a\nb\r\nc\rd") << "a\r\nb\r\nc\r\nd\r\n";
        QTest::newRow("UTF-8") << QByteArray("za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87") << QString::fromUtf8("zażółć\r\n");
        QTest::newRow("Windows-1250") << QByteArray("\xb9\x9c") << QString::fromUtf8("ąś\r\n");
        QTest::newRow("empty") << QByteArray() << "";
    }
    void loadTextFile()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("t.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const std::optional<QString> text = LoadTextFile(file.fileName());
        QVERIFY(text);
        QTEST(*text, "text");
    }

    void loadTextFile_missingGivesNothing()
    {
        QTemporaryDir dir;
        QVERIFY(!LoadTextFile(dir.filePath(QStringLiteral("missing"))));
    }
};

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
