// The highlighting of a large script: the scanner alone, a whole 5 MB
// document styled through the scheme's lexer (beside QScintilla's own HTML
// lexer), opening the script, and a key typed at its top with the repaint.

#include "benchmain.h"
#include "editor/highlighter.h"
#include "editor/schemelexer.h"
#include "editor/scripteditor.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

namespace {

QString generatedScript(qsizetype characters)
{
    QString text;
    text.reserve(characters + 200);
    text += QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\n");
    int i = 0;
    while (text.size() < characters / 3) {
        text += QStringLiteral("function f%1(a, b) { var s = \"gęślą jaźń %1\"; /* sum */ return Math.max(a, b) + 0x1F; } // note\r\n").arg(i);
        ++i;
    }
    text += QStringLiteral("//-->\r\n</SCRIPT>\r\n<SCRIPT LANGUAGE=\"VBScript\">\r\n");
    while (text.size() < 2 * characters / 3) {
        text += QStringLiteral("Dim x%1 : x%1 = MsgBox(\"Hello \"\"there\"\"\", 1) ' say it\r\n").arg(i);
        ++i;
    }
    text += QStringLiteral("</SCRIPT>\r\n");
    while (text.size() < characters) {
        text += QStringLiteral("<P ALIGN=\"CENTER\">Line %1 <B>żółć</B>&nbsp;<A HREF=\"http://example.com/%1\">link</A></P>\r\n").arg(i);
        ++i;
    }
    return text;
}

const QString &bigScript()
{
    static const QString text = generatedScript(5 * 1024 * 1024);
    return text;
}

void BM_ScanLines5MB(benchmark::State &state)
{
    const QByteArray bytes = bigScript().toUtf8();
    const SchemeScanner scanner;
    std::vector<SchemeScanner::Run> runs;
    for (auto _ : state) {
        int lineState = SchemeScanner::kStartState;
        qsizetype start = 0;
        while (start < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', start);
            end = end < 0 ? bytes.size() : end + 1;
            runs.clear();
            lineState = scanner.scanLine(std::string_view(bytes.constData() + start, size_t(end - start)), lineState, runs);
            start = end;
        }
        benchmark::DoNotOptimize(lineState);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ScanLines5MB)->Unit(benchmark::kMillisecond);

// Styles the whole document from scratch, as Scintilla does when asked for
// the last line.
void styleWholeDocument(benchmark::State &state, ScriptEditor &editor)
{
    editor.setWholeText(bigScript());
    const long length = editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    for (auto _ : state) {
        editor.SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, 0UL, 0L);
        editor.SendScintilla(QsciScintillaBase::SCI_SETSTYLING, static_cast<unsigned long>(length), 0L);
        editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
        benchmark::DoNotOptimize(editor.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(length - 3)));
    }
    state.SetBytesProcessed(state.iterations() * length);
}

void BM_StyleDocument5MB_Scheme(benchmark::State &state)
{
    ScriptEditor editor;
    installScheme(editor, defaultEditorSettings());
    styleWholeDocument(state, editor);
}
BENCHMARK(BM_StyleDocument5MB_Scheme)->Unit(benchmark::kMillisecond);

void BM_StyleDocument5MB_QsciHtml(benchmark::State &state)
{
    ScriptEditor editor;
    editor.setHighlighter(makeHtmlHighlighter());
    styleWholeDocument(state, editor);
}
BENCHMARK(BM_StyleDocument5MB_QsciHtml)->Unit(benchmark::kMillisecond);

void openAndPaint(benchmark::State &state, ScriptEditor &editor)
{
    editor.resize(800, 600);
    editor.show();
    for (auto _ : state) {
        editor.setWholeText(bigScript());
        editor.viewport()->repaint();
    }
}

void BM_Open5MB_Scheme(benchmark::State &state)
{
    ScriptEditor editor;
    installScheme(editor, defaultEditorSettings());
    openAndPaint(state, editor);
}
BENCHMARK(BM_Open5MB_Scheme)->Unit(benchmark::kMillisecond);

void BM_Open5MB_QsciHtml(benchmark::State &state)
{
    ScriptEditor editor;
    editor.setHighlighter(makeHtmlHighlighter());
    openAndPaint(state, editor);
}
BENCHMARK(BM_Open5MB_QsciHtml)->Unit(benchmark::kMillisecond);

void BM_KeyAtTopOf5MB_Scheme(benchmark::State &state)
{
    ScriptEditor editor;
    installScheme(editor, defaultEditorSettings());
    editor.resize(800, 600);
    editor.show();
    editor.setWholeText(bigScript());
    editor.viewport()->repaint();
    editor.setCaretPosition(40);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&editor, &press);
        editor.viewport()->repaint();
    }
}
BENCHMARK(BM_KeyAtTopOf5MB_Scheme)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}
