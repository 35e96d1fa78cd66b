#pragma once

// The main of every benchmark program: the application its benchmarks need (one with widgets runs
// offscreen unless QT_QPA_PLATFORM says otherwise), an argument the library does not know refused,
// then the benchmarks asked for (--benchmark_filter=...).

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <functional>
#include <type_traits>

// `prima` runs once the arguments are read, before the first benchmark: an archive generated
// there is not part of any figure.
template <class Applicazione = QCoreApplication>
int EseguiBenchmark(int argc, char** argv, const std::function<void()>& prima = {}) {
    if constexpr (!std::is_same_v<Applicazione, QCoreApplication>) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Applicazione app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (prima)
        prima();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
