// How the fragment editor copes with a large script: loading 5 MB with
// setWholeText, and typing into it with the status read-out the main
// window runs after every key.

#include "benchmain.h"
#include "editor/editorsearch.h"
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
    while (text.size() < characters / 2) {
        text += QStringLiteral("function f%1(a, b) { var s = \"gęślą jaźń %1\"; return a + b; }\r\n").arg(i);
        ++i;
    }
    text += QStringLiteral("//-->\r\n</SCRIPT>\r\n");
    while (text.size() < characters) {
        text += QStringLiteral("<P ALIGN=\"CENTER\">Line %1 <B>żółć</B> <A HREF=\"#x\">link</A></P>\r\n").arg(i);
        ++i;
    }
    return text;
}

const QString &bigScript()
{
    static const QString text = generatedScript(5 * 1024 * 1024);
    return text;
}

// What the status read-out asks of the editor after every key.
int statusReadOut(const ScriptEditor &editor)
{
    return int(editor.modifiedState()) + editor.caretLine() + editor.caretColumn() + int(editor.insertMode()) +
           int(editor.hasSelectedText()) + int(editor.isUndoAvailable()) + int(editor.isRedoAvailable()) +
           int(editor.wordWrapOn());
}

void BM_SetWholeText5MB(benchmark::State &state)
{
    ScriptEditor editor;
    editor.resize(800, 600);
    editor.show();
    const QString &text = bigScript();
    for (auto _ : state) {
        editor.setWholeText(text);
        QApplication::processEvents();  // the first paint styles what is shown
        benchmark::DoNotOptimize(editor.lineCount());
    }
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(BM_SetWholeText5MB)->Unit(benchmark::kMillisecond);

void typeInto(benchmark::State &state, bool wordWrap)
{
    ScriptEditor editor;
    editor.resize(800, 600);
    editor.show();
    editor.setWordWrapOn(wordWrap);
    editor.setWholeText(bigScript());
    editor.setCaretLineColumn(editor.lineCount() / 2, 10);
    QApplication::processEvents();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&editor, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&editor, &release);
        benchmark::DoNotOptimize(statusReadOut(editor));
        QApplication::processEvents();
    }
}

void BM_TypeIntoThe5MBMiddle(benchmark::State &state)
{
    typeInto(state, false);
}
BENCHMARK(BM_TypeIntoThe5MBMiddle)->Unit(benchmark::kMicrosecond);

void BM_TypeIntoThe5MBMiddleWrapped(benchmark::State &state)
{
    typeInto(state, true);
}
BENCHMARK(BM_TypeIntoThe5MBMiddleWrapped)->Unit(benchmark::kMicrosecond);

void BM_CaretPositionAtThe5MBEnd(benchmark::State &state)
{
    ScriptEditor editor;
    editor.setWholeText(bigScript());
    editor.setCaretPosition(1 << 30);
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.caretPosition() + editor.selStart() + editor.selLength());
}
BENCHMARK(BM_CaretPositionAtThe5MBEnd)->Unit(benchmark::kMicrosecond);

void BM_FindTextThrough5MB(benchmark::State &state)
{
    ScriptEditor editor;
    editor.setWholeText(bigScript());
    FindOptions options;
    options.wholeWords = true;
    for (auto _ : state) {
        // Texts that are nowhere, so each search reads the whole text: once
        // through Scintilla, once with Unicode case folding.
        editor.setCaretPosition(0);
        benchmark::DoNotOptimize(findText(editor, QStringLiteral("nowhere"), options));
        editor.setCaretPosition(0);
        benchmark::DoNotOptimize(findText(editor, QStringLiteral("ŻÓŁWIK"), options));
    }
}
BENCHMARK(BM_FindTextThrough5MB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}
