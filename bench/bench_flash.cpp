// The display image: the whole build with every view in use, and the export write.
#include "display/flash.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "model/carry.h"

#include <QDir>
#include <QFile>
#include <QUuid>

#include <benchmark/benchmark.h>

namespace {

void BM_EncodeKorvo2FlashAllViews(benchmark::State& state) {
    lt::Document doc;
    doc.newDane();
    for (int l = 1; l <= lt::LanguageCount; ++l)
        for (int v = 1; v <= lt::ViewCount; ++v) {
            lt::widok(doc.dane(), l, v).use = 1;
            lt::widok(doc.dane(), l, v).Time = 3;
        }
    for (auto _ : state) {
        lt::EncodeKorvo2Flash(doc.dane(), doc.surfaces(), doc.flash());
        benchmark::DoNotOptimize(lt::screen(doc.flash(), 3, 300).widok.dolny.ekran[0]);
    }
}
BENCHMARK(BM_EncodeKorvo2FlashAllViews)->Unit(benchmark::kMillisecond);

// The texts of 900 views, each of its five texts beyond Latin-1, converted
// for the image as the build converts them.
void BM_CarryTextsOf900Views(benchmark::State& state) {
    const QString text = QStringLiteral("Brno-Řečkovice přes Kadıköy – Şişli „Győr” cœur");
    for (auto _ : state) {
        qsizetype bytes = 0;
        for (int i = 0; i < 5 * 900; ++i) bytes += lt::carryText(text).bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_CarryTextsOf900Views)->Unit(benchmark::kMillisecond);

void BM_WriteFlashFile(benchmark::State& state) {
    lt::Document doc;
    const QString path = QDir::tempPath() + QStringLiteral("/linetint-bench-") +
                         QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".bin");
    for (auto _ : state) {
        const QString error = lt::writeFlashFile(doc.flash(), path);
        if (!error.isEmpty()) state.SkipWithError(error.toLocal8Bit().constData());
    }
    QFile::remove(path);
    state.SetBytesProcessed(state.iterations() * lt::FlashSize);
}
BENCHMARK(BM_WriteFlashFile)->Unit(benchmark::kMillisecond);

}  // namespace
