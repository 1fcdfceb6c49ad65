// Drawing a given view: thumbnails sampled straight from the regions against
// the preview composed and reduced, for every view type, split and offset
// that changes what a window shows, and the sign rules they rest on.
#include "editor/document.h"
#include "model/defaults.h"
#include "model/sign.h"
#include "render/pixels.h"
#include "render/preview.h"
#include "render/view.h"
#include "render_helpers.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

// The thumbnail as the editor made it before: the view composed into the
// preview, the preview reduced by six.
void composedThumbnail(const sWidok& w, Surfaces& s, Bitmap& thumb) {
    renderView(w, s);
    FastResizeBmp(s.preview, thumb);
}

// Regions that reach past their windows and differ in every colour.
void colourful(sWidok& w) {
    StringToWideChar(QStringLiteral("Top line 12345"), w.Gorny.Text);
    StringToWideChar(QStringLiteral("Bottom via the long street and further"), w.Dolny.Text);
    StringToWideChar(QStringLiteral("88"), w.Lewy.Text);
    w.Gorny.FontColor = ciYellow, w.Gorny.BackColor = ciBlue;
    w.Dolny.FontColor = ciWhite, w.Dolny.BackColor = ciRed;
    w.Lewy.FontColor = ciGreen, w.Lewy.BackColor = ciMagenta;
    w.Gorny.FontSize = 20, w.Dolny.FontSize = 9, w.Lewy.FontSize = 22;
}

TEST(SignRules, RegionsAndWindowsPerViewType) {
    // Windows of each type tile the face exactly; the shown regions have a window.
    for (std::int32_t type = vtTop; type <= vtLeftTopBottom; ++type) {
        for (const auto& [bx, by] :
             {std::pair{16, 12}, std::pair{64, 24}, std::pair{0, 0}, std::pair{128, 32}}) {
            int covered[SignHeight][SignWidth] = {};
            for (const Region r : AllRegions) {
                const FaceWindow win = regionWindowOnFace(type, bx, by, r);
                if (!showsRegion(type, r)) {
                    EXPECT_TRUE(win.empty());
                }
                for (int y = win.top; y < win.top + win.height; ++y)
                    for (int x = win.left; x < win.left + win.width; ++x) ++covered[y][x];
            }
            for (int y = 0; y < SignHeight; ++y)
                for (int x = 0; x < SignWidth; ++x)
                    ASSERT_EQ(covered[y][x], 1) << type << " " << x << "," << y;
        }
    }
    EXPECT_FALSE(showsRegion(vtTop, Region::Dolny) || showsRegion(vtTop, Region::Lewy));
    EXPECT_TRUE(showsRegion(vtTopBottom, Region::Dolny) && !showsRegion(vtTopBottom, Region::Lewy));
    EXPECT_TRUE(!showsRegion(vtLeftTop, Region::Dolny) && showsRegion(vtLeftTop, Region::Lewy));
    EXPECT_TRUE(regionWindowOnFace(7, 40, 20, Region::Gorny).empty());
    EXPECT_EQ(regionWindowOnFace(vtLeftTopBottom, 40, 20, Region::Dolny), (FaceWindow{40, 20, 88, 12}));
}

TEST(ThumbnailRun, SampledThumbnailIsTheReducedPreviewForEveryTypeSplitAndOffset) {
    auto composed = std::make_unique<Surfaces>();
    auto sampled = std::make_unique<Surfaces>();
    auto dane = std::make_unique<sDane>();
    NewDane(*dane);
    sWidok& w = widok(*dane, 1, 1);
    colourful(w);
    const std::pair<int, int> bars[] = {{16, 12}, {40, 20}, {64, 24}, {0, 0}, {200, 40}, {-5, -9}};
    // Still, moving part-way, wrapped far off, and the flashing phase's offsets.
    const std::pair<int, int> offsets[] = {{0, 0},    {-7, 3},   {45, -20},
                                           {-600, 0}, {128, 96}, {-2000000000, 7}};
    for (const std::int32_t type : {vtTop, vtTopBottom, vtLeftTop, vtLeftTopBottom}) {
        for (const auto& [bx, by] : bars) {
            for (const auto& [ax, ay] : offsets) {
                w.TypWidoku = type;
                w.BarX = bx, w.BarY = by;
                for (const Region r : AllRegions) {
                    regionOf(w, r).AnimX = ax;
                    regionOf(w, r).AnimY = r == Region::Lewy ? -ay : ay;
                }
                Bitmap expected(SignWidth, SignHeight), got(SignWidth, SignHeight);
                composedThumbnail(w, *composed, expected);
                ThumbnailRun run(*sampled);
                run.draw(w, got);
                ASSERT_TRUE(test::samePixels(expected, got))
                    << "type " << type << " bars " << bx << "," << by << " offset " << ax << "," << ay;
            }
        }
    }
}

TEST(ThumbnailRun, AllThumbnailsSizesAndPreviewAsComposingEachViewInTurn) {
    // A project of every view type, unknown types among them (which draw
    // nothing and so show what the preview last held), and moved regions.
    auto dane = std::make_unique<sDane>();
    NewDane(*dane);
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) {
            sWidok& w = widok(*dane, l, v);
            if (v % 3 == 0) colourful(w);
            w.TypWidoku = (v % 11 == 1) ? 9 : v % 4;
            w.BarX = 16 + v % 49;
            w.BarY = 12 + v % 13;
            w.Gorny.AnimX = (v % 7) * 13 - 40;
            w.Dolny.AnimY = v % 5 - 2;
        }
    auto reference = std::make_unique<sDane>(*dane);
    auto before = std::make_unique<Surfaces>();
    auto now = std::make_unique<Surfaces>();
    before->barX = now->barX = 40;
    before->barY = now->barY = 20;
    FastClearBitmap(before->preview, 0x00FF00);
    FastClearBitmap(now->preview, 0x00FF00);

    // The editor's loop before: every view made the edited one in turn.
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) {
            reference->SelWidok = l;
            reference->EditRow = v;
            RenderLED(*reference, *before);
            RenderActiveBitmapSG(*reference, *before);
        }
    reference->SelWidok = dane->SelWidok;
    reference->EditRow = dane->EditRow;

    RenderBitmapsSG(*dane, *now);
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v)
            ASSERT_TRUE(test::samePixels(before->thumbnail(l, v), now->thumbnail(l, v))) << l << "/" << v;
    EXPECT_TRUE(test::samePixels(before->preview, now->preview));
    for (const Region r : AllRegions)
        EXPECT_TRUE(test::samePixels(surfaceOf(*before, r), surfaceOf(*now, r)));
    EXPECT_EQ(std::memcmp(reference.get(), dane.get(), sizeof(sDane)), 0)
        << "measured sizes or selection differ";
}

}  // namespace
}  // namespace lt
