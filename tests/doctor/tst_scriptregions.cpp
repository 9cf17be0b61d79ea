// The regions of a fragment that hold JavaScript, and the tags around them.

#include "doctor/scriptregions.h"

#include <QTest>

namespace {

QString kindName(ScriptRegionKind kind)
{
    switch (kind) {
    case ScriptRegionKind::Block:
        return QStringLiteral("block");
    case ScriptRegionKind::Handler:
        return QStringLiteral("handler");
    case ScriptRegionKind::Whole:
        return QStringLiteral("whole");
    }
    return {};
}

// "kind:code" per region; the code must also be the fragment's bytes at
// the region's place, unless references were decoded.
QStringList regions(const QByteArray &fragment, SourceKind kind = SourceKind::Html)
{
    QStringList out;
    for (const ScriptRegion &r : scanPage(fragment, kind).scripts) {
        out << kindName(r.kind) + u':' + QString::fromUtf8(r.code);
        if (r.decoded.empty() && fragment.mid(r.start, r.end - r.start) != r.code)
            out << QStringLiteral("code not at its place");
    }
    return out;
}

}  // namespace

class TestScriptRegions : public QObject {
    Q_OBJECT

private slots:
    void scripts_areFound_data()
    {
        QTest::addColumn<QByteArray>("fragment");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("plain block") << QByteArray("<script>a();</script>") << QStringList{"block:a();"};
        QTest::newRow("capitals and attributes")
            << QByteArray("<SCRIPT LANGUAGE=\"JavaScript1.2\" DEFER>a();</SCRIPT >") << QStringList{"block:a();"};
        QTest::newRow("languages and types")
            << QByteArray(
                   "<script language=vbscript>x</script><script type='text/javascript'>j</script>"
                   "<script language=\"JScript\">s</script><script type=\"module\">m</script>"
                   "<script type=\"application/json\">{}</script><script type=\"\" language=\"LiveScript\">l</script>")
            << QStringList{"block:j", "block:s", "block:l"};
        QTest::newRow("TYPE decides over LANGUAGE")
            << QByteArray("<script type=\"text/javascript\" language=\"VBScript\">j</script>")
            << QStringList{"block:j"};
        QTest::newRow("a closing tag in a string still ends the block, as in a browser")
            << QByteArray("<script>s = \"</script>\";</script>") << QStringList{"block:s = \""};
        QTest::newRow("</scripts is not the end")
            << QByteArray("<script>a </scripts> b</script>") << QStringList{"block:a </scripts> b"};
        QTest::newRow("left open: to the end") << QByteArray("<SCRIPT>\nf(") << QStringList{"block:\nf("};
        QTest::newRow("in a comment: none")
            << QByteArray("<!-- <script>a</script> --><b onclick=x()>") << QStringList{"handler:x()"};
        QTest::newRow("in a style or a textarea: none")
            << QByteArray("<style>p{}<script>a</script></style><textarea><b onclick=\"y\"></textarea>")
            << QStringList{};
        QTest::newRow("handlers, any quotes, several on a tag")
            << QByteArray("<BODY ONLOAD=\"start()\" onUnload='stop()' onresize=fit>")
            << QStringList{"handler:start()", "handler:stop()", "handler:fit"};
        QTest::newRow("a name starting with on but not a handler has a value anyway")
            << QByteArray("<img one src=\"a\">") << QStringList{};
        QTest::newRow("handler references decoded")
            << QByteArray("<a onclick=\"if (a &amp;&amp; b) s(&quot;&#233;&#x41;&quot;)\">")
            << QStringList{"handler:if (a && b) s(\"\u00e9A\")"};
        QTest::newRow("unknown reference kept")
            << QByteArray("<a onclick=\"x &foo; y\">") << QStringList{"handler:x &foo; y"};
        QTest::newRow("a less-than in text is no tag")
            << QByteArray("a < b <script>c</script>") << QStringList{"block:c"};
    }

    void scripts_areFound()
    {
        QFETCH(QByteArray, fragment);
        QFETCH(QStringList, expected);
        QCOMPARE(regions(fragment), expected);
    }

    void wholeFiles_areOneRegion()
    {
        const QByteArray js("<script>not a tag here</script>");
        QCOMPARE(regions(js, SourceKind::JavaScript), QStringList{"whole:" + QString::fromUtf8(js)});
        QVERIFY(scanPage(js, SourceKind::JavaScript).tags.empty());
        QVERIFY(scanPage(js, SourceKind::VbScript).scripts.empty());
    }

    void handlerOffsets_mapToTheFragment()
    {
        const QByteArray fragment("<a onclick=\"a &amp;&amp; b(&quot;x&quot;)\">");
        const ScriptRegion region = scanPage(fragment, SourceKind::Html).scripts.at(0);
        QCOMPARE(region.code, QByteArray("a && b(\"x\")"));
        // Each byte of the code maps to where it stands in the page: a
        // decoded character to its "&".
        const QList<qsizetype> expected = {
            fragment.indexOf("a &"),     fragment.indexOf(" &amp;"),  fragment.indexOf("&amp;"),
            fragment.indexOf("&amp; b"), fragment.indexOf(" b("),     fragment.indexOf("b("),
            fragment.indexOf("(&"),      fragment.indexOf("&quot;x"), fragment.indexOf("x&"),
            fragment.indexOf("&quot;)"), fragment.indexOf(")\""),     fragment.indexOf("\">"),
        };
        QList<qsizetype> mapped;
        for (int i = 0; i <= region.code.size(); ++i)
            mapped << region.fragmentOffset(i);
        QCOMPARE(mapped, expected);
    }

    void tags_areRead_data()
    {
        QTest::addColumn<QByteArray>("fragment");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("names lower case, attributes with and without values")
            << QByteArray("<FONT COLOR=red Face='Arial' size = \"2\" NOSHADE></Font>")
            << QStringList{"font color=red face=Arial size=2 noshade", "/font"};
        QTest::newRow("a quote left open runs to the end") << QByteArray("<a href=\"x>y") << QStringList{"a href=x>y"};
        QTest::newRow("greater-than in a quoted value")
            << QByteArray("<a title=\"a>b\" x=1><b>") << QStringList{"a title=a>b x=1", "b"};
        QTest::newRow("doctype and processing instruction skipped")
            << QByteArray("<!DOCTYPE html><?xml x?><p>") << QStringList{"p"};
    }

    void tags_areRead()
    {
        QFETCH(QByteArray, fragment);
        QFETCH(QStringList, expected);
        QStringList tags;
        for (const HtmlTag &tag : scanPage(fragment, SourceKind::Html).tags) {
            QString line = (tag.closing ? QStringLiteral("/") : QString()) + QString::fromUtf8(tag.name);
            for (const HtmlAttribute &a : tag.attributes) {
                line += u' ' + QString::fromUtf8(a.name);
                if (a.valueStart >= 0)
                    line += u'=' + QString::fromUtf8(fragment.mid(a.valueStart, a.valueEnd - a.valueStart));
            }
            tags << line;
        }
        QCOMPARE(tags, expected);
    }
};

QTEST_GUILESS_MAIN(TestScriptRegions)
#include "tst_scriptregions.moc"
