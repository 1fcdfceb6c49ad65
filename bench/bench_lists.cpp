// Destination lists of a project with all three languages in use (900 rows):
// written and read back as CSV and as a workbook.
#include "depot/viewlist.h"
#include "model/defaults.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace {

std::unique_ptr<lt::sDane> threeLanguages() {
    auto d = std::make_unique<lt::sDane>();
    std::memset(static_cast<void*>(d.get()), 0, sizeof(lt::sDane));
    lt::NewDane(*d);
    d->Lang[1].Use = 1;
    d->Lang[2].Use = 1;
    return d;
}

void BM_ListExportXlsx(benchmark::State& state) {
    auto d = threeLanguages();
    QString error;
    for (auto _ : state) benchmark::DoNotOptimize(lt::exportViewListXlsx(*d, 0, error));
    state.counters["bytes"] = double(lt::exportViewListXlsx(*d, 0, error).size());
}
BENCHMARK(BM_ListExportXlsx)->Unit(benchmark::kMillisecond);

void BM_ListImportXlsx(benchmark::State& state) {
    auto d = threeLanguages();
    QString error;
    const QByteArray xlsx = lt::exportViewListXlsx(*d, 0, error);
    for (auto _ : state) benchmark::DoNotOptimize(lt::importViewListXlsx(*d, xlsx).rows);
}
BENCHMARK(BM_ListImportXlsx)->Unit(benchmark::kMillisecond);

void BM_ListImportCsv(benchmark::State& state) {
    auto d = threeLanguages();
    const QByteArray csv = lt::exportViewList(*d, {});
    for (auto _ : state) benchmark::DoNotOptimize(lt::importViewList(*d, csv).rows);
    state.counters["bytes"] = double(csv.size());
}
BENCHMARK(BM_ListImportCsv)->Unit(benchmark::kMillisecond);

}  // namespace
