// Rendering speed: the preview composition the timers and the thumbnail
// refresh run, the thumbnail refresh itself and the packing of one screen.
#include "display/colour.h"
#include "editor/document.h"
#include "model/defaults.h"
#include "render/animation.h"
#include "render/preview.h"
#include "render/view.h"

#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

using namespace lt;

struct Fixture {
    Document doc;
    Fixture() {
        doc.newDane();
        doc.dane().SelWidok = 1;
        doc.dane().EditRow = 1;
        syncBars(doc.edited(), doc.surfaces());
    }
    void run(benchmark::State& state) {
        for (auto _ : state) {
            RenderLED(doc.dane(), doc.surfaces());
            benchmark::DoNotOptimize(doc.surfaces().preview.row(0)[0]);
        }
    }
};

void BM_RenderLED_DefaultView(benchmark::State& state) {
    Fixture f;  // type 3: top, bottom and left regions
    f.run(state);
}
BENCHMARK(BM_RenderLED_DefaultView)->Unit(benchmark::kMicrosecond);

void BM_RenderLED_TopOnlyView(benchmark::State& state) {
    Fixture f;
    f.doc.edited().TypWidoku = vtTop;
    f.run(state);
}
BENCHMARK(BM_RenderLED_TopOnlyView)->Unit(benchmark::kMicrosecond);

void BM_RenderLED_LargestSizeRegions(benchmark::State& state) {
    Fixture f;  // all three regions at the editor's largest size, 32 points
    sWidok& w = f.doc.edited();
    StringToWideChar(QStringLiteral("Central Station via Harbour"), w.Gorny.Text);
    StringToWideChar(QStringLiteral("Airport Terminal 2 - Express"), w.Dolny.Text);
    for (sScreenImage* r : {&w.Gorny, &w.Dolny, &w.Lewy}) {
        r->FontSize = 32;
        r->Alias = 1;
    }
    f.run(state);
}
BENCHMARK(BM_RenderLED_LargestSizeRegions)->Unit(benchmark::kMicrosecond);

void BM_RenderLED_Devanagari(benchmark::State& state) {
    Fixture f;
    sWidok& w = f.doc.edited();
    StringToWideChar(QStringLiteral("केंद्रीय बस स्थानक"), w.Gorny.Text);
    StringToWideChar(QStringLiteral("विमानतळ टर्मिनल २ मार्गे रेल्वे स्थानक"), w.Dolny.Text);
    f.run(state);
}
BENCHMARK(BM_RenderLED_Devanagari)->Unit(benchmark::kMicrosecond);

void BM_RenderLED_HostileRegions(benchmark::State& state) {
    // What only a foreign file holds: 1024 units with no terminator (any
    // 16-bit units in the bottom line), the largest pixel size, far positions.
    Fixture f;
    sWidok& w = f.doc.edited();
    std::mt19937 gen(5);
    for (char16_t& u : w.Gorny.Text) u = u'W';
    for (char16_t& u : w.Dolny.Text) u = static_cast<char16_t>(gen());
    for (char16_t& u : w.Lewy.Text) u = u'M';
    w.Gorny.FontSize = INT32_MAX;
    w.Dolny.FontSize = 100;
    w.Lewy.X = INT32_MIN;
    w.Gorny.AnimX = INT32_MIN;
    RenderLED(f.doc.dane(), f.doc.surfaces());  // faces of the characters looked up once
    f.run(state);
}
BENCHMARK(BM_RenderLED_HostileRegions)->Unit(benchmark::kMicrosecond);

void BM_TickAndRender(benchmark::State& state) {
    Fixture f;  // what one timer tick of a moving top line costs
    f.doc.edited().Gorny.Ruch = mvInLeft;
    restartMovement(f.doc.edited().Gorny);
    for (auto _ : state) {
        stepRegion(f.doc.dane(), Region::Gorny);
        RenderLED(f.doc.dane(), f.doc.surfaces());
    }
}
BENCHMARK(BM_TickAndRender)->Unit(benchmark::kMicrosecond);

void BM_RenderBitmapsSG(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) RenderBitmapsSG(f.doc.dane(), f.doc.surfaces());
}
BENCHMARK(BM_RenderBitmapsSG)->Unit(benchmark::kMillisecond);

void BM_RenderViewSurfaces(benchmark::State& state) {
    Fixture f;  // one given view's regions with no preview, as the lists and checks draw
    const sWidok& w = widok(f.doc.dane(), 2, 150);
    for (auto _ : state) {
        const ViewSizes sizes = renderView(w, f.doc.surfaces(), ViewTarget::Surfaces);
        benchmark::DoNotOptimize(sizes.size[0].width);
    }
}
BENCHMARK(BM_RenderViewSurfaces)->Unit(benchmark::kMicrosecond);

void BM_PackScreen(benchmark::State& state) {
    Fixture f;
    RenderLED(f.doc.dane(), f.doc.surfaces());
    Surfaces& s = f.doc.surfaces();
    std::vector<std::uint8_t> top(2048), left(256), bottom(5120);
    for (auto _ : state) {
        FastDimBitmapToScreen(s.iGorny, top.data(), 512, 32, ciWhite, ciBlack);
        FastDimBitmapToScreen(s.iLewy, left.data(), 64, 32, ciGreen, ciBlack);
        FastDimBitmapToScreen(s.iDolny, bottom.data(), 2048, 20, ciYellow, ciBlue);
        benchmark::DoNotOptimize(bottom.data());
    }
}
BENCHMARK(BM_PackScreen)->Unit(benchmark::kMicrosecond);

void BM_UnpackScreen(benchmark::State& state) {
    Fixture f;
    Surfaces& s = f.doc.surfaces();
    std::vector<std::uint8_t> top(2048, 0x5A), left(256, 0x5A), bottom(5120, 0x5A);
    for (auto _ : state) {
        FastDimScreenToBitmap(top.data(), s.iGorny, 512, 32, ciWhite, ciBlack);
        FastDimScreenToBitmap(left.data(), s.iLewy, 64, 32, ciGreen, ciBlack);
        FastDimScreenToBitmap(bottom.data(), s.iDolny, 2048, 20, ciYellow, ciBlue);
        benchmark::DoNotOptimize(s.iDolny.row(0)[0]);
    }
}
BENCHMARK(BM_UnpackScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
