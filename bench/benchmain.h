#pragma once
// The main of a benchmark program: its application object (offscreen
// unless a display is chosen), then the benchmarks the command line asks
// for; an argument Google Benchmark does not know ends it with status 1.

#include <QByteArray>
#include <QtGlobal>

#include <benchmark/benchmark.h>
#include <functional>

template <typename Application>
int runBenchmarks(int argc, char **argv, const std::function<void()> &setUp = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    if (setUp)
        setUp();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
