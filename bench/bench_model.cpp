#include "editor/document.h"
#include "model/defaults.h"

#include <benchmark/benchmark.h>

namespace {

void BM_NewDane(benchmark::State& state) {
    lt::Document doc;
    for (auto _ : state) {
        lt::NewDane(doc.dane());
        benchmark::DoNotOptimize(doc.dane().Widok[2][299].Time);
    }
}
BENCHMARK(BM_NewDane)->Unit(benchmark::kMillisecond);

}  // namespace
