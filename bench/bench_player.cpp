// Playing a pendrive image: a 30-second animated picture of a destination
// whose three regions all move at speed 100, at one pixel per LED and at the
// default enlarged scale, and the playing alone; the animated picture of a
// whole stick, as the player window saves it.
#include "depot/gif.h"
#include "depot/player.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "editor/pendrive.h"

#include <benchmark/benchmark.h>

namespace {

/// A document whose image holds destination 1 with three regions moving at
/// speed 100: the top in from the right edge, the bottom back and forth, the
/// left up.
struct MovingDestination {
    lt::Document doc;
    MovingDestination() {
        doc.newDane();
        lt::sWidok& w = lt::widok(doc.dane(), 1, 1);
        w.use = 1;
        w.Time = 30;
        w.TypWidoku = lt::vtLeftTopBottom;
        lt::StringToWideChar(QStringLiteral("Dworzec Centralny"), w.Gorny.Text);
        lt::StringToWideChar(QStringLiteral("via Plac Wilsona, Marymont, Żerań FSO, Tarchomin"),
                             w.Dolny.Text);
        lt::StringToWideChar(QStringLiteral("175"), w.Lewy.Text);
        w.Gorny.Ruch = lt::mvInLeft;
        w.Dolny.Ruch = lt::mvBounce;
        w.Lewy.Ruch = lt::mvInUp;
        w.Gorny.Speed = w.Dolny.Speed = w.Lewy.Speed = 100;
        lt::EncodeKorvo2Flash(doc.dane(), doc.surfaces(), doc.flash());
    }
};

void BM_PlayerAnimation30s(benchmark::State& state) {
    MovingDestination m;
    const int scale = static_cast<int>(state.range(0));
    std::int64_t bytes = 0;
    for (auto _ : state) {
        lt::Player player(m.doc.flash(), lt::destinationTurns(m.doc.flash(), 1));
        const lt::Animation a = lt::makeAnimation(player, 30000, scale);
        if (!a.error.isEmpty()) state.SkipWithError(a.error.toLocal8Bit().constData());
        bytes = a.gif.size();
        state.counters["frames"] = a.frames;
    }
    state.counters["gif_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PlayerAnimation30s)->Arg(1)->Arg(lt::SignDefaultScale)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_PlayerFaces30s(benchmark::State& state) {
    MovingDestination m;
    for (auto _ : state) {
        lt::Player player(m.doc.flash(), lt::destinationTurns(m.doc.flash(), 1));
        int frames = 0;
        lt::playClip(player, 30000, [&](const lt::FaceLeds&, const lt::ClipFrame&) { return ++frames > 0; });
        benchmark::DoNotOptimize(frames);
    }
}
BENCHMARK(BM_PlayerFaces30s)->Unit(benchmark::kMillisecond);

/// A full stick: all 300 destinations of language 1 in use for 10 s, each
/// with its route number standing, its top line running in from the left at
/// speed 20 and its bottom line standing.
struct FullStick {
    lt::Document doc;
    FullStick() {
        doc.newDane();
        for (int v = 1; v <= lt::ViewCount; ++v) {
            lt::sWidok& w = lt::widok(doc.dane(), 1, v);
            w.use = 1;
            w.Time = 10;
            w.TypWidoku = lt::vtLeftTopBottom;
            lt::StringToWideChar(QString::number(100 + v), w.Lewy.Text);
            lt::StringToWideChar(QStringLiteral("Osiedle %1 Dworzec Centralny").arg(v), w.Gorny.Text);
            lt::StringToWideChar(QStringLiteral("via Plac Wilsona"), w.Dolny.Text);
            w.Gorny.Ruch = lt::mvInLeft;
            w.Gorny.Speed = 20;
        }
        lt::EncodeKorvo2Flash(doc);
    }
};

void BM_PlayerAnimationWholeStick(benchmark::State& state) {
    FullStick m;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        lt::Player player(m.doc.flash(), lt::allDestinationTurns(m.doc.flash()));
        const lt::Animation a = lt::makeAnimation(player, player.length(), lt::SignDefaultScale);
        if (!a.error.isEmpty()) state.SkipWithError(a.error.toLocal8Bit().constData());
        bytes = a.gif.size();
        state.counters["frames"] = a.frames;
    }
    state.counters["gif_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PlayerAnimationWholeStick)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
