// Runs the benchmarks under a QGuiApplication on the offscreen platform, so
// text rendering uses the real font engine.
#include "model/headless.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    lt::prepareHeadless();
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
