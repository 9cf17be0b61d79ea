// The built-in generator: the scripts assembled line by line, the
// templates' placeholders, the settings a script cannot do without, and
// the escaping of typed values for the place they land in.

#include "leftplaceholders.h"
#include "library/builtin/builtincatalogue.h"
#include "library/builtin/builtingenerator.h"
#include "library/builtin/builtinsamples.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const QString kAwkward = QStringLiteral("He said \"hi\" & it's </script> \\ ok");

GeneratedScript generated(int id, const BuiltInSettings &settings)
{
    const std::optional<GeneratedScript> script = generateBuiltInScript(id, settings);
    if (!script)
        qFatal("script %d was not generated", id);
    return *script;
}

QString both(const GeneratedScript &script)
{
    return script.head + script.body;
}

} // namespace

class TestBuiltInGenerator : public QObject {
    Q_OBJECT

private slots:
    void everyScript_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("awkward");
        for (int id = 0; id < kBuiltInScriptCount; ++id) {
            QTest::addRow("%02d defaults", id) << id << false;
            QTest::addRow("%02d awkward text", id) << id << true;
        }
    }
    // Each script generates, leaves no placeholder, breaks lines as CR LF,
    // and has a HEAD exactly when the catalogue says so.
    void everyScript()
    {
        QFETCH(int, id);
        QFETCH(bool, awkward);
        const BuiltInSettings settings =
            awkward ? sampleBuiltInSettings(id, kAwkward) : sampleBuiltInSettings(id);
        const GeneratedScript script = generated(id, settings);
        const QString text = both(script);
        const QStringList left = leftPlaceholders(text);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
        QVERIFY(!text.isEmpty());
        QCOMPARE(text.count(u'\n'), text.count(QStringLiteral("\r\n")));
        QCOMPARE(!script.head.isEmpty(), builtInCatalogue()[id].hasHead);
    }

    void outsideTheCatalogue_isNothing()
    {
        QVERIFY(!generateBuiltInScript(-1, BuiltInSettings()));
        QVERIFY(!generateBuiltInScript(kBuiltInScriptCount, BuiltInSettings()));
    }

    void requirements_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<std::function<void(BuiltInSettings &)>>("change");
        QTest::addColumn<bool>("configured");
        using Change = std::function<void(BuiltInSettings &)>;
        QTest::newRow("jump list, empty first description")
            << 0 << Change([](BuiltInSettings &s) { s.list.rows.first().first.clear(); }) << false;
        QTest::newRow("jump list, only the address empty")
            << 0 << Change([](BuiltInSettings &s) { s.list.rows.first().second.clear(); }) << true;
        QTest::newRow("scroll, both texts empty") << 1 << Change([](BuiltInSettings &s) {
            s.scroll.statusText.clear();
            s.scroll.fieldText.clear();
        }) << false;
        QTest::newRow("typewriter, empty text") << 2 << Change([](BuiltInSettings &s) { s.printer.text.clear(); })
                                                << false;
        QTest::newRow("navigator, empty address") << 3 << Change([](BuiltInSettings &s) { s.navigator.url.clear(); })
                                                  << false;
        QTest::newRow("fade, only the start colour chosen")
            << 4 << Change([](BuiltInSettings &s) { s.colours.endChosen = false; }) << false;
        QTest::newRow("fade, only the end colour chosen")
            << 4 << Change([](BuiltInSettings &s) { s.colours.startChosen = false; }) << false;
        QTest::newRow("template script, empty text") << 23 << Change([](BuiltInSettings &s) { s.animText.text.clear(); })
                                                     << true;
    }
    void requirements()
    {
        QFETCH(int, id);
        QFETCH(std::function<void(BuiltInSettings &)>, change);
        BuiltInSettings settings = sampleBuiltInSettings(id);
        change(settings);
        QTEST(generateBuiltInScript(id, settings).has_value(), "configured");
    }

    void fade_numbersInTheColoursByteOrder()
    {
        ColourSettings colours;
        colours.startColour = 0x102030;
        colours.endColour = 0xA0B0FF;
        colours.speed = 7;
        const GeneratedScript script = BuildFadeScript(colours);
        QVERIFY(script.head.endsWith(QStringLiteral("function fadein() {\r\n"
                                                    "        fade(16,32,48,160,176,255,7);\r\n"
                                                    "}\r\n\r\n"
                                                    "function fadeout() {        fade(160,176,255,16,32,48,7);\r\n"
                                                    "}\r\n//-->\r\n</script>\r\n")));
        QVERIFY(script.body.contains(QStringLiteral("fadein();\r\n/*fadeout();*/")));
    }

    void jumpList_lines()
    {
        ListSettings list = listSettingsFor(0);
        list.firstEdit = QStringLiteral("Pick one");
        list.secondEdit = QStringLiteral("Go");
        list.rows = {{QStringLiteral("Home"), QStringLiteral("https://example.com/")},
                     {QStringLiteral("Shop"), QStringLiteral("shop.html")}};
        const GeneratedScript script = BuildJumpListScript(list);
        QVERIFY(script.head.contains(QStringLiteral("function go()")));
        QVERIFY(script.body.contains(QStringLiteral(
            "<SELECT NAME=\"select1\" SIZE=\"1\">');\r\n"
            "document.write('<option value=\"none\">Pick one');\r\n"
            "document.write('<option value=\"none\">--------');\r\n"
            "document.write('<option value=\"https://example.com/\">Home');\r\n"
            "document.write('<option value=\"shop.html\">Shop');\r\n"
            "document.write('</select>');\r\n"
            "document.write('<INPUT TYPE=\"button\" VALUE=\"Go\" onclick=\"go()\">');\r\n"
            "document.write('</form>');\r\n")));
    }

    void statusScroller_delay_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("line");
        QTest::newRow("none chosen") << -1 << "var DELAY    = 50\r\n";
        QTest::newRow("very slow") << 0 << "var DELAY    = 90\r\n";
        QTest::newRow("slow") << 1 << "var DELAY    = 70\r\n";
        QTest::newRow("medium") << 2 << "var DELAY    = 50\r\n";
        QTest::newRow("fast") << 3 << "var DELAY    = 30\r\n";
        QTest::newRow("very fast") << 4 << "var DELAY    = 10\r\n";
    }
    void statusScroller_delay()
    {
        QFETCH(int, speed);
        QFETCH(QString, line);
        ScrollSettings scroll;
        scroll.statusLine = true;
        scroll.speed = speed;
        scroll.statusText = QStringLiteral("Hello");
        const GeneratedScript script = BuildStatusScrollerScript(scroll);
        QVERIFY(script.head.contains(QStringLiteral("var POSITION = 100\r\n") + line +
                                     QStringLiteral("var MESSAGE  = \"Hello\"\r\n")));
        QVERIFY(script.body.startsWith(
            QStringLiteral("This script operates on the browser status line which isn't visible in the internal "
                           "preview. Use external browser!\r\n<SCRIPT")));
        QVERIFY(script.body.contains(QStringLiteral("scroller();")));
    }

    void scroll_statusChosenButEmpty_fallsBackToTheField()
    {
        BuiltInSettings settings;
        settings.scroll.statusLine = true;
        settings.scroll.statusText.clear();
        settings.scroll.fieldText = QStringLiteral("Field");
        settings.scroll.fieldWidth = 44;
        const GeneratedScript script = generated(1, settings);
        QCOMPARE(script, BuildFieldScrollerScript(settings.scroll));
        QVERIFY(script.body.contains(QStringLiteral("NAME=\"marquee\" SIZE=\"44\"")));
        QVERIFY(script.body.contains(QStringLiteral("marquee();")));
    }

    void fieldScroller_spacing()
    {
        ScrollSettings scroll;
        scroll.fieldText = QStringLiteral("News");
        const QString line = QStringLiteral("\r\n        var i,k,msg=\"") + QString(21, u' ') + QStringLiteral("News") +
                             QString(13, u' ') + QStringLiteral("\";\r\n");
        QVERIFY(BuildFieldScrollerScript(scroll).head.contains(line));
    }

    void typewriter_size_data()
    {
        QTest::addColumn<bool>("fit");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("size");
        QTest::newRow("spinner") << false << 30 << "SIZE=\"30\"";
        QTest::newRow("fit width follows the text") << true << 30 << "SIZE=\"11\"";
        QTest::newRow("no width") << false << 0 << "SIZE=\"0\"";
    }
    void typewriter_size()
    {
        QFETCH(bool, fit);
        QFETCH(int, width);
        PrinterSettings printer;
        printer.text = QStringLiteral("Hello world");
        printer.width = width;
        printer.fitWidth = fit;
        const GeneratedScript script = BuildTypewriterScript(printer);
        QVERIFY(script.head.contains(QStringLiteral("tl=new textlist\r\n(\r\n\r\n    \"Hello world\"\r\n);")));
        QFETCH(QString, size);
        QVERIFY(script.body.contains(QStringLiteral("NAME=\"tickfield\" ") + size));
        QVERIFY(script.body.contains(QStringLiteral("</FORM>');\r\ntextticker();\r\n")));
    }

    void navigator_buttons()
    {
        NavigatorSettings navigator;
        navigator.url = QStringLiteral("index.html");
        const GeneratedScript script = BuildNavigatorScript(navigator);
        QVERIFY(script.head.isEmpty());
        QVERIFY(script.body.contains(QStringLiteral("<FORM NAME=\"History\"")));
        QVERIFY(script.body.contains(QStringLiteral("VALUE=\"<<\" ONCLICK=\"history.back()\"")));
        QVERIFY(script.body.contains(QStringLiteral("VALUE=\"Main page\" ONCLICK=\"location.href=\\'index.html\\'\"")));
        QVERIFY(script.body.contains(QStringLiteral("VALUE=\">>\" ONCLICK=\"history.forward()\"")));
        QVERIFY(script.body.indexOf(QStringLiteral("history.back")) < script.body.indexOf(QStringLiteral("location")));
    }

    void smartButton_declaresThreeAndNumbersFromOne_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("one row") << 1;
        QTest::newRow("three rows") << 3;
        QTest::newRow("five rows") << 5;
    }
    void smartButton_declaresThreeAndNumbersFromOne()
    {
        QFETCH(int, rows);
        BuiltInSettings settings = sampleBuiltInSettings(9);
        settings.list.rows.clear();
        for (int r = 1; r <= rows; ++r)
            settings.list.rows.append({QStringLiteral("Site %1").arg(r), QStringLiteral("u%1.html").arg(r)});
        const QString head = generated(9, settings).head;
        QVERIFY(head.contains(QStringLiteral("var lineMax = 3;")));
        for (int r = 1; r <= rows; ++r) {
            QVERIFY(head.contains(QStringLiteral("lineArr[%1] = \"Site %1\"\r\nurlArr[%1] = \"u%1.html\"\r\n").arg(r)));
        }
        QVERIFY(!head.contains(QStringLiteral("lineArr[0] =")));
        QVERIFY(!head.contains(QStringLiteral("lineArr[%1] =").arg(rows + 1)));
    }

    void citations_numberFromZeroAndSizeBothArrays()
    {
        BuiltInSettings settings = sampleBuiltInSettings(12);
        settings.list.rows = {{QStringLiteral("A"), QStringLiteral("one")}, {QStringLiteral("B"), QStringLiteral("two")}};
        const QString body = generated(12, settings).body;
        QVERIFY(body.contains(QStringLiteral("var quotes = new Array(2);")));
        QVERIFY(body.contains(QStringLiteral("var authors = new Array(2);")));
        QVERIFY(body.contains(QStringLiteral("quotes[0] = \"one\";\r\nauthors[0] = \"A\";\r\n"
                                             "quotes[1] = \"two\";\r\nauthors[1] = \"B\";\r\n")));
    }

    void animatedText_lengthInHeadAndBody()
    {
        BuiltInSettings settings = sampleBuiltInSettings(5);
        settings.animText.text = QStringLiteral("Twelve chars");
        const GeneratedScript script = generated(5, settings);
        QVERIFY(script.head.contains(QStringLiteral("var textLength = 12;")));
        QVERIFY(script.head.contains(QStringLiteral("\"twelve chars\"")));
        QVERIFY(script.head.contains(QStringLiteral("\"TWELVE CHARS\"")));
        QVERIFY(script.body.contains(QStringLiteral("NAME=\"display\" SIZE=\"12\"")));
        // Typed characters are counted, not their escaped form.
        settings.animText.text = QStringLiteral("a\"b");
        QVERIFY(generated(5, settings).body.contains(QStringLiteral("SIZE=\"3\"")));
    }

    void aValueHoldingItsPlaceholder_isInsertedOnce()
    {
        BuiltInSettings settings = sampleBuiltInSettings(23);
        settings.animText.text = QStringLiteral("[tekst]");
        QVERIFY(generated(23, settings).body.contains(QStringLiteral("document.write(\"[tekst] \" + document.lastModified)")));
    }

    void plainValues_areInsertedAsTyped()
    {
        BuiltInSettings settings = sampleBuiltInSettings(10);
        QVERIFY(generated(10, settings).body.contains(QStringLiteral("document.write(\"It's going to be a nice evening!\")")));
        settings = sampleBuiltInSettings(33);
        settings.animText.month = 6;
        settings.animText.day = 4;
        settings.animText.year = 2030;
        QVERIFY(generated(33, settings).body.contains(QStringLiteral("new Date(\"July 4, 2030\")")));
    }

    void headliner_lines()
    {
        BuiltInSettings settings;
        settings.headliner.title = QStringLiteral("Wait");
        settings.headliner.rows = {
            {QStringLiteral("One"), QStringLiteral("a.html"), QStringLiteral("Blink"), QStringLiteral("top"),
             QStringLiteral("500")},
            {QStringLiteral("Two"), QStringLiteral("b.html"), QString(), QString(), QStringLiteral("abc")},
        };
        const GeneratedScript script = generated(34, settings);
        QVERIFY(script.head.contains(QStringLiteral(".stHeadliner")));
        QVERIFY(script.body.contains(QStringLiteral("lineMax=2\r\nlines=new Array(lineMax)\r\n"
                                                    "lines[1]=new Line(\"One\", \"a.html\", \"top\", Blink, 500)\r\n"
                                                    "lines[2]=new Line(\"Two\", \"b.html\", \"\", Static, 1000)\r\n")));
        QVERIFY(script.body.contains(QStringLiteral("NAME=\"buttonFace\" CLASS=\"stHeadliner\" VALUE=\"Wait\"")));
    }

    void escaping_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("js, plain") << "js\"" << "Put your text here ..." << "Put your text here ...";
        QTest::newRow("js, its quote") << "js\"" << "say \"hi\"" << "say \\\"hi\\\"";
        QTest::newRow("js, the other quote") << "js\"" << "it's" << "it's";
        QTest::newRow("js, single") << "js'" << "it's \"x\"" << "it\\'s \"x\"";
        QTest::newRow("js, backslash and breaks") << "js\"" << "a\\b\r\nc" << "a\\\\b\\r\\nc";
        QTest::newRow("js, end of script") << "js\"" << "</SCRIPT> <!-- </b>" << "<\\/SCRIPT> <\\!-- </b>";
        QTest::newRow("js in an attribute keeps </script") << "jsattr'" << "</script>'" << "</script>\\'";
        QTest::newRow("attribute") << "attr" << "\"a\" & b &amp; <c>" << "&quot;a&quot; & b &amp;amp; <c>";
        QTest::newRow("text") << "text" << "a < b & c <b> &#1; </p>" << "a < b & c &lt;b> &amp;#1; &lt;/p>";
    }
    void escaping()
    {
        QFETCH(QString, place);
        QFETCH(QString, value);
        QString result;
        if (place == QLatin1String("js\""))
            result = escapeForJsString(value, u'"');
        else if (place == QLatin1String("js'"))
            result = escapeForJsString(value, u'\'');
        else if (place == QLatin1String("jsattr'"))
            result = escapeForJsString(value, u'\'', ScriptPlace::Attribute);
        else if (place == QLatin1String("attr"))
            result = escapeForHtmlAttribute(value);
        else
            result = escapeForHtmlText(value);
        QTEST(result, "escaped");
    }

    // A value landing in an attribute inside a written string: the
    // attribute's escaping first, then the string's.
    void escaping_nestedPlaces()
    {
        BuiltInSettings settings = sampleBuiltInSettings(0);
        settings.list.rows = {{QStringLiteral("it's <b>"), QStringLiteral("a\"b'c")}};
        const QString body = generated(0, settings).body;
        QVERIFY2(body.contains(QStringLiteral("document.write('<option value=\"a&quot;b\\'c\">it\\'s &lt;b>');")),
                 qPrintable(body));
    }
};

QTEST_GUILESS_MAIN(TestBuiltInGenerator)
#include "tst_builtingenerator.moc"
