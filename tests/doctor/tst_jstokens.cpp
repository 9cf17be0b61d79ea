// The JavaScript token scanner the rules of old code stand on: what is
// code, what is a string, a template, a regular expression or a comment,
// including the HTML-like comments of classic scripts.

#include "doctor/jstokens.h"

#include <QTest>

namespace {

char letter(JsTokenKind kind)
{
    switch (kind) {
    case JsTokenKind::Identifier:
        return 'I';
    case JsTokenKind::Punctuator:
        return 'P';
    case JsTokenKind::Number:
        return 'N';
    case JsTokenKind::String:
        return 'S';
    case JsTokenKind::Template:
        return 'T';
    case JsTokenKind::Regex:
        return 'R';
    case JsTokenKind::LineComment:
        return 'L';
    case JsTokenKind::BlockComment:
        return 'B';
    case JsTokenKind::HtmlComment:
        return 'H';
    }
    return '?';
}

// The tokens one a line: their kind's letter and their text.
QString described(const QByteArray &code)
{
    QStringList lines;
    for (const JsToken &token : scanJsTokens(code))
        lines << QLatin1Char(letter(token.kind)) + QStringLiteral(" ") +
                     QString::fromUtf8(code.sliced(token.start, token.end - token.start));
    return lines.join(u'\n');
}

}  // namespace

class TestJsTokens : public QObject {
    Q_OBJECT

private slots:
    void tokens_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QString>("tokens");
        QTest::newRow("names, dots and a call")
            << QByteArray("document.all.x(1)") << "I document\nP .\nI all\nP .\nI x\nP (\nN 1\nP )";
        QTest::newRow("longest punctuator first")
            << QByteArray("a>>>=b!==c=>d?.e") << "I a\nP >>>=\nI b\nP !==\nI c\nP =>\nI d\nP ?.\nI e";
        QTest::newRow("a conditional before a fraction is not optional chaining")
            << QByteArray("a?.5:1") << "I a\nP ?\nN .5\nP :\nN 1";
        QTest::newRow("numbers") << QByteArray("1.5e-3+0x1F") << "N 1.5e-3\nP +\nN 0x1F";
        QTest::newRow("division after a name") << QByteArray("a / b / c") << "I a\nP /\nI b\nP /\nI c";
        QTest::newRow("division after a bracket") << QByteArray("f(x) / 2") << "I f\nP (\nI x\nP )\nP /\nN 2";
        QTest::newRow("divide and assign") << QByteArray("a /= 2") << "I a\nP /=\nN 2";
        QTest::newRow("regex after an operator")
            << QByteArray("x = /a\"b/g.test(y)") << "I x\nP =\nR /a\"b/g\nP .\nI test\nP (\nI y\nP )";
        QTest::newRow("regex after return") << QByteArray("return /'/") << "I return\nR /'/";
        QTest::newRow("regex at the start") << QByteArray("/x/.source") << "R /x/\nP .\nI source";
        QTest::newRow("a slash in a character class") << QByteArray("(/[/]'/)") << "P (\nR /[/]'/\nP )";
        QTest::newRow("an escaped slash") << QByteArray("(/a\\/'/)") << "P (\nR /a\\/'/\nP )";
        QTest::newRow("strings with escaped quotes")
            << QByteArray("'it\\'s' + \"a\\\"b\"") << "S 'it\\'s'\nP +\nS \"a\\\"b\"";
        QTest::newRow("a string left open ends with its line") << QByteArray("\"abc\nd") << "S \"abc\nI d";
        QTest::newRow("a string continued over a line") << QByteArray("'a\\\nb' c") << "S 'a\\\nb'\nI c";
        QTest::newRow("a template with substitutions in substitutions")
            << QByteArray("`a${b + `c${d}`}e` f") << "T `a${\nI b\nP +\nT `c${\nI d\nT }`\nT }e`\nI f";
        QTest::newRow("braces inside a substitution")
            << QByteArray("`${ {a:1}.a }`") << "T `${\nP {\nI a\nP :\nN 1\nP }\nP .\nI a\nT }`";
        QTest::newRow("an escaped backquote and dollar") << QByteArray("`\\` \\${x}` y") << "T `\\` \\${x}`\nI y";
        QTest::newRow("line and block comments")
            << QByteArray("a // b 'c\nd /* e \"f */ g") << "I a\nL // b 'c\nI d\nB /* e \"f */\nI g";
        QTest::newRow("a block comment left open") << QByteArray("a /* b") << "I a\nB /* b";
        QTest::newRow("the comment wrapper")
            << QByteArray("<!-- hide\nx = 1;\n//-->") << "H <!-- hide\nI x\nP =\nN 1\nP ;\nL //-->";
        QTest::newRow("<!-- anywhere on a line") << QByteArray("a <!-- b\nc") << "I a\nH <!-- b\nI c";
        QTest::newRow("--> at a line start after white space") << QByteArray("a\n  --> b\nc") << "I a\nH --> b\nI c";
        QTest::newRow("--> after a comment that spans lines")
            << QByteArray("a /* x\ny */ --> b") << "I a\nB /* x\ny */\nH --> b";
        QTest::newRow("--> after code is a decrement and a comparison") << QByteArray("x-->y") << "I x\nP --\nP >\nI y";
        QTest::newRow("--> after a one-line comment at a line start")
            << QByteArray("a\n/* x */ --> b") << "I a\nB /* x */\nH --> b";
        QTest::newRow("--> after code on its line is code") << QByteArray("a; --> b") << "I a\nP ;\nP --\nP >\nI b";
        QTest::newRow("markup in a string is a string")
            << QByteArray("w('<!-- x -->')") << "I w\nP (\nS '<!-- x -->'\nP )";
        QTest::newRow("non-ASCII names") << QByteArray("caf\xc3\xa9 = 1")
                                         << QString::fromUtf8("I caf\xc3\xa9\nP =\nN 1");
    }
    void tokens()
    {
        QFETCH(QByteArray, code);
        QTEST(described(code), "tokens");
    }

    void lineBreaksBeforeTokens()
    {
        const std::vector<JsToken> tokens = scanJsTokens("a\n// c\nb c");
        QCOMPARE(tokens.size(), 4u);
        QVERIFY(!tokens[0].newlineBefore);
        QVERIFY(tokens[1].newlineBefore);
        QVERIFY(tokens[2].newlineBefore);
        QVERIFY(!tokens[3].newlineBefore);
    }
};

QTEST_GUILESS_MAIN(TestJsTokens)
#include "tst_jstokens.moc"
