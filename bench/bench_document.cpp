// How fast a large script opens: reading and splitting the file, and
// loading both fragments into the editors.

#include "document/scripttext.h"
#include "editor/scripteditor.h"
#include "platform/textfile.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray generatedScript(qsizetype bytes)
{
    QByteArray head = "<!-- part of the HEAD section -->\r\n<SCRIPT LANGUAGE=\"JavaScript\">\r\n";
    QByteArray body = "<!-- part of the BODY section -->\r\n";
    int i = 0;
    while (head.size() < bytes / 2) {
        head += "function f" + QByteArray::number(i) + "(a, b) { var s = \"gęślą " + QByteArray::number(i) +
                "\"; return a + b; }\r\n";
        ++i;
    }
    head += "</SCRIPT>\r\n";
    while (body.size() < bytes / 2) {
        body += "<P ALIGN=\"CENTER\">Line " + QByteArray::number(i) + " <B>żółć</B> <A HREF=\"#x\">link</A></P>\r\n";
        ++i;
    }
    return head + body;
}

struct Files {
    QTemporaryDir dir;
    QString path;
    Files()
    {
        path = dir.filePath(QStringLiteral("big.js"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(generatedScript(5 * 1024 * 1024));
    }
};

Files &files()
{
    static Files f;
    return f;
}

void BM_ReadAndSplit5MB(benchmark::State &state)
{
    for (auto _ : state) {
        const TextFileRead file = readFileBytes(files().path);
        const ScriptFragments fragments = readScriptBytes(file.bytes);
        benchmark::DoNotOptimize(fragments.body.size());
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(files().path).size());
}
BENCHMARK(BM_ReadAndSplit5MB)->Unit(benchmark::kMillisecond);

void BM_LoadBothFragmentsIntoEditors5MB(benchmark::State &state)
{
    const ScriptFragments fragments = readScriptBytes(readFileBytes(files().path).bytes);
    ScriptEditor head, body;
    head.resize(800, 300);
    body.resize(800, 500);
    for (auto _ : state) {
        head.setWholeText(fragments.head);
        body.setWholeText(fragments.body);
        benchmark::DoNotOptimize(body.lineCount());
    }
}
BENCHMARK(BM_LoadBothFragmentsIntoEditors5MB)->Unit(benchmark::kMillisecond);

void BM_WholeTextOf5MBEditor(benchmark::State &state)
{
    const ScriptFragments fragments = readScriptBytes(readFileBytes(files().path).bytes);
    ScriptEditor body;
    body.setWholeText(fragments.body);
    for (auto _ : state)
        benchmark::DoNotOptimize(body.wholeText().size());
}
BENCHMARK(BM_WholeTextOf5MBEditor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
