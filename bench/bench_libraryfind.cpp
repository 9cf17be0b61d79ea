// How fast the libraries are searched as the user types: a user library of
// 10,000 scripts of 1 KB each (Polish names, code with accented comments),
// filtered once per key of a query typed letter by letter; reading the
// texts into memory the first time; renaming a script in it, moving
// scripts and a category.

#include "benchmain.h"
#include "library/libraryfind.h"
#include "library/userlibrary.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kCategories = 100;
constexpr int kScriptsPerCategory = 100;

QString scriptName(int c, int s)
{
    return QStringLiteral("Zegar cyfrowy – wersja %1.%2").arg(c).arg(s);
}

/// About 1 KB of script text, a little different for each script.
QString scriptBody(int n)
{
    QString text = QStringLiteral("// Zegar pokazuje godzinę w polu tekstowym; numer %1\r\n").arg(n);
    while (text.size() < 1000)
        text += QStringLiteral("function tick%1() { document.forms[0].czas.value = new Date().toLocaleTimeString(); "
                               "setTimeout('tick%1()', 1000); }\r\n")
                    .arg(n);
    return text;
}

struct Library {
    QStringList names;
    ScriptTexts texts;
    Library()
    {
        for (int c = 0; c < kCategories; ++c)
            for (int s = 0; s < kScriptsPerCategory; ++s) {
                names << scriptName(c, s);
                texts.put(names.back(), QStringLiteral("var started%1 = false;\r\n").arg(names.size()),
                          scriptBody(int(names.size())));
            }
    }
};

Library &library()
{
    static Library l;
    return l;
}

/// The query typed so far; state.range(0) letters of it.
const QString kTyped = QStringLiteral("tolocaletimestring ćwiczeń");

void BM_FilterPerKey10000Scripts(benchmark::State &state)
{
    Library &lib = library();
    const FindQuery query(kTyped.left(int(state.range(0))));
    std::size_t found = 0;
    for (auto _ : state) {
        found = findScripts(lib.names, &lib.texts, query).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = double(found);
}
// One letter matches nearly everything, a whole word every script's text,
// the last query nothing (every text searched to its end).
BENCHMARK(BM_FilterPerKey10000Scripts)->Arg(1)->Arg(3)->Arg(8)->Arg(18)->Arg(26)->Unit(benchmark::kMillisecond);

// The names alone, as for the built-in library: what the names cost of a key.
void BM_FilterNamesOnly10000Scripts(benchmark::State &state)
{
    Library &lib = library();
    const FindQuery query(kTyped.left(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(findScripts(lib.names, nullptr, query).size());
}
BENCHMARK(BM_FilterNamesOnly10000Scripts)->Arg(1)->Arg(26)->Unit(benchmark::kMillisecond);

struct DiskLibrary {
    QTemporaryDir dir;
    QString folder;
    DiskLibrary()
    {
        folder = dir.filePath(QStringLiteral("user-scripts"));
        UserLibraryStore store(folder);
        if (!store.createFolder()) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
            std::exit(1);
        }
        for (int c = 0; c < kCategories; ++c) {
            LibraryNode *category = store.tree().addRoot(QStringLiteral("Kategoria %1").arg(c));
            for (int s = 0; s < kScriptsPerCategory; ++s) {
                category->addChild(scriptName(c, s));
                store.writeScriptFile(scriptName(c, s), QString(), scriptBody(c * kScriptsPerCategory + s));
            }
        }
        if (!store.writeIndexFile().ok) {
            std::fprintf(stderr, "cannot write the index in %s\n", qPrintable(folder));
            std::exit(1);
        }
    }
};

DiskLibrary &diskLibrary()
{
    static DiskLibrary l;
    return l;
}

void BM_ReadTextsOnce10000Scripts(benchmark::State &state)
{
    diskLibrary();  // written before the clock runs
    for (auto _ : state) {
        UserLibraryStore store(diskLibrary().folder);
        store.load();
        benchmark::DoNotOptimize(store.scriptTexts().size());
    }
}
BENCHMARK(BM_ReadTextsOnce10000Scripts)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RenameScript10000Scripts(benchmark::State &state)
{
    UserLibraryStore store(diskLibrary().folder);
    store.load();
    LibraryNode *script = store.tree().roots[50]->children[50].get();
    const QString names[2] = {script->text, QStringLiteral("Przemianowany zegar")};
    int turn = 0;
    for (auto _ : state) {
        turn = 1 - turn;
        if (!store.renameScript(script, names[turn]).ok())
            state.SkipWithError("rename failed");
    }
    if (turn == 1)
        store.renameScript(script, names[0]);
}
BENCHMARK(BM_RenameScript10000Scripts)->Unit(benchmark::kMillisecond);

// Moving 1 script (or 100) to another category and back: the whole index
// is written each time, the files stay.
void BM_MoveScripts10000Scripts(benchmark::State &state)
{
    UserLibraryStore store(diskLibrary().folder);
    store.load();
    LibraryNode *from = store.tree().roots[10].get();
    LibraryNode *to = store.tree().roots[90].get();
    std::vector<LibraryNode *> moved;
    for (int i = 0; i < int(state.range(0)); ++i)
        moved.push_back(from->children[std::size_t(i)].get());
    bool there = false;
    for (auto _ : state) {
        there = !there;
        if (!store.moveScripts(moved, there ? to : from, nullptr).ok)
            state.SkipWithError("move failed");
    }
    if (there)
        store.moveScripts(moved, from, nullptr);
}
BENCHMARK(BM_MoveScripts10000Scripts)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

// A category of 100 scripts from the top to the end and back.
void BM_MoveCategory10000Scripts(benchmark::State &state)
{
    UserLibraryStore store(diskLibrary().folder);
    store.load();
    LibraryNode *category = store.tree().roots.front().get();
    LibraryNode *second = store.tree().roots[1].get();
    bool last = false;
    for (auto _ : state) {
        last = !last;
        if (!store.moveCategory(category, last ? nullptr : second).ok)
            state.SkipWithError("move failed");
    }
    if (last)
        store.moveCategory(category, second);
}
BENCHMARK(BM_MoveCategory10000Scripts)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
