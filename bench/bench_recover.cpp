// Recovering a project from a pendrive file: one top text of 63 capitals read
// back from its picture, and a whole image with every view in use.
#include "depot/recover.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "editor/pendrive.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

const QString kCapitals = QStringLiteral("ŻÓŁĆ ŹRÓDŁA ŚLĄSKA ŁĘCZNA ŃZOEAL ZŻŹ ÓSEMKA ŁÓDŹ SZCZECIN ĄĘŻŹZ");

/// A document whose views in use carry the 63 capitals in their top text,
/// small enough for the whole text to lie on the top picture.
void fillViews(lt::Document& doc, int views) {
    doc.newDane();
    for (int l = 1; l <= lt::LanguageCount; ++l)
        for (int v = 1; v <= views; ++v) {
            lt::sWidok& w = lt::widok(doc.dane(), l, v);
            w.use = 1;
            w.Time = 3;
            w.Gorny.FontSize = 8;
            w.Gorny.Y = 8;
            lt::StringToWideChar(kCapitals, w.Gorny.Text);
        }
    lt::EncodeKorvo2Flash(doc);
}

void BM_RecoverTopTextOf63Capitals(benchmark::State& state) {
    lt::Document doc;
    fillViews(doc, 1);
    const lt::sWidok& w = lt::widok(doc.dane(), 1, 1);
    const auto& g = lt::screen(doc.flash(), 1, 1).widok.gorny;
    int renders = 0;
    for (auto _ : state) {
        const lt::TextReading r =
            lt::readRegionText(g.Text, 64, w.Gorny, lt::PackedPicture{g.ekran, 512, 32});
        if (!r.exact) state.SkipWithError("the text was not read back");
        renders = r.renders;
    }
    state.counters["renders"] = renders;
}
BENCHMARK(BM_RecoverTopTextOf63Capitals)->Unit(benchmark::kMillisecond);

void BM_RecoverImageAllViewsInUse(benchmark::State& state) {
    lt::Document doc;
    fillViews(doc, lt::ViewCount);
    auto dane = std::make_unique<lt::sDane>();
    for (auto _ : state) {
        const lt::RecoverReport report = lt::recoverProject(doc.flash(), *dane);
        if (report.regionsNotExact != 0) state.SkipWithError("a region was not read back");
    }
}
BENCHMARK(BM_RecoverImageAllViewsInUse)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
