// Runs the benchmarks under a QApplication on the offscreen platform, so
// text rendering uses the real font engine and widgets can be drawn.
#include "model/headless.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    lt::prepareHeadless();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
