// The syntax check: where broken code is reported, in blocks, handlers and
// whole files, that today's syntax is not mistaken for an error, and that
// real libraries check clean.

#include "corpusfiles.h"
#include "doctor/jssyntax.h"
#include "doctor/syntaxcheck.h"
#include "document/scripttext.h"
#include "library/builtin/builtincatalogue.h"
#include "library/builtin/builtingenerator.h"
#include "library/builtin/builtinsamples.h"

#include <QFile>
#include <QTest>

#include <thread>

namespace {

// "line:column" of a byte offset, both from 1, columns in characters.
QString placeOf(QByteArrayView text, int offset)
{
    const QByteArrayView before = text.first(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    const int line = static_cast<int>(before.count('\n')) + 1;
    const int column = static_cast<int>(QString::fromUtf8(before.sliced(lineStart)).size()) + 1;
    return QStringLiteral("%1:%2").arg(line).arg(column);
}

// Each error as "line:column marked-text".
QStringList described(QByteArrayView text, const std::vector<Finding> &findings)
{
    QStringList out;
    for (const Finding &f : findings) {
        out << QStringLiteral("%1 %2").arg(placeOf(text, f.start),
                                           QString::fromUtf8(text.sliced(f.start, f.end - f.start)));
        if (f.kind != FindingKind::Error || f.message.isEmpty())
            out << QStringLiteral("not an error with a message");
    }
    return out;
}

// The corpus files a page could hold as a classic script: modules are not
// (three's examples and sources are modules, its build is not).
QStringList corpusFiles()
{
    QStringList files;
    for (const CorpusFile &file : corpusScriptFiles()) {
        if (file.path.contains(QLatin1String("module")) ||
            file.path.contains(QLatin1String("/three-0.160.0/examples/")) ||
            file.path.contains(QLatin1String("/three-0.160.0/src/")))
            continue;
        files << file.path;
    }
    return files;
}

}  // namespace

class TestSyntaxCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_checker.isWorking()); }

    void brokenCode_isFoundAtItsPlace_data()
    {
        QTest::addColumn<QByteArray>("fragment");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("expected");
        const int html = static_cast<int>(SourceKind::Html);
        const int js = static_cast<int>(SourceKind::JavaScript);

        QTest::newRow("missing operand") << QByteArray("x = = 1;") << js << QStringList{"1:5 ="};
        QTest::newRow("unclosed parameter list")
            << QByteArray("function f(a, b {\n  return a;\n}") << js << QStringList{"1:17 {"};
        QTest::newRow("unterminated string, second line")
            << QByteArray("var a = 1;\nvar s = \"open;\n") << js << QStringList{"2:15 "};
        QTest::newRow("after accented text, columns in characters")
            << QByteArray("var s = \"\xC3\xA9\xC3\xA9\"; x = = 1;") << js << QStringList{"1:19 ="};
        QTest::newRow("CR LF line breaks") << QByteArray("a();\r\nb();\r\nc(;\r\n") << js << QStringList{"3:3 ;"};
        QTest::newRow("missing brace at the end: a point at the end")
            << QByteArray("function f() {\n  g();\n") << js << QStringList{"3:1 "};
        QTest::newRow("keyword as a name") << QByteArray("var class = 1;") << js << QStringList{"1:5 class"};
        QTest::newRow("block in a page, error on the block's second line")
            << QByteArray("<P>Hello</P>\n<SCRIPT LANGUAGE=\"JavaScript\">\n<!--\nif (a { b(); }\n//-->\n</SCRIPT>")
            << html << QStringList{"4:7 {"};
        QTest::newRow("two blocks: the first error of each")
            << QByteArray("<script>a(;</script>\n<script>ok();</script>\n<script>\nb)</script>") << html
            << QStringList{"1:11 ;", "4:2 )"};
        QTest::newRow("handler, on its tag's line")
            << QByteArray("<A HREF=\"#\" ONCLICK=\"go(;\">x</A>") << html << QStringList{"1:25 ;"};
        QTest::newRow("handler with character references: the error after them")
            << QByteArray("<INPUT ONCLICK=\"if (a &amp;&amp; b) c(\">") << html << QStringList{"1:39 "};
        QTest::newRow("handler over two lines")
            << QByteArray("<BODY ONLOAD=\"start();\n  go(1 2);\">") << html << QStringList{"2:8 2"};
        QTest::newRow("handler closing a brace too many: at its end")
            << QByteArray("<B ONCLICK=\"f(); }\">") << html << QStringList{"1:19 "};
        QTest::newRow("handler may return")
            << QByteArray("<FORM ONSUBMIT=\"return check(event);\">") << html << QStringList{};
        QTest::newRow("VBScript block is not checked")
            << QByteArray("<SCRIPT LANGUAGE=\"VBScript\">\nSub Go()\nEnd Sub\n</SCRIPT>") << html << QStringList{};
        QTest::newRow("data block is not checked")
            << QByteArray("<script type=\"text/template\"><b>{{x}</b></script>") << html << QStringList{};
        QTest::newRow("tags inside a string of a block are code")
            << QByteArray("<script>document.write(\"<b>\" + x +);</script>") << html << QStringList{"1:35 )"};
        QTest::newRow("an HTML comment hides a block")
            << QByteArray("<!-- <script>a(;</script> -->") << html << QStringList{};
        QTest::newRow("block left open runs to the end")
            << QByteArray("<SCRIPT>\nfunction f() {\n") << html << QStringList{"3:1 "};
        QTest::newRow("VBScript file is not checked")
            << QByteArray("If a Then b(") << static_cast<int>(SourceKind::VbScript) << QStringList{};
    }

    void brokenCode_isFoundAtItsPlace()
    {
        QFETCH(QByteArray, fragment);
        QFETCH(int, kind);
        QFETCH(QStringList, expected);
        QCOMPARE(described(fragment, findSyntaxErrors(fragment, static_cast<SourceKind>(kind), m_checker)), expected);
    }

    void todaysSyntax_isNoError_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::newRow("classes with private and static parts")
            << QByteArray("class A extends B { #p = 1; static s = 2; static { init(); } get p() { return this.#p; } }");
        QTest::newRow("arrows, spread, destructuring")
            << QByteArray("const f = ({a, b: [c, ...d]}, ...rest) => ({a, c, d, rest});");
        QTest::newRow("template strings nested") << QByteArray("let s = `a ${b ? `c ${d}` : 'e'} f`;");
        QTest::newRow("optional chaining and nullish") << QByteArray("x = a?.b?.[c]?.(d) ?? e; y ||= 1; z ?\?= 2;");
        QTest::newRow("async, await, generators")
            << QByteArray("async function* g() { for await (const x of y) yield await x; }");
        QTest::newRow("numeric separators, bigint, exponent") << QByteArray("let n = 1_000n ** 2n; let m = 2 ** 10;");
        QTest::newRow("old comment wrapper of a script block") << QByteArray("<!--\nvar a = 1;\n//-->\n");
        QTest::newRow("sloppy mode: with and octal") << QByteArray("with (document) { write(010); }");
        QTest::newRow("regular expressions with slashes") << QByteArray("var r = /[/]+\\/x/g, q = a / b / c;");
    }

    void todaysSyntax_isNoError()
    {
        QFETCH(QByteArray, code);
        const auto error = m_checker.check(code, JsCodeForm::Script);
        QVERIFY2(!error, error ? qPrintable(error->message) : "");
    }

    void realLibraries_haveNoError()
    {
        const QStringList files = corpusFiles();
        if (qEnvironmentVariableIsSet("QUILLON_CORPUS"))
            QVERIFY2(files.size() > 100,
                     qPrintable(QStringLiteral("%1 files: test.sh unpacks them").arg(files.size())));
        else
            QSKIP("no corpus: run through test.sh");
        for (const QString &path : files) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray code = file.readAll();
            const auto error = m_checker.check(code, JsCodeForm::Script);
            QVERIFY2(!error, qPrintable(QStringLiteral("%1:%2:%3 %4")
                                            .arg(path)
                                            .arg(error ? error->line : 0)
                                            .arg(error ? error->column : 0)
                                            .arg(error ? error->message : QString())));
        }
    }

    // What the program itself writes into the editors is valid JavaScript:
    // each built-in script with its defaults and with a text full of
    // quotes, an ampersand, a backslash and a closing script tag, and the
    // start-up and New texts.
    void programsOwnScripts_haveNoError_data()
    {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("body");
        const QString awkward = QStringLiteral("He said \"hi\" & it's </script> \\ ok");
        for (int id = 0; id < kBuiltInScriptCount; ++id) {
            for (const bool withText : {false, true}) {
                const auto script = generateBuiltInScript(id, withText ? sampleBuiltInSettings(id, awkward)
                                                                       : sampleBuiltInSettings(id));
                QVERIFY(script);
                QTest::addRow("%02d %s", id, withText ? "awkward text" : "defaults") << script->head << script->body;
            }
        }
        QTest::newRow("start-up text") << startupScriptText() << startupScriptText();
        QTest::newRow("New text") << newScriptText() << newScriptText();
    }

    void programsOwnScripts_haveNoError()
    {
        QFETCH(QString, head);
        QFETCH(QString, body);
        for (const QString &fragment : {head, body}) {
            const QByteArray bytes = fragment.toUtf8();
            const std::vector<Finding> errors = findSyntaxErrors(bytes, SourceKind::Html, m_checker);
            QVERIFY2(errors.empty(),
                     errors.empty() ? ""
                                    : qPrintable(described(bytes, errors).join(u' ') + u' ' + errors.front().message));
        }
    }

    void checkersOnOtherThreads_workAtTheSameTime()
    {
        // The worker thread of the editors has its own engine.
        std::optional<JsSyntaxError> first, second;
        std::thread a([&] {
            JsSyntaxChecker c;
            first = c.check("a(;", JsCodeForm::Script);
        });
        std::thread b([&] {
            JsSyntaxChecker c;
            second = c.check("ok(); b)", JsCodeForm::Script);
        });
        a.join();
        b.join();
        QVERIFY(first && second);
        QCOMPARE(first->offset, 2);
        QCOMPARE(second->offset, 7);
    }

private:
    JsSyntaxChecker m_checker;
};

QTEST_GUILESS_MAIN(TestSyntaxCheck)
#include "tst_syntaxcheck.moc"
