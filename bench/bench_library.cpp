// How fast a large user library comes up: an index of 10,000 scripts in
// 100 categories read from disk into the tree, and the work every command
// does on it (looking for changes by another copy, finding a name,
// writing the index).

#include "benchmain.h"
#include "library/libraryindex.h"
#include "library/userlibrary.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kCategories = 100;
constexpr int kScriptsPerCategory = 100;

void fill(LibraryTree &tree)
{
    for (int c = 0; c < kCategories; ++c) {
        LibraryNode *category = tree.addRoot(QStringLiteral("Kategoria %1 – skrypty użytkowe").arg(c));
        for (int s = 0; s < kScriptsPerCategory; ++s)
            category->addChild(QStringLiteral("zegar cyfrowy %1.%2").arg(c).arg(s));
    }
}

struct Library {
    QTemporaryDir dir;
    QString folder;
    Library()
    {
        folder = dir.filePath(QStringLiteral("user-scripts"));
        UserLibraryStore store(folder);
        if (!store.createFolder()) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
            std::exit(1);
        }
        fill(store.tree());
        if (!store.writeIndexFile().ok) {
            std::fprintf(stderr, "cannot write the index in %s\n", qPrintable(folder));
            std::exit(1);
        }
    }
};

Library &library()
{
    static Library l;
    return l;
}

void BM_LoadIndex10000Scripts(benchmark::State &state)
{
    UserLibraryStore store(library().folder);
    for (auto _ : state) {
        const UserLibraryStore::LoadResult result = store.load();
        if (result.status != UserLibraryStore::LoadResult::Loaded) {
            state.SkipWithError("the index did not load");
            break;
        }
        benchmark::DoNotOptimize(store.tree().roots.size());
    }
    state.counters["nodes"] = store.tree().nodeCount();
}
BENCHMARK(BM_LoadIndex10000Scripts)->Unit(benchmark::kMillisecond);

void BM_ChangedOnDisk10000Scripts(benchmark::State &state)
{
    UserLibraryStore store(library().folder);
    store.load();
    for (auto _ : state)
        benchmark::DoNotOptimize(store.changedOnDisk());
}
BENCHMARK(BM_ChangedOnDisk10000Scripts)->Unit(benchmark::kMicrosecond);

void BM_ScriptsNamed10000Scripts(benchmark::State &state)
{
    LibraryTree tree;
    fill(tree);
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.scriptsNamed(QStringLiteral("ZEGAR CYFROWY 99.99")).size());
}
BENCHMARK(BM_ScriptsNamed10000Scripts)->Unit(benchmark::kMicrosecond);

void BM_WriteIndexText10000Scripts(benchmark::State &state)
{
    LibraryTree tree;
    fill(tree);
    for (auto _ : state)
        benchmark::DoNotOptimize(writeIndex(tree).size());
}
BENCHMARK(BM_WriteIndexText10000Scripts)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
