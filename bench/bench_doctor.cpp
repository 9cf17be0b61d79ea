// The script doctor on a large script: a whole look at 5 MB (what the
// worker thread does after a pause), and what the GUI thread does for it:
// at each key, and when a look goes out and its result comes back.

#include "benchmain.h"
#include "doctor/examination.h"
#include "doctor/scriptdoctor.h"
#include "editor/scripteditor.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kSize = qsizetype(5) * 1024 * 1024;

// A library-like script: functions, classes, templates, regular
// expressions and an error-free mix of today's syntax.
QByteArray wholeScript()
{
    QByteArray text;
    text.reserve(kSize + 400);
    for (int i = 0; text.size() < kSize; ++i) {
        text += "function f" + QByteArray::number(i) +
                "(a, b = {}) {\n"
                "  const s = `item ${a?.name ?? 'none'} of ${b.count}`;\n"
                "  if (/^[a-z]+\\/\\d+$/i.test(s)) { return s.split('/').map((x) => x.trim()); }\n"
                "  for (let k = 0; k < 10; k++) { b[k] = (b[k] || 0) + k * 2; }\n"
                "  return { s, b, ...a };\n"
                "}\n"
                "class C" +
                QByteArray::number(i) + " extends Base { #v = 1; get v() { return this.#v; } }\n";
    }
    return text;
}

// A page of many blocks and handlers.
QByteArray page()
{
    QByteArray text;
    text.reserve(kSize + 400);
    for (int i = 0; text.size() < kSize; ++i) {
        text += "<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\nfunction g" + QByteArray::number(i) +
                "() { document.getElementById('x').style.color = 'red'; }\r\n//-->\r\n</SCRIPT>\r\n"
                "<P ALIGN=\"CENTER\" ONCLICK=\"g" +
                QByteArray::number(i) + "(); return false;\">Line <B>b</B></P>\r\n";
    }
    return text;
}

void BM_ExamineWhole5MBScript(benchmark::State &state)
{
    const QByteArray text = wholeScript();
    JsSyntaxChecker checker;
    for (auto _ : state)
        benchmark::DoNotOptimize(examineFragment(text, SourceKind::JavaScript, checker));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ExamineWhole5MBScript)->Unit(benchmark::kMillisecond);

void BM_ExamineA5MBPageOfBlocksAndHandlers(benchmark::State &state)
{
    const QByteArray text = page();
    JsSyntaxChecker checker;
    for (auto _ : state)
        benchmark::DoNotOptimize(examineFragment(text, SourceKind::Html, checker));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ExamineA5MBPageOfBlocksAndHandlers)->Unit(benchmark::kMillisecond);

// One key in the middle of a 5 MB script with the doctor watching: the
// GUI thread's whole work for the key (the look itself waits for the
// pause and runs on the worker).
void BM_KeyIn5MBWithTheDoctor(benchmark::State &state)
{
    ScriptEditor editor;
    editor.resize(800, 600);
    editor.show();
    editor.setWholeText(QString::fromUtf8(wholeScript()));
    ScriptDoctor doctor(editor, 1);
    editor.setCaretLineColumn(editor.lineCount() / 2, 10);
    QApplication::processEvents();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&editor, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&editor, &release);
        QApplication::processEvents();
    }
    benchmark::DoNotOptimize(doctor.generation());
}
BENCHMARK(BM_KeyIn5MBWithTheDoctor)->Unit(benchmark::kMicrosecond);

// After the pause: the request taken (the text copied) and a result of
// 2,000 findings drawn, both on the GUI thread.
void BM_LookSentAndShownIn5MB(benchmark::State &state)
{
    ScriptEditor editor;
    editor.resize(800, 600);
    editor.show();
    editor.setWholeText(QString::fromUtf8(wholeScript()));
    ScriptDoctor doctor(editor, 1);
    QApplication::processEvents();
    ExaminationRequest request;
    QObject::connect(&doctor, &ScriptDoctor::wanted, [&request](const ExaminationRequest &r) { request = r; });
    ExaminationResult result;
    result.fragment = 1;
    for (int i = 0; i < 2000; ++i) {
        const int start = static_cast<int>((kSize / 2000) * i);
        result.findings.push_back(
            {i % 2 ? FindingKind::Warning : FindingKind::Error, start, start + 5, {}, QStringLiteral("m"), {}});
    }
    for (auto _ : state) {
        doctor.examineSoon();
        result.generation = request.generation;
        // A look that finds something else each time, so it is drawn.
        result.findings.front().end = result.findings.front().start + 1 + static_cast<int>(state.iterations() % 3);
        doctor.show(result);
    }
}
BENCHMARK(BM_LookSentAndShownIn5MB)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}
