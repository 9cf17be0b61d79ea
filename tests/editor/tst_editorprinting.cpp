// Printing the whole text of the fragment editor, into PDF files.

#include "editor/editorprinting.h"
#include "editorwindow.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
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
