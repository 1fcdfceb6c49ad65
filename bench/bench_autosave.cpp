// The autosave's minute on the editor's one thread: the project written as a
// whole new copy beside the old one and put in its place.
#include "editor/autosave.h"
#include "model/defaults.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace lt {
namespace {

void BM_AutosaveWrite(benchmark::State& state) {
    auto d = std::make_unique<sDane>();
    std::memset(d.get(), 0, sizeof(sDane));
    NewDane(*d);
    QTemporaryDir dir;
    Autosave autosave(dir.path());
    autosave.setModified(true);
    for (auto _ : state) {
        const QString error = autosave.writeIfModified(*d, QStringLiteral("/depot/depot.vmprj"));
        if (!error.isEmpty()) state.SkipWithError(qPrintable(error));
    }
}
BENCHMARK(BM_AutosaveWrite)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lt
