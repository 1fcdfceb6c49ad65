#include "model/defaults.h"
#include "print/printpage.h"


#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A page of the destinations sheet with all 50 views in use, two lines each.
void BM_PrintPageFull(benchmark::State& state) {
    auto d = std::make_unique<lt::sDane>();
    lt::NewDane(*d);
    for (int v = 1; v <= 50; ++v) {
        lt::sWidok& w = lt::widok(*d, 1, v);
        w.use = 1;
        w.TypWidoku = lt::vtLeftTopBottom;
        lt::StringToWideChar(QStringLiteral("%1A").arg(v), w.Lewy.Text);
        lt::StringToWideChar(QStringLiteral("Central Station %1").arg(v), w.Gorny.Text);
        lt::StringToWideChar(QStringLiteral("Market Square, Old Town"), w.Dolny.Text);
    }
    lt::Bitmap page;
    for (auto _ : state) {
        const auto texts = lt::PrintPage(*d, 1, 0, page);
        benchmark::DoNotOptimize(texts.size());
    }
}
BENCHMARK(BM_PrintPageFull)->Unit(benchmark::kMillisecond);

}  // namespace
