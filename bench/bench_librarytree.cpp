// How fast the user library comes up in the window: reading an index of
// 10,000 scripts in 100 categories and building the tree TRE_Wlasne.

#include "benchwindow.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_BuildUserLibraryTree10000Scripts(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("user-scripts/"));
    QDir().mkpath(folder);
    QByteArray index;
    for (int c = 0; c < 100; ++c) {
        index += "Category " + QByteArray::number(c) + "\r\n";
        for (int s = 0; s < 100; ++s)
            index += " script " + QByteArray::number(c * 100 + s) + "\r\n";
    }
    QFile file(folder + QStringLiteral("uscripts.dat"));
    file.open(QIODevice::WriteOnly);
    file.write(index);
    file.close();

    BenchWindow bench(false, QSize(1000, 700), folder);
    TVM_Quillon_MF &window = *bench.window;
    for (auto _ : state) {
        window.userLibrary().Okresl_Skrypty();
        benchmark::DoNotOptimize(window.userLibrary().tree()->topLevelItemCount());
    }
    state.counters["nodes"] = 10100;
}
BENCHMARK(BM_BuildUserLibraryTree10000Scripts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
