// The views grid as the operator scrolls it: one screenful of rows drawn from
// ready thumbnails, page by page through all 300 views.
#include "editor/document.h"
#include "editor/gridrules.h"
#include "model/records.h"
#include "views/viewsgrid.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

namespace lt {
namespace {

struct GridFixture {
    Document doc;
    views::GridState state;
    std::unique_ptr<views::ViewsGrid> grid;
    QImage target{360, 560, QImage::Format_RGB32};

    GridFixture() {
        doc.newDane();
        for (int v = 1; v <= ViewCount; ++v) {
            widok(doc.dane(), 1, v).use = 1;
            widok(doc.dane(), 1, v).Time = 5;
        }
        doc.RenderBitmapsSG();
        grid = std::make_unique<views::ViewsGrid>(doc, state, 1);
        grid->resize(target.size());
        grid->show();
    }
};

void BM_GridScrollPage(benchmark::State& bm) {
    GridFixture f;
    QScrollBar* bar = f.grid->verticalScrollBar();
    const int step = std::max(1, bar->pageStep());
    int pos = bar->minimum();
    for (auto _ : bm) {
        pos = pos + step > bar->maximum() ? bar->minimum() : pos + step;
        bar->setValue(pos);
        QPainter p(&f.target);
        f.grid->viewport()->render(&p);
    }
}
BENCHMARK(BM_GridScrollPage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lt
