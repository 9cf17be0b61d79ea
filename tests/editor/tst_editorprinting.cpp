// Printing the whole text of the fragment editor, into PDF files.

#include "editor/colourscheme.h"
#include "editor/editorprinting.h"
#include "editor/schemelexer.h"
#include "editorwindow.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace {

/// Page objects of a PDF file ("/Type /Page", not the "/Pages" tree).
int pdfPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString bytes = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(bytes.count(page));
}

// The page descriptions of a PDF file: its content streams, inflated.
QByteArray pdfContent(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QByteArray content;
    for (qsizetype at = bytes.indexOf("stream\n"); at >= 0; at = bytes.indexOf("stream\n", at)) {
        at += 7;
        const qsizetype end = bytes.indexOf("endstream", at);
        if (end < 0)
            break;
        // qUncompress wants the length in front; a short guess is enough.
        QByteArray packed = QByteArray::fromHex("00001000") + bytes.mid(at, end - at);
        const QByteArray unpacked = qUncompress(packed);
        content += unpacked.isEmpty() ? bytes.mid(at, end - at) : unpacked;
        at = end;
    }
    return content;
}

// The fill colours a page description sets ("r g b scn"), as 0xRRGGBB.
QSet<uint> fillColours(const QByteArray &content)
{
    static const QRegularExpression operation(QStringLiteral("([0-9.]+) ([0-9.]+) ([0-9.]+) scn"));
    QSet<uint> colours;
    for (const QRegularExpressionMatch &match : operation.globalMatch(QString::fromLatin1(content))) {
        const auto byte = [&](int n) { return uint(qRound(match.captured(n).toDouble() * 255)); };
        colours.insert((byte(1) << 16) | (byte(2) << 8) | byte(3));
    }
    return colours;
}

QString numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("document.write(\"line %1\");").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

class TestEditorPrinting : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    int printedPages(ScriptEditor *editor, const QString &name, bool *ok)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(name));
        *ok = printWholeText(*editor, printer);
        return pdfPages(m_dir.filePath(name));
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void printWholeText_shortText_isOnePage()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("<SCRIPT>\r\nalert(\"ż\");\r\n</SCRIPT>"));
        bool ok = false;
        QCOMPARE(printedPages(w.editor, QStringLiteral("short.pdf"), &ok), 1);
        QVERIFY(ok);
    }

    void printWholeText_longText_takesAsManyPagesAsItNeeds()
    {
        EditorWindow w;
        bool ok = false;
        w.editor->setWholeText(numberedLines(300));
        const int pages300 = printedPages(w.editor, QStringLiteral("300.pdf"), &ok);
        QVERIFY(ok);
        w.editor->setWholeText(numberedLines(600));
        const int pages600 = printedPages(w.editor, QStringLiteral("600.pdf"), &ok);
        QVERIFY(ok);
        // A page of 10-point text holds far fewer than 300 lines and far
        // more than 20; twice the lines take about twice the pages.
        QVERIFY2(pages300 >= 3 && pages300 <= 15, qPrintable(QString::number(pages300)));
        QVERIFY2(pages600 >= 2 * pages300 - 1 && pages600 <= 2 * pages300 + 1,
                 qPrintable(QStringLiteral("%1 %2").arg(pages300).arg(pages600)));
    }

    void printWholeText_wordWrapOff_stillWrapsLongLinesOnPaper()
    {
        EditorWindow w;
        bool ok = false;
        w.editor->setWholeText(numberedLines(40));
        const int plain = printedPages(w.editor, QStringLiteral("plain.pdf"), &ok);
        // The same lines, each followed by a long tail that cannot fit the
        // width of the paper: every line then takes several printed lines.
        QStringList longLines;
        for (int i = 1; i <= 40; ++i)
            longLines << QStringLiteral("var s%1 = \"%2\";").arg(i).arg(QString(400, u'x'));
        w.editor->setWholeText(longLines.join(QStringLiteral("\r\n")));
        const int wrapped = printedPages(w.editor, QStringLiteral("wrapped.pdf"), &ok);
        QVERIFY(ok);
        QCOMPARE(plain, 1);
        QVERIFY2(wrapped > plain, qPrintable(QString::number(wrapped)));
    }

    // The print options of the editor settings: colours or black, line
    // numbers or none, and a dark editor printing its light colours.
    void printWholeText_followsThePrintOptions_data()
    {
        QTest::addColumn<bool>("colours");
        QTest::addColumn<bool>("lineNumbers");
        QTest::addColumn<bool>("dark");
        QTest::newRow("colours, numbers") << true << true << false;
        QTest::newRow("black, numbers") << false << true << false;
        QTest::newRow("colours, no numbers") << true << false << false;
        QTest::newRow("dark editor, colours") << true << true << true;
    }

    void printWholeText_followsThePrintOptions()
    {
        QFETCH(bool, colours);
        QFETCH(bool, lineNumbers);
        QFETCH(bool, dark);
        EditorWindow w;
        EditorSettings settings = defaultEditorSettings();
        settings.printColours = colours;
        settings.printLineNumbers = lineNumbers;
        settings.colourScheme = dark ? ColourScheme::Dark : ColourScheme::Light;
        installScheme(*w.editor, settings);
        w.editor->setWholeText(QStringLiteral("<SCRIPT>\r\nfor (;;) { var s = \"x\"; }\r\n</SCRIPT>\r\n"));
        const bool numbersShown = w.editor->lineNumbersShown();
        const QColor paper = w.editor->defBackColor();
        bool ok = false;
        QCOMPARE(printedPages(w.editor, QStringLiteral("options.pdf"), &ok), 1);
        QVERIFY(ok);
        const QByteArray content = pdfContent(m_dir.filePath(QStringLiteral("options.pdf")));
        QVERIFY(!content.isEmpty());
        const QSet<uint> fills = fillColours(content);
        // The JS keyword's green as the user set it, never its dark variant.
        const uint green = settings.style(SchemeStyle::JsKeyword)->foreground;
        const uint darkGreen = drawnSettings(settings, true).style(SchemeStyle::JsKeyword)->foreground;
        QVERIFY2(fills.contains(green) == colours, qPrintable(QString::number(fills.size())));
        QVERIFY(!fills.contains(darkGreen));
        // The line numbers are the only text at the left edge of the text's
        // lines: each of the three lines has one more piece of text with them.
        EditorSettings other = settings;
        other.printLineNumbers = !lineNumbers;
        installScheme(*w.editor, other);
        QCOMPARE(printedPages(w.editor, QStringLiteral("other.pdf"), &ok), 1);
        const int texts = int(content.count("BT"));
        const int otherTexts = int(pdfContent(m_dir.filePath(QStringLiteral("other.pdf"))).count("BT"));
        QVERIFY2(lineNumbers ? texts > otherTexts : texts < otherTexts,
                 qPrintable(QStringLiteral("%1 %2").arg(texts).arg(otherTexts)));
        // The editor is as it was after printing.
        QCOMPARE(w.editor->lineNumbersShown(), numbersShown);
        QCOMPARE(w.editor->defBackColor(), paper);
    }

    void printWholeText_unwritableFile_returnsFalse()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("abc"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(QStringLiteral("no/such/folder/out.pdf")));
        QVERIFY(!printWholeText(*w.editor, printer));
    }
};

QTEST_MAIN(TestEditorPrinting)
#include "tst_editorprinting.moc"
