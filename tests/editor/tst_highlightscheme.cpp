// The highlighting scheme's scanner, word lists and the editsett.dat format.

#include "editor/highlightscheme.h"

#include <QTest>

namespace S = SchemeStyle;

Q_DECLARE_METATYPE(EditorSettings)

namespace {

// The style of every byte of text, scanned line by line with the state
// carried over.  Fails the test when a line's runs do not cover it exactly.
std::vector<int> styleText(const QByteArray &text, SourceKind kind = SourceKind::Html)
{
    const SchemeScanner scanner;
    std::vector<int> styles;
    std::vector<SchemeScanner::Run> runs;
    int state = SchemeScanner::startState(kind);
    qsizetype lineStart = 0;
    while (lineStart < text.size()) {
        qsizetype lineEnd = text.indexOf('\n', lineStart);
        lineEnd = lineEnd < 0 ? text.size() : lineEnd + 1;
        const std::string_view line(text.constData() + lineStart, size_t(lineEnd - lineStart));
        runs.clear();
        state = scanner.scanLine(line, state, runs);
        int covered = 0;
        for (const SchemeScanner::Run &run : runs) {
            if (run.start != covered || run.length <= 0)
                return {};
            covered += run.length;
            styles.insert(styles.end(), size_t(run.length), run.style);
        }
        if (covered != int(line.size()))
            return {};
        lineStart = lineEnd;
    }
    return styles;
}

} // namespace

namespace {

// The defaults with one change made.
EditorSettings with(void (*change)(EditorSettings &))
{
    EditorSettings settings = defaultEditorSettings();
    change(settings);
    return settings;
}

}  // namespace

class TestHighlightScheme : public QObject {
    Q_OBJECT

private slots:
    // The text is scanned from its start; the piece (its first occurrence
    // after the text "after", if given) must be drawn wholly in the style,
    // and, unless it is Default text, the byte after it in another style.
    void scanLine_styles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("piece");
        QTest::addColumn<int>("style");

        const QByteArray js = "<script>\r\n";
        QTest::newRow("keyword prefix is not the keyword") << js + "format(x);" << QByteArray() << QByteArray("format") << int(S::JsIdentifier);
        QTest::newRow("keyword before a parenthesis") << js + "for(i = 0;;) {}" << QByteArray() << QByteArray("for") << int(S::JsKeyword);
        QTest::newRow("js method after a dot") << js + "document.write('x');" << QByteArray() << QByteArray("write") << int(S::JsMethod);
        QTest::newRow("js methods match case") << js + "Write(1)" << QByteArray() << QByteArray("Write") << int(S::JsIdentifier);
        QTest::newRow("js symbol") << js + "a >>>= b" << QByteArray() << QByteArray(">>>=") << int(S::JsSymbol);
        QTest::newRow("js string with escaped quote") << js + "x = 'it\\'s'; y" << QByteArray() << QByteArray("'it\\'s'") << int(S::JsString);
        QTest::newRow("js hex number") << js + "x = 0x1F;" << QByteArray() << QByteArray("0x1F") << int(S::JsNumber);
        QTest::newRow("js exponent") << js + "x = 1.5e-3;" << QByteArray() << QByteArray("1.5e-3") << int(S::JsNumber);
        QTest::newRow("js line comment") << js + "a; // note\r\nb" << QByteArray() << QByteArray("// note\r\n") << int(S::JsComment);
        QTest::newRow("js block comment over lines") << js + "/* one\r\ntwo */ three" << QByteArray("/*") << QByteArray("two */") << int(S::JsComment);
        QTest::newRow("js after block comment") << js + "/* one\r\ntwo */ three" << QByteArray("*/") << QByteArray("three") << int(S::JsIdentifier);
        QTest::newRow("html comment hides a script") << js + "<!--\r\nvar" << QByteArray() << QByteArray("<!--\r\n") << int(S::JsComment);
        QTest::newRow("script end inside a string") << js + "x = \"a</script>b" << QByteArray("x") << QByteArray("</script>") << int(S::TagName);
        QTest::newRow("back to html after the script") << js + "x;</SCRIPT>\r\nfor" << QByteArray(">") << QByteArray("for") << int(S::Default);

        const QByteArray vb = "<SCRIPT LANGUAGE=\"VBScript\">\r\n";
        QTest::newRow("language attribute") << vb << QByteArray() << QByteArray("LANGUAGE") << int(S::FieldName);
        QTest::newRow("language value") << vb << QByteArray() << QByteArray("\"VBScript\"") << int(S::String);
        QTest::newRow("vb keyword any case") << vb + "DIM x" << QByteArray() << QByteArray("DIM") << int(S::VbKeyword);
        QTest::newRow("vb function") << vb + "MsgBox \"hi\"" << QByteArray() << QByteArray("MsgBox") << int(S::VbFunction);
        QTest::newRow("vb method") << vb + "fso.CopyFile a" << QByteArray() << QByteArray("CopyFile") << int(S::VbMethod);
        QTest::newRow("vb identifier") << vb + "fso.CopyFile a" << QByteArray() << QByteArray("fso") << int(S::VbIdentifier);
        QTest::newRow("vb string with doubled quote") << vb + "x = \"say \"\"hi\"\"\" : y" << QByteArray() << QByteArray("\"say \"\"hi\"\"\"") << int(S::VbString);
        QTest::newRow("vb apostrophe comment") << vb + "x ' it's 'for'\r\n" << QByteArray() << QByteArray("' it's 'for'\r\n") << int(S::VbComment);
        QTest::newRow("vb after a comment line") << vb + "' note\r\nSub Greet(name)" << QByteArray("note") << QByteArray("Sub") << int(S::VbKeyword);
        QTest::newRow("vb rem comment") << vb + "Rem for now\r\n" << QByteArray() << QByteArray("Rem for now\r\n") << int(S::VbComment);
        QTest::newRow("vb remark is no comment") << vb + "remark = 1" << QByteArray() << QByteArray("remark") << int(S::VbIdentifier);
        QTest::newRow("vb hex number") << vb + "x = &HFF" << QByteArray() << QByteArray("&HFF") << int(S::VbNumber);
        QTest::newRow("vb symbol") << vb + "x = a <> b" << QByteArray() << QByteArray("<>") << int(S::VbSymbol);
        QTest::newRow("vb ends at the closing tag") << vb + "Dim x\r\n</script><script>for" << QByteArray("<script>") << QByteArray("for") << int(S::JsKeyword);
        QTest::newRow("unquoted vbscript") << QByteArray("<script language=vbscript>dim") << QByteArray() << QByteArray("dim") << int(S::VbKeyword);
        QTest::newRow("javascript1.1 value") << QByteArray("<script language=\"javascript1.1\">var") << QByteArray() << QByteArray("var") << int(S::JsKeyword);

        QTest::newRow("url in text") << QByteArray("see http://example.com/a?b=1 now") << QByteArray() << QByteArray("http://example.com/a?b=1") << int(S::WebUrl);
        QTest::newRow("url prefix alone") << QByteArray("http://") << QByteArray() << QByteArray("http://") << int(S::WebUrl);
        QTest::newRow("mailto") << QByteArray("write mailto:me@example.com") << QByteArray() << QByteArray("mailto:me@example.com") << int(S::WebUrl);
        QTest::newRow("url in an attribute") << QByteArray("<a href=\"ftp://host/x\">") << QByteArray() << QByteArray("ftp://host/x") << int(S::WebUrl);
        QTest::newRow("not a url prefix") << QByteArray("httpx://a") << QByteArray() << QByteArray("httpx://a") << int(S::Default);
        QTest::newRow("entity") << QByteArray("a&nbsp;b") << QByteArray() << QByteArray("&nbsp;") << int(S::SpecialChar);
        QTest::newRow("entity without semicolon") << QByteArray("a&nbsp b") << QByteArray() << QByteArray("&nbsp") << int(S::Default);
        QTest::newRow("unknown entity") << QByteArray("&euro;") << QByteArray() << QByteArray("&euro;") << int(S::Default);
        QTest::newRow("tag name") << QByteArray("<TABLE width=100>") << QByteArray() << QByteArray("TABLE") << int(S::TagName);
        QTest::newRow("closing tag") << QByteArray("x</td>") << QByteArray() << QByteArray("</td>") << int(S::TagName);
        QTest::newRow("attribute name") << QByteArray("<img alt=\"x\">") << QByteArray() << QByteArray("alt") << int(S::FieldName);
        QTest::newRow("attribute value") << QByteArray("<img alt=\"x\">") << QByteArray() << QByteArray("\"x\"") << int(S::String);
        QTest::newRow("attribute number") << QByteArray("<td width=100>") << QByteArray() << QByteArray("100") << int(S::Number);
        QTest::newRow("tag over two lines") << QByteArray("<img\r\nalt=\"x\">") << QByteArray() << QByteArray("alt") << int(S::FieldName);
        QTest::newRow("html comment over lines") << QByteArray("<!-- a\r\nfor --> b") << QByteArray() << QByteArray("for ") << int(S::Comment);
        QTest::newRow("html comment end") << QByteArray("<!-- a\r\nfor --> b") << QByteArray() << QByteArray("-->") << int(S::JsComment);
        QTest::newRow("number in text") << QByteArray("page 12 of") << QByteArray() << QByteArray("12") << int(S::Number);
        QTest::newRow("less-than in text") << QByteArray("a < b") << QByteArray() << QByteArray("< b") << int(S::Default);
        QTest::newRow("polish text") << QByteArray("zażółć for") << QByteArray() << QByteArray("zażółć for") << int(S::Default);
    }

    void scanLine_styles()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, piece);
        QFETCH(int, style);

        const std::vector<int> styles = styleText(text);
        QVERIFY2(styles.size() == size_t(text.size()), "the runs do not cover the text");
        const qsizetype from = after.isEmpty() ? 0 : text.indexOf(after) + after.size();
        const qsizetype at = text.indexOf(piece, from);
        QVERIFY(at >= 0);
        for (qsizetype k = at; k < at + piece.size(); ++k)
            QCOMPARE(styles[size_t(k)], style);
        if (at + piece.size() < text.size() && piece.back() != '\n' && style != S::Default)
            QVERIFY2(styles[size_t(at + piece.size())] != style || piece == "for ", "the piece runs on");
    }

    // A .js or .vbs file is one script: coloured as its language from the
    // first line, and nothing in it goes back to page markup.
    void scanLine_aScriptAlone_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("piece");
        QTest::addColumn<int>("style");
        const QString js = QStringLiteral("lib.js");
        QTest::newRow("keyword on the first line")
            << js << QByteArray("function f() {}") << QByteArray("function") << int(S::JsKeyword);
        QTest::newRow("a script end in a string stays in it")
            << js << QByteArray("s = \"</script>\";\r\nvar x") << QByteArray("</script>") << int(S::JsString);
        QTest::newRow("still JavaScript after it")
            << js << QByteArray("s = \"</script>\";\r\nvar x") << QByteArray("var") << int(S::JsKeyword);
        QTest::newRow("an HTML-like comment ends with its line")
            << js << QByteArray("<!-- old\r\nreturn") << QByteArray("return") << int(S::JsKeyword);
        QTest::newRow("upper-case name") << QStringLiteral("OLD.JS") << QByteArray("var a") << QByteArray("var")
                                         << int(S::JsKeyword);
        QTest::newRow("vbs file") << QStringLiteral("tool.vbs") << QByteArray("Dim fso") << QByteArray("Dim")
                                  << int(S::VbKeyword);
        QTest::newRow("a page keeps the markup")
            << QStringLiteral("index.html") << QByteArray("var <b>") << QByteArray("var") << int(S::Default);
        QTest::newRow("a name with no kind is a page")
            << QStringLiteral("notes.txt") << QByteArray("<p>") << QByteArray("p") << int(S::TagName);
    }
    void scanLine_aScriptAlone()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, piece);
        QFETCH(int, style);
        const std::vector<int> styles = styleText(text, sourceKindOfFile(fileName));
        QVERIFY2(styles.size() == size_t(text.size()), "the runs do not cover the text");
        const qsizetype at = text.indexOf(piece);
        QVERIFY(at >= 0);
        for (qsizetype k = at; k < at + piece.size(); ++k)
            QCOMPARE(styles[size_t(k)], style);
    }

    // Colouring goes line by line, each line starting from the state the
    // line before ended in: that state alone has to carry the language, an
    // open tag, comment or string into the next lines.
    void scanLine_lineStateCarriesTheContext_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<int>("style");
        QTest::newRow("VBScript after a tag left open") << 2 << QByteArray("dim") << int(S::VbKeyword);
        QTest::newRow("a JavaScript comment goes on") << 5 << QByteArray("b") << int(S::JsComment);
        QTest::newRow("JavaScript after the comment ends") << 5 << QByteArray("var") << int(S::JsKeyword);
        QTest::newRow("an HTML comment goes on") << 7 << QByteArray("d") << int(S::Comment);
        QTest::newRow("HTML after the comment ends") << 8 << QByteArray("x") << int(S::Default);
    }
    void scanLine_lineStateCarriesTheContext()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, word);
        QFETCH(int, style);
        const QByteArray text = "<p>x &lt; y</p>\r\n<script language=\"vbscript\"\r\n>dim a\r\n</script><script>\r\n"
                                "/* a\r\nb */ var x = \"s\";\r\n</script><!-- c\r\nd -->\r\nx\r\n";
        const SchemeScanner scanner;
        const QList<QByteArray> lines = text.split('\n');
        int state = SchemeScanner::kStartState;
        std::vector<SchemeScanner::Run> runs;
        for (int k = 0; k <= line; ++k) {
            runs.clear();
            state = scanner.scanLine(std::string_view(lines[k].constData(), size_t(lines[k].size())), state, runs);
        }
        const qsizetype at = lines[line].indexOf(word);
        QVERIFY(at >= 0);
        int found = S::Default;
        for (const SchemeScanner::Run &run : runs)
            if (at >= run.start && at < run.start + run.length)
                found = run.style;
        QCOMPARE(found, style);
    }

    void wordLists_counts_data()
    {
        using L = HighlightScheme::List;
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("sample");
        QTest::newRow("tags") << int(L::Tags) << 73 << QStringLiteral("marquee");
        QTest::newRow("attributes") << int(L::Attributes) << 15 << QStringLiteral("vspace");
        QTest::newRow("entities") << int(L::Entities) << 38 << QStringLiteral("&trade;");
        QTest::newRow("urls and mailto") << int(L::Urls) << 10 << QStringLiteral("mailto:");
        QTest::newRow("js keywords") << int(L::JsKeywords) << 53 << QStringLiteral("instanceof");
        QTest::newRow("js methods") << int(L::JsMethods) << 80 << QStringLiteral("getTimezoneOffset");
        QTest::newRow("operators") << int(L::Operators) << 42 << QStringLiteral(">>>=");
        QTest::newRow("vb functions") << int(L::VbFunctions) << 89 << QStringLiteral("ScriptEngineMinorVersion");
        QTest::newRow("vb methods") << int(L::VbMethods) << 46 << QStringLiteral("WriteBlankLines");
        QTest::newRow("vb keywords") << int(L::VbKeywords) << 37 << QStringLiteral("randomize");
    }

    void wordLists_counts()
    {
        QFETCH(int, list);
        QFETCH(int, count);
        QFETCH(QString, sample);
        const auto which = static_cast<HighlightScheme::List>(list);
        const HighlightScheme &scheme = HighlightScheme::builtIn();
        QCOMPARE(scheme.words(which).size(), count);
        QCOMPARE(QSet<QString>(scheme.words(which).begin(), scheme.words(which).end()).size(), count);
        QVERIFY(scheme.contains(which, sample.toStdString()));
    }

    void defaults_twentyThreeEditableStylesAndTheKeys()
    {
        const EditorSettings settings = defaultEditorSettings();
        const auto editable = std::count_if(settings.styles.begin(), settings.styles.end(), [](const StyleLook &s) { return s.editable; });
        QCOMPARE(editable, 23);
        QVERIFY(settings.style(S::ScannerWord) && !settings.style(S::ScannerWord)->editable);
        QCOMPARE(settings.styles.front().name, QStringLiteral("Comment"));
        QCOMPARE(settings.keys[17][0], QStringLiteral("Ctrl+K, I"));
        QVERIFY(settings.keys[40][0].isEmpty());
        QCOMPARE(editorCommandName(29), QStringLiteral("Set bookmark 9"));
        QVERIFY(editorCommandName(40).isEmpty());
    }

    void settingsFile_roundTrip_keepsEveryChange()
    {
        EditorSettings changed = defaultEditorSettings();
        changed.style(S::JsKeyword)->attribute = FontAttribute::Italic;
        changed.style(S::JsKeyword)->foreground = 0x123456;
        changed.style(S::Comment)->backgroundAsDefault = true;
        changed.style(S::Default)->background = 0xFFFFE0;
        changed.keys[17][1] = QStringLiteral("Ctrl+Shift+I");
        changed.keys[0][0].clear();
        changed.wordWrap = true;
        changed.fontFamily = QStringLiteral("DejaVu Sans Mono");
        changed.fontSize = 13;
        changed.tabWidth = 8;
        changed.blockIndent = 3;
        changed.lineNumbers = false;
        changed.rightMargin = 80;
        changed.printColours = false;
        changed.printLineNumbers = false;
        changed.colourScheme = ColourScheme::Dark;

        const QByteArray bytes = writeEditorSettings(changed);
        QVERIFY(bytes.contains("\r\n"));
        QVERIFY(!bytes.contains("\n\n"));
        EditorSettings read = defaultEditorSettings();
        QVERIFY(readEditorSettings(bytes, read));
        QVERIFY(read == changed);
        QCOMPARE(read.effectiveBackground(S::Comment), 0xFFFFE0u);
        QCOMPARE(read.effectiveBackground(S::String), 0xFFFFFFu);
        // Every option line is written, each value once, so a file of ours
        // always says what it holds.
        for (const char *line : {"fontname DejaVu Sans Mono\r\n", "fontsize 13\r\n", "tabwidth 8\r\n",
                                 "blockindent 3\r\n", "linenumbers 0\r\n", "rightmargin 80\r\n", "printcolours 0\r\n",
                                 "printlinenumbers 0\r\n", "colours dark\r\n"})
            QCOMPARE(bytes.count(QByteArray("\r\n").append(line)), 1);
    }

    // The options of one line each, read over the defaults: a good value is
    // taken, a bad one leaves the default.
    void settingsFile_optionLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<EditorSettings>("expected");
        const EditorSettings defaults = defaultEditorSettings();
        QTest::newRow("font size") << QByteArray("fontsize 14") << with([](EditorSettings &s) { s.fontSize = 14; });
        QTest::newRow("font size too small") << QByteArray("fontsize 2") << defaults;
        QTest::newRow("font size not a number") << QByteArray("fontsize big") << defaults;
        QTest::newRow("font name with spaces") << QByteArray("fontname  Liberation Mono ")
                                               << with([](EditorSettings &s) { s.fontFamily = "Liberation Mono"; });
        QTest::newRow("font name empty: the system's") << QByteArray("fontname") << defaults;
        QTest::newRow("tab width") << QByteArray("tabwidth 8") << with([](EditorSettings &s) { s.tabWidth = 8; });
        QTest::newRow("tab width 0") << QByteArray("tabwidth 0") << defaults;
        QTest::newRow("block indent") << QByteArray("blockindent 4")
                                      << with([](EditorSettings &s) { s.blockIndent = 4; });
        QTest::newRow("block indent negative") << QByteArray("blockindent -3") << defaults;
        QTest::newRow("margin") << QByteArray("rightmargin 72") << with([](EditorSettings &s) { s.rightMargin = 72; });
        QTest::newRow("margin too far") << QByteArray("rightmargin 9999") << defaults;
        QTest::newRow("margin two values") << QByteArray("rightmargin 72 80") << defaults;
        QTest::newRow("line numbers off")
            << QByteArray("linenumbers 0") << with([](EditorSettings &s) { s.lineNumbers = false; });
        QTest::newRow("line numbers yes") << QByteArray("linenumbers yes") << defaults;
        QTest::newRow("print in black") << QByteArray("printcolours 0")
                                        << with([](EditorSettings &s) { s.printColours = false; });
        QTest::newRow("print without numbers")
            << QByteArray("printlinenumbers 0") << with([](EditorSettings &s) { s.printLineNumbers = false; });
        QTest::newRow("dark") << QByteArray("colours dark")
                              << with([](EditorSettings &s) { s.colourScheme = ColourScheme::Dark; });
        QTest::newRow("light") << QByteArray("colours light")
                               << with([](EditorSettings &s) { s.colourScheme = ColourScheme::Light; });
        QTest::newRow("unknown scheme") << QByteArray("colours purple") << defaults;
        QTest::newRow("a later version's line") << QByteArray("minimap 1") << defaults;
    }

    void settingsFile_optionLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(EditorSettings, expected);
        EditorSettings settings = defaultEditorSettings();
        QVERIFY(readEditorSettings("Quillon editor settings 1\r\n" + line + "\r\nkey 17 2 Ctrl+Alt+I\r\n", settings));
        // The lines after it are read all the same.
        QCOMPARE(settings.keys[17][1], QStringLiteral("Ctrl+Alt+I"));
        settings.keys[17][1].clear();
        QVERIFY(settings == expected);
    }

    // A file an earlier version wrote (styles, keys, word wrap and nothing
    // else) keeps what it says and takes the defaults for the rest.
    void settingsFile_earlierVersion_readsWithTheNewDefaults()
    {
        EditorSettings old = defaultEditorSettings();
        old.wordWrap = true;
        old.style(S::String)->foreground = 0x336699;
        QByteArray bytes = writeEditorSettings(old);
        bytes.truncate(bytes.indexOf("wordwrap 1\r\n") + 12);
        QVERIFY(bytes.endsWith("wordwrap 1\r\n"));
        EditorSettings read = defaultEditorSettings();
        QVERIFY(readEditorSettings(bytes, read));
        QVERIFY(read == old);
        QCOMPARE(read.colourScheme, ColourScheme::FollowDesktop);
    }

    void settingsFile_damagedLines_keepDefaults_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("another file") << QByteArray("\x00\x01binary", 8) << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("bad colour") << QByteArray("Quillon editor settings 1\r\nstyle 30 bold #12 #FFFFFF 0 0\r\n") << true;
        QTest::newRow("unknown style") << QByteArray("Quillon editor settings 1\r\nstyle 99 bold #000000 #FFFFFF 0 0\r\n") << true;
        QTest::newRow("unused command") << QByteArray("Quillon editor settings 1\r\nkey 40 1 Ctrl+A\r\nkey 43 1 Ctrl+B\r\n") << true;
        QTest::newRow("unknown attribute") << QByteArray("Quillon editor settings 1\r\nstyle 30 blink #000000 #FFFFFF 0 0\r\n") << true;
        QTest::newRow("word wrap out of range")
            << QByteArray("Quillon editor settings 1\r\nwordwrap 2\r\nwordwrap\r\n") << true;
        QTest::newRow("earlier version, no word wrap line")
            << QByteArray("Quillon editor settings 1\r\nkey 17 1 Ctrl+K, I\r\n") << true;
    }

    void settingsFile_damagedLines_keepDefaults()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        EditorSettings settings = defaultEditorSettings();
        QCOMPARE(readEditorSettings(bytes, settings), accepted);
        QVERIFY(settings == defaultEditorSettings());
    }
};

QTEST_GUILESS_MAIN(TestHighlightScheme)
#include "tst_highlightscheme.moc"
