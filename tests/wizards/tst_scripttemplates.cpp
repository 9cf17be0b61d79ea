// The statement templates: the fixed skeletons with their indentation and
// caret, the script header block, NOSCRIPT and comment lines.  Expected
// texts mark the caret with "|".

#include "wizards/scripttemplates.h"

#include <QTest>

namespace {

/// The text without its "|" and the caret positions back from its end to
/// where the "|" stood (CR LF counting as one).
TemplateText withCaret(const QString &marked)
{
    const qsizetype at = marked.indexOf(u'|');
    Q_ASSERT(at >= 0);
    const QString after = marked.mid(at + 1);
    return {marked.left(at) + after, int(after.size() - after.count(QStringLiteral("\r\n")))};
}

} // namespace

class TestScriptTemplates : public QObject {
    Q_OBJECT

private slots:
    void screenColumn_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("tabWidth");
        QTest::addColumn<int>("column");
        QTest::newRow("line start") << QString() << 4 << 1;
        QTest::newRow("three letters") << QStringLiteral("abc") << 4 << 4;
        QTest::newRow("a tab") << QStringLiteral("\t") << 4 << 5;
        QTest::newRow("tab after two letters") << QStringLiteral("ab\t") << 4 << 5;
        QTest::newRow("tab right at a stop") << QStringLiteral("abcd\t") << 4 << 9;
        QTest::newRow("two tabs, width 8") << QStringLiteral("\tx\t") << 8 << 17;
    }
    void screenColumn()
    {
        QFETCH(QString, before);
        QFETCH(int, tabWidth);
        QFETCH(int, column);
        QCOMPARE(::screenColumn(before, tabWidth), column);
        QCOMPARE(indentationFor(column), QString(column - 1, u' '));
    }

    void lineBefore_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("before");
        QTest::newRow("start of the text") << QStringLiteral("abc") << 0 << QString();
        QTest::newRow("first line") << QStringLiteral("a\tbc\r\nd") << 3 << QStringLiteral("a\tb");
        QTest::newRow("CR LF is one position") << QStringLiteral("ab\r\n\tcd\r\nx") << 5 << QStringLiteral("\tc");
        QTest::newRow("start of a later line") << QStringLiteral("ab\r\ncd") << 3 << QString();
        QTest::newRow("end of the text") << QStringLiteral("ab\r\ncd") << 5 << QStringLiteral("cd");
    }
    void lineBefore()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(QString, before);
        QCOMPARE(::lineBefore(text, position).toString(), before);
    }

    void memoLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("one line") << QStringLiteral("a") << QStringList{QStringLiteral("a")};
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("break at the end starts no line")
            << QStringLiteral("a\nb\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("empty line inside")
            << QStringLiteral("a\n\nb") << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
        QTest::newRow("only a break") << QStringLiteral("\n") << QStringList{QString()};
    }
    void memoLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(::memoLines(text), lines);
    }

    void statementTemplate_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("indentation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("function, column 1") << int(TagFunction) << QString() << QStringLiteral("function name(){|\r\n}");
        QTest::newRow("function, after a tab stop")
            << int(TagFunction) << QStringLiteral("    ") << QStringLiteral("function name(){|\r\n    }");
        QTest::newRow("for") << int(TagFor) << QStringLiteral(" ") << QStringLiteral("for ( ; ; ) {|\r\n }");
        QTest::newRow("if") << int(TagIf) << QString() << QStringLiteral("if ( ) {|\r\n}");
        QTest::newRow("while") << int(TagWhile) << QString() << QStringLiteral("while ( condition ) {|\r\n}");
        QTest::newRow("with") << int(TagWith) << QStringLiteral("  ") << QStringLiteral("with ( Object ) {|\r\n  }");
        QTest::newRow("if else") << int(TagIfElse) << QStringLiteral("  ")
                                 << QStringLiteral("if ( ) {|\r\n  }\r\n  else {\r\n  }");
        QTest::newRow("switch, column 1")
            << int(TagSwitch) << QString()
            << QStringLiteral("switch ( expression ) {\r\n"
                              "    case label :\r\n       statement;\r\n       break;\r\n"
                              "    case label :\r\n       statement;\r\n       break;\r\n"
                              "    default :\r\n       statement;|\r\n}");
        QTest::newRow("switch, indented")
            << int(TagSwitch) << QStringLiteral("   ")
            << QStringLiteral("switch ( expression ) {\r\n"
                              "       case label :\r\n          statement;\r\n          break;\r\n"
                              "       case label :\r\n          statement;\r\n          break;\r\n"
                              "       default :\r\n          statement;|\r\n   }");
    }
    void statementTemplate()
    {
        QFETCH(int, tag);
        QFETCH(QString, indentation);
        QFETCH(QString, expected);
        const std::optional<TemplateText> made = ::statementTemplate(tag, indentation);
        QVERIFY(made);
        const TemplateText wanted = withCaret(expected);
        QCOMPARE(made->text, wanted.text);
        QCOMPARE(made->caretBack, wanted.caretBack);
    }

    void statementTemplate_dialogAndOtherTags_haveNoFixedText()
    {
        for (int tag : {0, int(TagScriptHeader), int(TagNoScript), int(TagComments), int(TagDocumentWrite), 12})
            QVERIFY2(!::statementTemplate(tag, QString()), qPrintable(QString::number(tag)));
    }

    void typeForLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("expected");
        QTest::newRow("VBScript") << QStringLiteral("VBScript") << QStringLiteral("text/javascript")
                                  << QStringLiteral("text/vbscript");
        QTest::newRow("JScript after VBScript keeps the type")
            << QStringLiteral("JScript") << QStringLiteral("text/vbscript") << QStringLiteral("text/vbscript");
        QTest::newRow("LiveScript keeps a typed type")
            << QStringLiteral("LiveScript") << QStringLiteral("text/x") << QStringLiteral("text/x");
        QTest::newRow("JavaScript1.2") << QStringLiteral("JavaScript1.2") << QStringLiteral("text/tcl")
                                       << QStringLiteral("text/javascript");
        QTest::newRow("typed, any case") << QStringLiteral("myVBSCRIPT") << QString() << QStringLiteral("text/vbscript");
    }
    void typeForLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, type);
        QFETCH(QString, expected);
        QCOMPARE(::typeForLanguage(language, type), expected);
    }

    void scriptHeaderBlock_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("indentation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("defaults, no comments")
            << QStringLiteral("JavaScript") << QStringLiteral("text/javascript") << QString() << QString()
            << QStringLiteral("<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">\r\n<!--|\r\n\r\n//-->\r\n</SCRIPT>");
        QTest::newRow("defaults, no comments, indented")
            << QStringLiteral("JavaScript") << QStringLiteral("text/javascript") << QString() << QStringLiteral("  ")
            << QStringLiteral("<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">\r\n  <!--|\r\n\r\n  //-->\r\n  </SCRIPT>");
        QTest::newRow("JavaScript comments, indented")
            << QStringLiteral("JScript") << QStringLiteral("text/javascript") << QStringLiteral("one\r\n\r\ntwo")
            << QStringLiteral("  ")
            << QStringLiteral("<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JScript\">\r\n  <!--\r\n"
                              "  // one\r\n  // \r\n  // two\r\n | \r\n  //-->\r\n  </SCRIPT>");
        QTest::newRow("JavaScript comments, column 1")
            << QStringLiteral("JavaScript") << QString() << QStringLiteral("note") << QString()
            << QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\n// note|\r\n\r\n//-->\r\n</SCRIPT>");
        QTest::newRow("VBScript from the type alone")
            << QStringLiteral("JavaScript") << QStringLiteral("text/vbscript") << QStringLiteral("a\r\nb")
            << QStringLiteral("    ")
            << QStringLiteral("<SCRIPT TYPE=\"text/vbscript\" LANGUAGE=\"JavaScript\">\r\n    <!--\r\n"
                              "    'a\r\n    'b\r\n   | \r\n    '-->\r\n    </SCRIPT>");
        QTest::newRow("VBScript, no comments, column 1")
            << QStringLiteral("VBScript") << QStringLiteral("text/vbscript") << QString() << QString()
            << QStringLiteral("<SCRIPT TYPE=\"text/vbscript\" LANGUAGE=\"VBScript\">\r\n<!--|\r\n\r\n'-->\r\n</SCRIPT>");
        QTest::newRow("both lists emptied")
            << QString() << QString() << QString() << QString()
            << QStringLiteral("<SCRIPT>\r\n<!--|\r\n\r\n//-->\r\n</SCRIPT>");
    }
    void scriptHeaderBlock()
    {
        QFETCH(QString, language);
        QFETCH(QString, type);
        QFETCH(QString, comments);
        QFETCH(QString, indentation);
        QFETCH(QString, expected);
        const TemplateText made = ::scriptHeaderBlock({language, type, comments}, indentation);
        const TemplateText wanted = withCaret(expected);
        QCOMPARE(made.text, wanted.text);
        QCOMPARE(made.caretBack, wanted.caretBack);
    }

    void scriptHeaderTag_typeAlwaysBeforeLanguage()
    {
        QCOMPARE(scriptHeaderTag({}), QStringLiteral("<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">"));
        QCOMPARE(scriptHeaderTag({QStringLiteral("VBScript"), QString(), QString()}),
                 QStringLiteral("<SCRIPT LANGUAGE=\"VBScript\">"));
        QCOMPARE(scriptHeaderTag({QString(), QStringLiteral("text/tcl"), QString()}),
                 QStringLiteral("<SCRIPT TYPE=\"text/tcl\">"));
        QCOMPARE(scriptLanguages().first(), ScriptHeaderOptions().language);
        QCOMPARE(scriptTypes().first(), ScriptHeaderOptions().type);
    }

    void noScriptElement_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("expected");
        QTest::newRow("emptied memo") << QString() << QStringLiteral("<NOSCRIPT></NOSCRIPT>");
        QTest::newRow("default text")
            << defaultNoScriptText()
            << QStringLiteral("<NOSCRIPT>This page uses scripts. If you want to see its power, please download \r\n"
                              "the latest version of Netscape Navigator or Microsoft Internet \r\nExplorer.</NOSCRIPT>");
        QTest::newRow("no break after the last line")
            << QStringLiteral("a\nb\n") << QStringLiteral("<NOSCRIPT>a\r\nb</NOSCRIPT>");
    }
    void noScriptElement()
    {
        QFETCH(QString, memo);
        QFETCH(QString, expected);
        QCOMPARE(::noScriptElement(memo), expected);
    }

    void commentLines_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<bool>("vbScript");
        QTest::addColumn<QString>("indentation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("VBScript, two lines, column 1")
            << QStringLiteral("first\nsecond") << true << QString() << QStringLiteral("'first\r\n'second\r\n");
        QTest::newRow("JavaScript, no space after the marker, indented")
            << QStringLiteral("a\r\n\r\nb") << false << QStringLiteral("  ")
            << QStringLiteral("//a\r\n  //\r\n  //b\r\n  ");
        QTest::newRow("empty memo") << QString() << false << QStringLiteral("  ") << QString();
    }
    void commentLines()
    {
        QFETCH(QString, memo);
        QFETCH(bool, vbScript);
        QFETCH(QString, indentation);
        QFETCH(QString, expected);
        QCOMPARE(::commentLines({memo, vbScript ? CommentStyle::VBScript : CommentStyle::JavaScript}, indentation),
                 expected);
    }
};

QTEST_APPLESS_MAIN(TestScriptTemplates)
#include "tst_scripttemplates.moc"
