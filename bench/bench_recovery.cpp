// What keeping a 5 MB script for recovery costs: the copy of the two texts
// the window takes (the only part on the window's thread) and the write the
// worker does (encoding, writing, syncing and renaming into place).

#include "benchmain.h"
#include "document/recoveryfiles.h"
#include "editor/scripteditor.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString halfScript(qsizetype bytes, const char *line)
{
    QString text;
    for (int i = 0; text.size() < bytes; ++i)
        text += QString::fromUtf8(line).arg(i);
    return text;
}

struct Editors {
    ScriptEditor head;
    ScriptEditor body;
    Editors()
    {
        head.setWholeText(halfScript(2500 * 1024, "function f%1(a, b) { var s = \"gęślą\"; return a + b; }\r\n"));
        body.setWholeText(halfScript(2500 * 1024, "<P ALIGN=\"CENTER\">Line %1 <B>żółć</B></P>\r\n"));
    }
};

void BM_RecoverySnapshot(benchmark::State &state)
{
    Editors editors;
    for (auto _ : state) {
        ScriptFragments script{editors.head.wholeText(), editors.body.wholeText()};
        benchmark::DoNotOptimize(script);
    }
}
BENCHMARK(BM_RecoverySnapshot)->Unit(benchmark::kMillisecond);

void BM_RecoveryWrite(benchmark::State &state)
{
    Editors editors;
    const ScriptFragments script{editors.head.wholeText(), editors.body.wholeText()};
    QTemporaryDir dir;
    RecoveryFiles files(dir.filePath(QStringLiteral("recovery/")), 1);
    if (!files.claim()) {
        state.SkipWithError("cannot claim the recovery folder");
        return;
    }
    for (auto _ : state) {
        if (!files.write(RecoveryFiles::encode(script))) {
            state.SkipWithError("the write failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * RecoveryFiles::encode(script).size());
}
BENCHMARK(BM_RecoveryWrite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}
