// The checks behind the editor's finding marks: the whole project when it is
// opened or imported, and one view as the operator types into it.
#include "depot/findings.h"
#include "i18n/langmanager.h"
#include "i18n/textcatalogue.h"
#include "model/defaults.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace lt {
namespace {

const char* const Names[] = {"Dworzec Główny", "Łódź Kaliska przez Śródmieście", "Zoo", "Nádraží Holešovice",
                             "Südfriedhof"};

/// Every view of the three languages in use, with names of which some fit.
std::unique_ptr<sDane> fullProject() {
    auto d = std::make_unique<sDane>();
    std::memset(d.get(), 0, sizeof(sDane));
    NewDane(*d);
    for (int l = 1; l <= LanguageCount; ++l) {
        d->Lang[l - 1].Use = 1;
        for (int v = 1; v <= ViewCount; ++v) {
            sWidok& w = widok(*d, l, v);
            w.use = 1;
            w.Time = 5;
            StringToWideChar(QString::fromUtf8(Names[v % std::size(Names)]), w.Gorny.Text);
        }
    }
    return d;
}

void BM_FindingsWholeProject(benchmark::State& state) {
    const auto d = fullProject();
    ProjectFindings findings;
    for (auto _ : state) {
        findings.recheckAll(*d);
        benchmark::DoNotOptimize(findings.viewsWithFindings());
    }
}
BENCHMARK(BM_FindingsWholeProject)->Unit(benchmark::kMillisecond);

void BM_FindingsOneEditedView(benchmark::State& state) {
    const auto d = fullProject();
    ProjectFindings findings;
    findings.recheckAll(*d);
    sWidok& w = widok(*d, 2, 150);
    const QString texts[2] = {QStringLiteral("Zoo"), QStringLiteral("Zoologischer Garten Nord")};
    int i = 0;
    for (auto _ : state) {
        StringToWideChar(texts[i ^= 1], w.Gorny.Text);
        benchmark::DoNotOptimize(findings.recheckView(*d, 2, 150));
    }
}
BENCHMARK(BM_FindingsOneEditedView)->Unit(benchmark::kMicrosecond);

/// The findings of the whole project in Polish, as the check window lists
/// them the first time after a change of language (nothing remembered yet).
void BM_FindingsInPolish(benchmark::State& state) {
    const auto d = fullProject();
    ProjectFindings findings;
    findings.recheckAll(*d);
    QStringList lines;
    for (const Finding& f : findings.all()) lines << f.text();
    i18n::LangManager().Reset();
    i18n::LangManager().RegisterLangFile(QStringLiteral(LINETINT_SOURCE_DIR "/resources/lang/polski.lng"));
    i18n::LangManager().SetLanguageID(1045);
    for (auto _ : state) {
        state.PauseTiming();
        auto catalogue =
            std::make_unique<i18n::TextCatalogue>(QStringLiteral("FormCheck"), i18n::findingCatalogue());
        state.ResumeTiming();
        for (const QString& line : lines) benchmark::DoNotOptimize(catalogue->translate(line));
        state.PauseTiming();
        catalogue.reset();
        state.ResumeTiming();
    }
    state.counters["findings"] = double(lines.size());
    i18n::LangManager().Reset();
}
BENCHMARK(BM_FindingsInPolish)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lt
