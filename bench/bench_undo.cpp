// The cost of undo: what 1,000 recorded edits of the editing panel hold, and
// the time of one edit step and of one undo.
#include "editor/document.h"
#include "editor/projectstep.h"
#include "render/text.h"

#include <benchmark/benchmark.h>

namespace {

std::size_t heldBytes(lt::Document& doc) {
    std::size_t n = 0;
    const QUndoStack& stack = doc.undoStack();
    for (int i = 0; i < stack.count(); ++i)
        n += static_cast<const lt::ProjectStep*>(stack.command(i))->byteCount();
    return n;
}

/// One edit step as a keystroke records it (the text, its render included).
void BM_EditStep(benchmark::State& state) {
    lt::Document doc;
    doc.newProject();
    int i = 0;
    for (auto _ : state) {
        doc.sealTyping();
        doc.setRegionText(lt::Region::Gorny, QStringLiteral("Line %1").arg(++i % 1000));
    }
    state.counters["held_bytes_per_step"] = double(heldBytes(doc)) / double(doc.undoStack().count());
}
BENCHMARK(BM_EditStep)->Unit(benchmark::kMicrosecond);

/// 1,000 edits of different fields and views, then all undone: the bytes the
/// stack holds and the time of one undo.
void BM_ThousandEditsUndone(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        lt::Document doc;
        doc.newProject();
        for (int i = 0; i < 1000; ++i) {
            doc.dane().EditRow = 1 + i % 300;
            doc.sealTyping();
            switch (i % 4) {
                case 0: doc.setRegionText(lt::Region::Gorny, QStringLiteral("Kierunek %1").arg(i)); break;
                case 1: doc.setRegionValue(lt::Region::Dolny, lt::RegionField::FontSize, 8 + i % 20); break;
                case 2: doc.setCourseName(QStringLiteral("Course %1").arg(i)); break;
                case 3: doc.setRegionValue(lt::Region::Gorny, lt::RegionField::X, i % 100); break;
            }
        }
        state.counters["held_MB_per_1000_edits"] = double(heldBytes(doc)) / 1e6;
        state.ResumeTiming();
        while (doc.undoStack().canUndo()) doc.undoStack().undo();
    }
}
BENCHMARK(BM_ThousandEditsUndone)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
