// How fast the built-in library makes its scripts: all 35 generated from
// their default settings, as a user stepping through the library and
// previewing each would have them made (goal: well under a millisecond for
// all 35 together).  The templates are read from the resources once, before
// the timing starts.

#include "benchmain.h"
#include "library/builtin/builtincatalogue.h"
#include "library/builtin/builtingenerator.h"
#include "library/builtin/builtinsamples.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <vector>

namespace {

std::vector<BuiltInSettings> allSettings(const std::optional<QString> &text)
{
    std::vector<BuiltInSettings> settings;
    for (int id = 0; id < kBuiltInScriptCount; ++id)
        settings.push_back(sampleBuiltInSettings(id, text));
    return settings;
}

void generateAll(benchmark::State &state, const std::vector<BuiltInSettings> &settings)
{
    generateBuiltInScript(5, settings[5]);  // the templates are loaded once
    for (auto _ : state) {
        qsizetype size = 0;
        for (int id = 0; id < kBuiltInScriptCount; ++id) {
            const std::optional<GeneratedScript> script = generateBuiltInScript(id, settings[id]);
            size += script->head.size() + script->body.size();
        }
        benchmark::DoNotOptimize(size);
    }
}

void BM_GenerateAll35Defaults(benchmark::State &state)
{
    generateAll(state, allSettings(std::nullopt));
}
BENCHMARK(BM_GenerateAll35Defaults)->Unit(benchmark::kMicrosecond);

void BM_GenerateAll35AwkwardText(benchmark::State &state)
{
    generateAll(state, allSettings(QStringLiteral("He said \"hi\" & it's </script> \\ ok")));
}
BENCHMARK(BM_GenerateAll35AwkwardText)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
