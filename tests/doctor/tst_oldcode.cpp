// Old browser code: each rule found where it is and not in strings,
// comments or names that only look alike; the rewrites' exact output and
// where they are refused; the rule table and its reader; the help page;
// and the built-in library, which shows only what its scripts need.

#include "corpusfiles.h"
#include "doctor/oldcode.h"
#include "document/scripttext.h"
#include "library/builtin/builtincatalogue.h"
#include "library/builtin/builtingenerator.h"
#include "library/builtin/builtinsamples.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// The rules found, in order, as "id" or "id@start-end" when places asked.
QStringList found(const QByteArray &fragment, bool html, bool places = false)
{
    QStringList out;
    for (const Finding &f : findOldCode(fragment, html ? SourceKind::Html : SourceKind::JavaScript)) {
        out << (places ? QStringLiteral("%1@%2-%3").arg(f.rule).arg(f.start).arg(f.end) : f.rule);
    }
    return out;
}

const OldCodeRule *ruleOf(const QString &id)
{
    for (const OldCodeRule &rule : oldCodeRules())
        if (rule.id == id)
            return &rule;
    return nullptr;
}

const QString kAwkward = QStringLiteral("He said \"hi\" & it's </script> \\ ok");

}  // namespace

class TestOldCode : public QObject {
    Q_OBJECT

private slots:
    // Each rule where it applies and where it must not: in a string, in a
    // comment, a name that only looks alike, and the cases its conditions
    // leave out.
    void findings_data()
    {
        QTest::addColumn<QByteArray>("fragment");
        QTest::addColumn<bool>("html");
        QTest::addColumn<QStringList>("rules");
        const QStringList none;
        const auto js = [](const char *name, const char *code, const QStringList &rules) {
            QTest::newRow(name) << QByteArray(code) << false << rules;
        };
        const auto page = [](const char *name, const char *code, const QStringList &rules) {
            QTest::newRow(name) << QByteArray(code) << true << rules;
        };
        const QStringList all{"document-all"};
        js("document.all", "if (document.all) x = 1;", all);
        js("document.all.x", "document.all.menu.style.color = 'red';", all);
        js("document.all[...]", "var e = document.all[i];", all);
        js("window.document.all", "top.document.all.x.focus();", all);
        js("document.all in a string", "var s = \"document.all.x\";", none);
        js("document.all in a template", "var s = `document.all`;", none);
        js("document.all in a substitution", "var s = `${document.all.x}`;", all);
        js("document.all in a line comment", "// document.all.x\nx();", none);
        js("document.all in a block comment", "/* document.all */ x();", none);
        js("document.all in a regex", "var r = /document.all/;", none);
        js("mydocument.all", "mydocument.all.x = 1;", none);
        js("document.allItems", "document.allItems.x = 1;", none);
        js("document all with no dot", "document\nall", none);

        js("document.layers", "if (document.layers) go();", {"document-layers"});
        js("document.layers in a string", "alert('document.layers');", none);
        js("document.layersList", "document.layersList = 1;", none);
        js("document.layers in a comment", "/* if (document.layers) */ go();", none);

        const QStringList language{"script-language"};
        page("LANGUAGE=\"JavaScript\"", "<SCRIPT LANGUAGE=\"JavaScript\">go();</SCRIPT>", language);
        page("language=javascript1.2 unquoted", "<script language=javascript1.2>go();</script>", language);
        page("LANGUAGE=\"JScript\"", "<SCRIPT LANGUAGE=\"JScript\"></SCRIPT>", language);
        page("LANGUAGE with TYPE", "<SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"text/javascript\"></SCRIPT>", none);
        page("LANGUAGE=\"VBScript\"", "<SCRIPT LANGUAGE=\"VBScript\">x = 1</SCRIPT>", none);
        page("LANGUAGE in an HTML comment", "<!-- <SCRIPT LANGUAGE=\"JavaScript\"> -->", none);
        page("LANGUAGE in a script's string", "<SCRIPT>document.write('<SCRIPT LANGUAGE=\"JavaScript\">');</SCRIPT>",
             none);
        page("LANGUAGE on another tag", "<DIV LANGUAGE=\"JavaScript\">x</DIV>", none);

        const QStringList wrapper{"comment-wrapper"};
        page("the wrapper", "<SCRIPT>\n<!--\ngo();\n//-->\n</SCRIPT>", wrapper);
        page("an HTML comment later in a script", "<SCRIPT>\ngo(); <!-- x\n</SCRIPT>", wrapper);
        page("<!-- in a script's string", "<SCRIPT>\nvar s = '<!--';\n</SCRIPT>", none);
        page("<!-- in a script's comment", "<SCRIPT>\n// <!--\n</SCRIPT>", none);
        page("<!-- in HTML", "<!-- a comment -->\n<P>x</P>", none);
        js("<!-- in a .js file", "<!--\ngo();\n//-->", none);
        page("<!-- in a handler", "<A ONCLICK=\"go() <!-- x\">y</A>", none);

        const QStringList status{"status-line"};
        js("window.status =", "window.status = 'Hi';", status);
        js("window.status +=", "window.status += '.';", status);
        js("self.defaultStatus =", "self.defaultStatus = 'Hi';", status);
        js("defaultStatus = alone", "defaultStatus = 'Hi';", status);
        js("window.status read", "var s = window.status;", none);
        js("window.status compared", "if (window.status == '') go();", none);
        js("window.status in a string", "var s = 'window.status = 1';", none);
        js("a status of another object", "request.status = 200;", none);
        js("a defaultStatus member", "options.defaultStatus = 1;", none);
        js("window.statusBar", "window.statusBar = 1;", none);
        js("window.status in a comment", "// window.status = 'Hi';", none);

        const QStringList sniff{"browser-sniffing"};
        js("navigator.appName", "if (navigator.appName == 'Netscape') go();", sniff);
        js("navigator.appVersion", "var v = parseInt(navigator.appVersion);", sniff);
        js("navigator.userAgent", "var v = navigator.userAgent;", none);
        js("navigator.appName in a comment", "/* navigator.appName */", none);
        js("mynavigator.appName", "mynavigator.appName = 1;", none);
        js("navigator.appName in a string", "var s = \"navigator.appName\";", none);

        const QStringList write{"write-after-load"};
        js("document.write in a function", "function show() { document.write('Hi'); }", write);
        js("document.writeln in a function expression", "var f = function () { document.writeln('Hi'); };", write);
        js("document.write in an arrow function", "var f = () => { document.write('Hi'); };", write);
        js("document.write in a method", "var o = { show() { document.write('Hi'); } };", write);
        js("document.write in an arrow function without braces", "b.onclick = () => document.write('Hi');", write);
        js("document.write after an arrow function without braces",
           "f(x => x * 2, document.write('Hi'));\nvar g = () => [1, 2]\ndocument.write(g());", none);
        js("document.write while the page loads", "document.write('Hi');", none);
        js("document.write in a loop while the page loads", "for (var i = 0; i < 3; i++) { document.write(i); }", none);
        js("document.write after a function", "function f() { }\nif (x) { document.write('Hi'); }", none);
        page("document.write in a handler", "<INPUT ONCLICK=\"document.write('Hi')\">", write);
        js("document.write in a string in a function", "function f() { return 'document.write(1)'; }", none);
        js("document.written", "function f() { document.written(1); }", none);
        js("document.write in a comment in a function", "function f() { // document.write(1);\n}", none);

        const QStringList evalRule{"eval-string"};
        js("eval of a sum", "eval('x' + name + ' = 0');", evalRule);
        js("eval of a variable", "eval(code);", evalRule);
        js("window.eval", "window.eval(code);", evalRule);
        js("eval of one literal", "eval('x = 1');", none);
        js("a method called eval", "parser.eval(code);", none);
        js("evaluate", "evaluate(code);", none);
        js("eval in a string", "var s = 'eval(code)';", none);
        js("eval in a comment", "/* eval(code); */", none);

        const QStringList timer{"timer-string"};
        js("setTimeout with a string", "setTimeout('go()', 10);", timer);
        js("setInterval with a string", "setInterval(\"go()\", 10);", timer);
        js("setTimeout with a built string", "setTimeout('go(' + n + ')', 10);", timer);
        js("setTimeout with a template", "setTimeout(`go(${n})`, 10);", timer);
        js("window.setTimeout with a string", "window.setTimeout('go()', 10);", timer);
        js("setTimeout with a function", "setTimeout(go, 10);", none);
        js("setTimeout with an arrow", "setTimeout(() => go('x'), 10);", none);
        js("mysetTimeout with a string", "mysetTimeout('go()', 10);", none);
        js("a timer method of an object", "jobs.setTimeout('go()', 10);", none);
        js("setTimeout in a comment", "// setTimeout('go()', 10);", none);
        js("setTimeout in a string", "var s = \"setTimeout('go()', 10)\";", none);

        const QStringList url{"javascript-url"};
        page("javascript: in HREF", "<A HREF=\"javascript:go()\">x</A>", url);
        page("JavaScript: after spaces", "<A HREF=\"  JavaScript:go()\">x</A>", url);
        page("a plain address", "<A HREF=\"javascript.html\">x</A>", none);
        page("javascript: in another attribute", "<A TITLE=\"javascript:go()\" HREF=\"#\">x</A>", none);
        page("javascript: in text", "<P>javascript:go()</P>", none);
        page("javascript: in a script", "<SCRIPT>location.href = 'javascript:go()';</SCRIPT>", none);
        page("javascript: in an HTML comment", "<!-- <A HREF=\"javascript:go()\">x</A> -->", none);

        page("<BLINK>", "<BLINK>New</BLINK>", {"blink-tag"});
        page("<MARQUEE>", "<marquee behavior=\"alternate\">News</marquee>", {"marquee-tag"});
        page("<FONT>", "<FONT COLOR=\"red\">Sale</FONT>", {"font-tag"});
        page("each start tag once", "<FONT><FONT>x</FONT></FONT>", {"font-tag", "font-tag"});
        page("<BLINK> in an HTML comment", "<!-- <BLINK> -->", none);
        page("<FONT> written by a script", "<SCRIPT>document.write('<FONT>x</FONT>');</SCRIPT>", none);
        page("<FONTS>", "<FONTS>x</FONTS>", none);
        page("<MARQUEEE>", "<MARQUEEE>x</MARQUEEE>", none);

        const QStringList modal{"show-modal-dialog"};
        js("showModalDialog", "var a = window.showModalDialog('ask.html');", modal);
        js("showModalDialog tested", "if (window.showModalDialog) go();", modal);
        js("a function of that name declared", "function showModalDialog(u) { }", none);
        js("showModalDialogs", "showModalDialogs(1);", none);
        js("showModalDialog in a string", "var s = 'showModalDialog(u)';", none);
        js("showModalDialog in a comment", "// showModalDialog(u);", none);

        const QStringList attach{"attach-event"};
        js("attachEvent", "button.attachEvent('onclick', go);", attach);
        js("detachEvent", "button.detachEvent('onclick', go);", attach);
        js("attachEvent called alone", "attachEvent('onload', go);", attach);
        js("a function called attachEvent", "function attachEvent(el, name, f) { }", none);
        js("attachEvent tested", "if (button.attachEvent) go();", none);
        js("attachEvents", "button.attachEvents('onclick', go);", none);
        js("attachEvent in a string", "var s = 'button.attachEvent(\"onclick\", go)';", none);
        js("attachEvent in a comment", "/* button.attachEvent('onclick', go); */", none);

        const QStringList src{"src-element"};
        js("event.srcElement", "var t = event.srcElement;", src);
        js("e.srcElement.id", "var t = e.srcElement.id;", src);
        js("srcElement alone", "var srcElement = 1;", none);
        js("srcElement in a string", "var s = 'event.srcElement';", none);
        js("event.srcElements", "var t = event.srcElements;", none);
        js("srcElement in a comment", "// var t = event.srcElement;", none);

        const QStringList returnValue{"return-value"};
        js("event.returnValue = false", "event.returnValue = false;", returnValue);
        js("e.returnValue = true", "e.returnValue = true;", returnValue);
        js("window.returnValue, a dialog's result", "window.returnValue = 5;", none);
        js("returnValue read", "if (event.returnValue == false) go();", none);
        js("returnValue in a comment", "/* event.returnValue = false */", none);
        js("a variable called returnValue", "returnValue = false;", none);
        js("returnValue in a string", "var s = 'event.returnValue = false';", none);

        js("several rules in order", "window.status = document.all.x.value; event.returnValue = false;",
           {"status-line", "document-all", "return-value"});
        page("script and markup in order",
             "<FONT>a</FONT><SCRIPT>document.layers</SCRIPT><A HREF=\"javascript:x()\" ONCLICK=\"e.srcElement\">",
             {"font-tag", "document-layers", "javascript-url", "src-element"});
        page("VBScript is not checked", "<SCRIPT LANGUAGE=\"VBScript\">document.all.x.value = 1</SCRIPT>", none);
    }
    void findings()
    {
        QFETCH(QByteArray, fragment);
        QFETCH(bool, html);
        QTEST(found(fragment, html), "rules");
    }

    // Where findings lie in the fragment: script code through its block, a
    // handler's through its decoded character references, a tag whole.
    void places_data()
    {
        QTest::addColumn<QByteArray>("fragment");
        QTest::addColumn<bool>("html");
        QTest::addColumn<QStringList>("places");
        QTest::newRow("a .js file") << QByteArray("x = document.layers;") << false
                                    << QStringList{"document-layers@4-19"};
        QTest::newRow("a block") << QByteArray("<SCRIPT>\nx = document.layers;</SCRIPT>") << true
                                 << QStringList{"document-layers@13-28"};
        QTest::newRow("a handler after a character reference")
            << QByteArray("<A ONCLICK=\"f(&quot;a&quot;); e.srcElement\">") << true << QStringList{"src-element@31-42"};
        QTest::newRow("a tag") << QByteArray("x <FONT SIZE=\"2\">y") << true << QStringList{"font-tag@2-17"};
        QTest::newRow("an attribute") << QByteArray("<SCRIPT LANGUAGE=\"JavaScript\"></SCRIPT>") << true
                                      << QStringList{"script-language@8-29"};
        QTest::newRow("the rewrite's reach")
            << QByteArray("document.all.menu.focus()") << false << QStringList{"document-all@0-17"};
        QTest::newRow("the wrapper's opening")
            << QByteArray("<SCRIPT>\n<!--\nx();\n//-->\n</SCRIPT>") << true << QStringList{"comment-wrapper@9-13"};
    }
    void places()
    {
        QFETCH(QByteArray, fragment);
        QFETCH(bool, html);
        QTEST(found(fragment, html, true), "places");
    }

    // A finding's message and kind are its rule's, but for a LANGUAGE that
    // browsers no longer run: a warning that says so instead of "leave it
    // out".
    void messages_data()
    {
        QTest::addColumn<QByteArray>("fragment");
        QTest::addColumn<QString>("message");
        QTest::addColumn<FindingKind>("kind");
        QTest::newRow("a LANGUAGE that runs")
            << QByteArray("<SCRIPT LANGUAGE=\"JavaScript1.2\"></SCRIPT>")
            << "LANGUAGE=\"JavaScript\": no longer needed; leave it out" << FindingKind::Hint;
        QTest::newRow("a LANGUAGE that does not")
            << QByteArray("<SCRIPT LANGUAGE=\"JavaScript1.7\"></SCRIPT>")
            << "LANGUAGE=\"JavaScript1.7\": browsers of today do not run this block" << FindingKind::Warning;
        QTest::newRow("a script rule") << QByteArray("<SCRIPT>x = document.all;</SCRIPT>")
                                       << "document.all: use document.getElementById()" << FindingKind::Warning;
    }
    void messages()
    {
        QFETCH(QByteArray, fragment);
        const std::vector<Finding> findings = findOldCode(fragment, SourceKind::Html);
        QCOMPARE(findings.size(), 1u);
        QTEST(findings[0].message, "message");
        QTEST(findings[0].kind, "kind");
    }

    // The rewrites' exact output; an empty "fixed" is a finding whose
    // rewrite is refused.
    void fixes_data()
    {
        QTest::addColumn<QByteArray>("fragment");
        QTest::addColumn<bool>("html");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QByteArray>("fixed");
        const auto js = [](const char *name, const char *rule, const char *code, const char *fixed) {
            QTest::newRow(name) << QByteArray(code) << false << QString::fromLatin1(rule) << QByteArray(fixed);
        };
        const auto page = [](const char *name, const char *rule, const char *code, const char *fixed) {
            QTest::newRow(name) << QByteArray(code) << true << QString::fromLatin1(rule) << QByteArray(fixed);
        };
        js("document.all.x", "document-all", "document.all.menu.style.color = 'red';",
           "document.getElementById(\"menu\").style.color = 'red';");
        js("document.all[\"x\"]", "document-all", "var m = document.all[\"menu\"];",
           "var m = document.getElementById(\"menu\");");
        js("document.all('x')", "document-all", "var m = document.all('menu');",
           "var m = document.getElementById('menu');");
        js("parent.document.all.x", "document-all", "parent.document.all.x.focus()",
           "parent.document.getElementById(\"x\").focus()");
        page("document.all.x in a double-quoted handler", "document-all",
             "<A ONCLICK=\"document.all.x.style.color='red'\">",
             "<A ONCLICK=\"document.getElementById('x').style.color='red'\">");
        page("document.all.x in a single-quoted handler", "document-all", "<A ONCLICK='document.all.x.click()'>",
             "<A ONCLICK='document.getElementById(\"x\").click()'>");
        page("document.all.x in an unquoted handler", "document-all", "<A ONCLICK=document.all.x.click()>", "");
        js("document.all alone", "document-all", "if (document.all) go();", "");
        js("document.all[i]", "document-all", "var e = document.all[i];", "");
        js("document.all.length", "document-all", "var n = document.all.length;", "");
        js("document.all.tags()", "document-all", "var d = document.all.tags('DIV');", "");
        js("document.all.x assigned", "document-all", "document.all.x = 1;", "");
        js("document.all.x incremented", "document-all", "document.all.x++;", "");

        page("LANGUAGE=\"JavaScript\"", "script-language", "<SCRIPT LANGUAGE=\"JavaScript\">go();</SCRIPT>",
             "<SCRIPT>go();</SCRIPT>");
        page("LANGUAGE=JavaScript1.5 unquoted, other attributes kept", "script-language",
             "<script language=JavaScript1.5 src=\"a.js\"></script>", "<script src=\"a.js\"></script>");
        page("LANGUAGE=\"LiveScript\" on its own line", "script-language",
             "<SCRIPT\n  LANGUAGE='LiveScript'\n>x</SCRIPT>", "<SCRIPT\n>x</SCRIPT>");
        page("LANGUAGE=\"ECMAScript\"", "script-language", "<SCRIPT DEFER LANGUAGE=\"ECMAScript\">x</SCRIPT>",
             "<SCRIPT DEFER>x</SCRIPT>");
        page("LANGUAGE=\"x-javascript\"", "script-language", "<SCRIPT LANGUAGE=\"x-javascript\">x</SCRIPT>",
             "<SCRIPT>x</SCRIPT>");
        page("LANGUAGE=\"JavaScript1.7\": leaving it out would start the block", "script-language",
             "<SCRIPT LANGUAGE=\"JavaScript1.7\">x</SCRIPT>", "");

        page("the start-up text's wrapper", "comment-wrapper",
             "<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!-- \r\n\r\n// -->\r\n</SCRIPT>",
             "<SCRIPT LANGUAGE=\"JavaScript\">\r\n\r\n</SCRIPT>");
        page("the New text's wrapper", "comment-wrapper",
             "<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\n\r\n//-->\r\n</SCRIPT>",
             "<SCRIPT LANGUAGE=\"JavaScript\">\r\n\r\n</SCRIPT>");
        page("a wrapper with words and indent", "comment-wrapper",
             "<SCRIPT>\n  <!-- hide from old browsers\n  go();\n  // end hiding -->\n</SCRIPT>",
             "<SCRIPT>\n  go();\n</SCRIPT>");
        page("a wrapper on the tags' lines", "comment-wrapper", "<SCRIPT><!--\ngo();\n//--></SCRIPT>",
             "<SCRIPT>go();\n</SCRIPT>");
        page("a wrapper closed by a bare -->", "comment-wrapper", "<SCRIPT>\n<!--\ngo();\n-->\n</SCRIPT>",
             "<SCRIPT>\ngo();\n</SCRIPT>");
        page("no closing line", "comment-wrapper", "<SCRIPT>\n<!--\ngo();\n</SCRIPT>", "");
        page("code before the opening", "comment-wrapper", "<SCRIPT>\ngo(); <!--\nx();\n//-->\n</SCRIPT>", "");
        page("code on the closing line", "comment-wrapper", "<SCRIPT>\n<!--\ngo(); //-->\n</SCRIPT>", "");
        page("the closing line not last", "comment-wrapper", "<SCRIPT>\n<!--\ngo();\n//-->\nx();\n</SCRIPT>", "");

        js("setTimeout('code', n)", "timer-string", "setTimeout('scroll()', 100);",
           "setTimeout(() => { scroll() }, 100);");
        js("setInterval with escaped quotes", "timer-string", "window.setInterval(\"say(\\\"hi\\\")\", 500);",
           "window.setInterval(() => { say(\"hi\") }, 500);");
        js("setTimeout in a plain block", "timer-string", "if (on) { setTimeout(\"tick(1); tock()\", 5) }",
           "if (on) { setTimeout(() => { tick(1); tock() }, 5) }");
        js("setTimeout inside a function", "timer-string", "function f() { setTimeout('go()', 1); }", "");
        js("setTimeout inside a catch", "timer-string", "try { x(); } catch (go) { setTimeout('go()', 1); }", "");
        js("setTimeout inside an arrow function", "timer-string", "var f = () => setTimeout('go()', 1);", "");
        js("setTimeout inside a with", "timer-string", "with (document) { setTimeout('open()', 1); }", "");
        page("setTimeout in a handler", "timer-string", "<A ONCLICK=\"setTimeout('go()', 1)\">", "");
        js("a string that declares", "timer-string", "setTimeout('var n = 1', 1);", "");
        js("a string that uses this", "timer-string", "setTimeout('this.go()', 1);", "");
        js("a string with a comment", "timer-string", "setTimeout('go() // now', 1);", "");
        js("a string with a line break escape", "timer-string", "setTimeout('a()\\nb()', 1);", "");
        js("a string whose brackets do not pair", "timer-string", "setTimeout('go(', 1);", "");
        js("a built string", "timer-string", "setTimeout('go(' + n + ')', 1);", "");
        js("a template", "timer-string", "setTimeout(`go()`, 1);", "");

        js("attachEvent", "attach-event", "button.attachEvent(\"onclick\", go);",
           "button.addEventListener(\"click\", go);");
        js("detachEvent with a capital", "attach-event", "el.detachEvent('onMouseOver', go)",
           "el.removeEventListener('mouseover', go)");
        page("attachEvent in a handler", "attach-event", "<BODY ONLOAD=\"window.attachEvent('onresize', fit)\">",
             "<BODY ONLOAD=\"window.addEventListener('resize', fit)\">");
        js("attachEvent called alone", "attach-event", "attachEvent('onload', go);", "");
        js("attachEvent with a name in a variable", "attach-event", "el.attachEvent(name, go);", "");
        js("attachEvent with a name not starting with on", "attach-event", "el.attachEvent('click', go);", "");

        js("event.srcElement", "src-element", "var t = event.srcElement;", "var t = event.target;");
        js("window.event.srcElement", "src-element", "var t = window.event.srcElement.id;",
           "var t = window.event.target.id;");
        js("e.srcElement", "src-element", "(e.srcElement || e.target).focus()", "(e.target || e.target).focus()");
        js("srcElement of something else", "src-element", "var t = item.srcElement;", "");
        js("srcElement assigned", "src-element", "event.srcElement = x;", "");

        js("event.returnValue = false", "return-value", "event.returnValue = false;", "event.preventDefault();");
        js("window.event.returnValue = false after if", "return-value",
           "if (x) window.event.returnValue = false\ngo();", "if (x) window.event.preventDefault()\ngo();");
        js("returnValue = false closing a block", "return-value", "function f(e) { e.returnValue=false }",
           "function f(e) { e.preventDefault() }");
        js("returnValue = true", "return-value", "event.returnValue = true;", "");
        js("returnValue = false inside an expression", "return-value", "x = event.returnValue = false;", "");
        js("returnValue = false followed by more", "return-value", "event.returnValue = false || x;", "");
    }
    void fixes()
    {
        QFETCH(QByteArray, fragment);
        QFETCH(bool, html);
        QFETCH(QString, rule);
        QFETCH(QByteArray, fixed);
        const std::vector<Finding> findings = findOldCode(fragment, html ? SourceKind::Html : SourceKind::JavaScript);
        const auto it =
            std::find_if(findings.begin(), findings.end(), [&](const Finding &f) { return f.rule == rule; });
        QVERIFY2(it != findings.end(), "the rule finds nothing");
        if (fixed.isEmpty()) {
            QVERIFY2(it->fix.empty(), applyEdits(fragment, it->fix).constData());
        } else {
            QVERIFY(!it->fix.empty());
            QCOMPARE(applyEdits(fragment, it->fix), fixed);
        }
    }

    // The table as shipped: read whole, every kind of rule there, and each
    // record's example found and its fixed form right: the rewrite's exact
    // output where there is one, otherwise a form the rule no longer finds.
    void table_examples()
    {
        const OldCodeRules table = readOldCodeRules();
        QCOMPARE(table.error, QString());
        QCOMPARE(table.rules.size(), oldCodeRules().size());
        QStringList hints;
        for (const OldCodeRule &rule : table.rules) {
            if (rule.kind == FindingKind::Hint)
                hints << rule.id;
            const SourceKind kind = rule.exampleIsHtml() ? SourceKind::Html : SourceKind::JavaScript;
            const std::vector<Finding> findings = findOldCode(rule.example, kind);
            const auto it =
                std::find_if(findings.begin(), findings.end(), [&](const Finding &f) { return f.rule == rule.id; });
            QVERIFY2(it != findings.end(), qPrintable(rule.id + QStringLiteral(": the example is not found")));
            QCOMPARE(it->kind, rule.kind);
            QCOMPARE(it->message, rule.message);
            QCOMPARE(it->fix.empty(), rule.fix.isEmpty());
            if (!rule.fix.isEmpty())
                QCOMPARE(applyEdits(rule.example, it->fix), rule.fixed);
            const QStringList left = found(rule.fixed, rule.exampleIsHtml());
            QVERIFY2(!left.contains(rule.id), qPrintable(rule.id + QStringLiteral(": the fixed form is found")));
        }
        QCOMPARE(hints, (QStringList{"script-language", "comment-wrapper"}));
        for (const char *id :
             {"document-all", "document-layers", "script-language", "comment-wrapper", "status-line",
              "browser-sniffing", "write-after-load", "eval-string", "timer-string", "javascript-url", "blink-tag",
              "marquee-tag", "font-tag", "show-modal-dialog", "attach-event", "src-element", "return-value"})
            QVERIFY2(ruleOf(QString::fromLatin1(id)), id);
    }

    void table_faults_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("error");
        const QByteArray rest = "name: n\nmessage: m\nmatches: m\nwhy: w\nmodern: m\nfix: none\nexample: e\nfixed: f\n";
        QTest::newRow("a field before a rule")
            << QByteArray("kind: Warning\n") << "line 1: a field before the first rule";
        QTest::newRow("no colon") << QByteArray("[a]\nkind Warning\n") << "line 2: a field is written \"name: value\"";
        QTest::newRow("an unknown field") << QByteArray("[a]\ncolour: red\n") << "line 2: no field is called colour";
        QTest::newRow("an unknown kind") << QByteArray("[a]\nkind: Error\n")
                                         << "line 2: a rule's kind is Warning or Hint";
        QTest::newRow("an unknown check")
            << QByteArray("[a]\nchecks: not-member sunny\n") << "line 2: no check is called sunny";
        QTest::newRow("an unknown rewrite") << QByteArray("[a]\nfix: magic\n") << "line 2: no rewrite is called magic";
        QTest::newRow("a choice left open")
            << QByteArray("[a]\ntokens: {window self . status\n") << "line 2: a pattern of tokens that cannot be read";
        QTest::newRow("two kinds of match")
            << QByteArray("[a]\ntokens: x\ntag: font\n") << "line 3: a rule matches one kind of thing";
        QTest::newRow("an id twice") << "[a]\ntokens: x\n" + rest + "[a]\n"
                                     << "line 11: the rule a is there twice";
        QTest::newRow("no match") << "[a]\n" + rest << "the rule a of line 1: it says nothing of what it matches";
        QTest::newRow("no why")
            << QByteArray(
                   "[a]\ntag: font\nname: n\nmessage: m\nmatches: m\nmodern: m\nfix: none\nexample: e\nfixed: f\n")
            << "the rule a of line 1: it has no why";
        QTest::newRow("a rewrite without its condition")
            << "[a]\ntokens: x\n" + QByteArray(rest).replace("fix: none", "fix: event-target")
            << "the rule a of line 1: its rewrite does not say when it is offered";
        QTest::newRow("an attribute without its tag")
            << "[a]\nattribute: href\n" + rest
            << "the rule a of line 1: an attribute is a tag name and an attribute name";
    }
    void table_faults()
    {
        QFETCH(QByteArray, data);
        const OldCodeRules table = parseOldCodeRules(data);
        QVERIFY(table.rules.empty());
        QTEST(table.error, "error");
    }

    void table_ownRules()
    {
        const OldCodeRules table = parseOldCodeRules("# two rules\n\n[a]\ntokens: {foo bar} ( $string\ntokens: baz\n"
                                                     "name: n\nmessage: Foo\nmatches: m\nwhy: w\nmodern: m\nfix: none\n"
                                                     "example: foo('x')\\nbar\\\\\nfixed: f\n");
        QCOMPARE(table.error, QString());
        QCOMPARE(table.rules.size(), 1u);
        QCOMPARE(table.rules[0].example, QByteArray("foo('x')\nbar\\"));
        const QByteArray code = "bar(\"a\"); foo(1); x.baz; 'foo(\"a\")'";
        QStringList places;
        for (const Finding &f : findOldCode(code, SourceKind::JavaScript, table.rules))
            places << QStringLiteral("%1-%2 %3").arg(f.start).arg(f.end).arg(f.message);
        QCOMPARE(places, (QStringList{"0-7 Foo", "20-23 Foo"}));
    }

    void helpPage_listsEveryRule()
    {
        const QString page = oldCodeHelpPage();
        QVERIFY(page.contains(QStringLiteral("VBScript is not checked")));
        for (const OldCodeRule &rule : oldCodeRules()) {
            QVERIFY2(page.contains(QStringLiteral("<h2 id=\"%1\">%2</h2>").arg(rule.id, rule.name.toHtmlEscaped())),
                     qPrintable(rule.id));
            QVERIFY(page.contains(QString::fromUtf8(rule.example).toHtmlEscaped()));
            QVERIFY(page.contains(QString::fromUtf8(rule.fixed).toHtmlEscaped()));
            QVERIFY(page.contains(rule.why.toHtmlEscaped()));
            if (!rule.fix.isEmpty())
                QVERIFY(page.contains(rule.fixWhen.toHtmlEscaped()));
        }
    }

    // The real libraries test.sh unpacks, read as .js files: the few old
    // lines they keep on purpose for old browsers are found, and nothing
    // else is (a string or a regular expression misread would show here).
    void realLibraries_onlyTheirOldCode()
    {
        // A file by its path in the corpus, and the rules of its findings.
        const QMap<QString, QStringList> old = {
            {QStringLiteral("jquery-3.7.1/src/event.js"), {"return-value"}},
            {QStringLiteral("jquery-3.7.1/dist/jquery.js"), {"return-value"}},
            {QStringLiteral("jquery-3.7.1/dist/jquery.min.js"), {"return-value"}},
            {QStringLiteral("jquery-3.7.1/dist/jquery.slim.js"), {"return-value"}},
            {QStringLiteral("jquery-3.7.1/dist/jquery.slim.min.js"), {"return-value"}},
            {QStringLiteral("three-0.160.0/examples/jsm/libs/ecsy.module.js"), {"eval-string"}},
            {QStringLiteral("three-0.160.0/examples/jsm/libs/chevrotain.module.min.js"), {"eval-string"}},
            {QStringLiteral("three-0.160.0/examples/jsm/libs/lottie_canvas.module.js"), {"eval-string"}},
        };
        int files = 0;
        for (const CorpusFile &corpusFile : corpusScriptFiles()) {
            QFile file(corpusFile.path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            ++files;
            QStringList seen = found(file.readAll(), false);
            seen.removeDuplicates();
            const QString path = QDir(corpusFile.root).relativeFilePath(corpusFile.path);
            QVERIFY2(seen == old.value(path), qPrintable(path + QStringLiteral(": ") + seen.join(u' ')));
        }
        if (!qEnvironmentVariableIsSet("QUILLON_CORPUS"))
            QSKIP("no corpus: run through test.sh");
        QVERIFY2(files > 100, qPrintable(QStringLiteral("%1 files: test.sh unpacks them").arg(files)));
    }

    // Every built-in script, with the pages' defaults and with awkward
    // text, shows only what its purpose needs: the status-line scripts
    // write window.status, and the start-up and New texts, kept byte for byte, keep
    // their LANGUAGE and wrapper (hints).
    void builtInLibrary_clean_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("rules");
        const QStringList status{"status-line"};
        const QMap<int, QStringList> needed = {
            {4, {"comment-wrapper"}}, {7, status}, {20, status}, {24, {"script-language"}}, {27, status},
        };
        for (int id = 0; id < kBuiltInScriptCount; ++id) {
            for (const bool awkward : {false, true}) {
                const BuiltInSettings settings =
                    awkward ? sampleBuiltInSettings(id, kAwkward) : sampleBuiltInSettings(id);
                const std::optional<GeneratedScript> script = generateBuiltInScript(id, settings);
                QVERIFY(script);
                QTest::addRow("%02d %s", id, awkward ? "awkward text" : "defaults")
                    << script->head.toUtf8() << script->body.toUtf8() << needed.value(id);
            }
        }
        for (const bool awkward : {false, true}) {
            BuiltInSettings settings = awkward ? sampleBuiltInSettings(1, kAwkward) : sampleBuiltInSettings(1);
            settings.scroll.statusLine = true;
            settings.scroll.statusText = awkward ? kAwkward : QStringLiteral("Hello");
            const GeneratedScript script = BuildStatusScrollerScript(settings.scroll);
            QTest::addRow("01 in the status line, %s", awkward ? "awkward text" : "defaults")
                << script.head.toUtf8() << script.body.toUtf8() << status;
        }
        const QStringList kept{"script-language", "comment-wrapper"};
        QTest::newRow("start-up text") << startupScriptText().toUtf8() << startupScriptText().toUtf8() << kept;
        QTest::newRow("New text") << newScriptText().toUtf8() << newScriptText().toUtf8() << kept;
    }
    void builtInLibrary_clean()
    {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, body);
        QFETCH(QStringList, rules);
        QStringList seen = found(head, true) + found(body, true);
        seen.removeDuplicates();
        seen.sort();
        rules.sort();
        QCOMPARE(seen, rules);
    }
};

QTEST_GUILESS_MAIN(TestOldCode)
#include "tst_oldcode.moc"
