// Composition of the preview: windows per view type, the copy table, fills,
// separators, the track-bar rules, outlines, thumbnails, the picture file and
// the LED test.
#include "editor/document.h"
#include "model/defaults.h"
#include "render/picture.h"
#include "render/pixels.h"
#include "render/preview.h"
#include "render_helpers.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QImage>

#include <cstring>
#include <gtest/gtest.h>

namespace lt {
namespace {

using test::countOther;
using test::key;
using test::pixelSet;

constexpr std::uint32_t Grey = 0x9B9B9B;

class Preview : public ::testing::Test {
protected:
    Document doc;
    void SetUp() override {
        doc.newDane();
        doc.dane().SelWidok = 1;
        doc.dane().EditRow = 1;
        syncBars(view(), doc.surfaces());
    }
    sWidok& view() { return doc.edited(); }
    Surfaces& s() { return doc.surfaces(); }
    Bitmap& preview() { return doc.surfaces().preview; }
    void render() { RenderLED(doc.dane(), doc.surfaces()); }
    // Preview pixel at the centre of LED (u, v).
    TRGB led(int u, int v) { return GetPixel(preview(), 6 * u + 3, 6 * v + 3); }
    // Whether the preview window of LEDs [u0, u1) x [v0, v1) is exactly the
    // surface's pixels from (0, 0), enlarged.
    bool showsSurface(const Bitmap& surface, int u0, int v0, int u1, int v1, int su = 0, int sv = 0) {
        for (int v = v0; v < v1; ++v)
            for (int u = u0; u < u1; ++u)
                for (int dy = 2; dy < 6; ++dy)  // offsets 0 and 1 may carry separators
                    for (int dx = 2; dx < 6; ++dx)
                        if (key(GetPixel(preview(), 6 * u + dx, 6 * v + dy)) !=
                            key(GetPixel(surface, su + u - u0, sv + v - v0)))
                            return false;
        return true;
    }
};

TEST_F(Preview, DefaultViewShowsItsThreeRegionsInTheirWindows) {
    render();
    sWidok& w = view();
    ASSERT_EQ(w.TypWidoku, vtLeftTopBottom);
    const int bx = w.BarX, by = w.BarY;  // 40, 21
    EXPECT_TRUE(showsSurface(s().iLewy, 0, 0, bx, 32));
    EXPECT_TRUE(showsSurface(s().iGorny, bx, 0, 128, by));
    EXPECT_TRUE(showsSurface(s().iDolny, bx, by, 128, 32));
    // The texts are there in their colours.
    const QRect left(0, 0, 6 * bx - 1, 192), top(6 * bx + 2, 0, 768 - 6 * bx - 2, 6 * by - 1),
        bottom(6 * bx + 2, 6 * by + 2, 768 - 6 * bx - 2, 192 - 6 * by - 2);
    EXPECT_EQ(pixelSet(preview(), left),
              (std::set<std::uint32_t>{key(Int2Color(ciGreen)), key(Int2Color(ciBlack))}));
    EXPECT_EQ(pixelSet(preview(), top),
              (std::set<std::uint32_t>{key(Int2Color(ciWhite)), key(Int2Color(ciBlack))}));
    EXPECT_EQ(pixelSet(preview(), bottom),
              (std::set<std::uint32_t>{key(Int2Color(ciYellow)), key(Int2Color(ciBlue))}));
    // Grey separators: the vertical one over the full height, the horizontal
    // one right of it.
    for (int y = 0; y < 192; ++y) EXPECT_EQ(key(GetPixel(preview(), 6 * bx + 1, y)), key(Grey)) << y;
    EXPECT_EQ(countOther(preview(), QRect(6 * bx, 6 * by, 768 - 6 * bx, 2), Grey), 0);
    EXPECT_NE(key(GetPixel(preview(), 6 * bx - 1, 6 * by)), key(Grey));
    // Measured sizes are stored in the edited view.
    EXPECT_GT(w.Gorny.TextWidth, 0);
    EXPECT_GT(w.Dolny.TextWidth, 0);
    EXPECT_GT(w.Lewy.TextWidth, 0);
}

TEST_F(Preview, WindowsPerViewType) {
    sWidok& w = view();
    // Type 0: iGorny columns 0..127 over the whole sign, no lines.
    w.TypWidoku = vtTop;
    render();
    EXPECT_TRUE(showsSurface(s().iGorny, 0, 0, 128, 32));
    EXPECT_EQ(pixelSet(preview()).count(key(Grey)), 0u);

    // Type 1: top over BarY rows, bottom below it, one horizontal line.
    w.TypWidoku = vtTopBottom;
    render();
    EXPECT_TRUE(showsSurface(s().iGorny, 0, 0, 128, w.BarY));
    EXPECT_TRUE(showsSurface(s().iDolny, 0, w.BarY, 128, 32));
    EXPECT_EQ(countOther(preview(), QRect(0, 6 * w.BarY, 768, 2), Grey), 0);
    EXPECT_NE(key(GetPixel(preview(), 6 * w.BarX, 0)), key(Grey));

    // Type 2 with BarX 16: the left window shows iLewy columns 0..15, the top
    // window starts at LED column 16 with iGorny column 0.
    w.TypWidoku = vtLeftTop;
    w.BarX = 16;
    syncBars(w, s());
    render();
    EXPECT_TRUE(showsSurface(s().iLewy, 0, 0, 16, 32));
    EXPECT_TRUE(showsSurface(s().iGorny, 16, 0, 128, 32));

    // Type 3 with BarX 64 and BarY 24: left is all of iLewy, bottom 64 x 8.
    w.TypWidoku = vtLeftTopBottom;
    w.BarX = 64;
    w.BarY = 24;
    syncBars(w, s());
    render();
    EXPECT_TRUE(showsSurface(s().iLewy, 0, 0, 64, 32));
    EXPECT_TRUE(showsSurface(s().iGorny, 64, 0, 128, 24));
    EXPECT_TRUE(showsSurface(s().iDolny, 64, 24, 128, 32));
}

TEST_F(Preview, OffsetsMoveTheSurfaceAndUncoveredLedsShowTheBackground) {
    sWidok& w = view();
    w.Dolny.AnimX = 30;  // surface moved right: the first 30 LEDs of the window are uncovered
    w.Dolny.AnimY = -2;  // and up by two rows
    w.Lewy.AnimY = 20;   // left text moved down past the window's lower rows
    render();
    const int bx = w.BarX, by = w.BarY;
    for (int v = by; v < 32; ++v)
        for (int u = bx; u < bx + 30; ++u) ASSERT_EQ(key(led(u, v)), key(Int2Color(ciBlue))) << u << "," << v;
    EXPECT_TRUE(showsSurface(s().iDolny, bx + 30, by, 128, 32, 0, 2));
    for (int v = 0; v < 20; ++v)
        for (int u = 0; u < bx; ++u) ASSERT_EQ(key(led(u, v)), key(Int2Color(ciBlack)));
    EXPECT_TRUE(showsSurface(s().iLewy, 0, 20, bx, 32));
}

TEST_F(Preview, UnknownViewTypeLeavesPreviewAndSurfacesUnchanged) {
    render();
    sWidok& w = view();
    for (std::int32_t type : {4, -1, INT32_MAX, INT32_MIN}) {
        w.TypWidoku = type;
        StringToWideChar(QStringLiteral("changed"), w.Gorny.Text);
        const QImage before = preview().image().copy(), top = s().iGorny.image().copy();
        render();
        EXPECT_EQ(preview().image(), before) << type;
        EXPECT_EQ(s().iGorny.image(), top) << type;
    }
}

TEST_F(Preview, HostileOffsetsAndBarsNeverReachOutsideTheWindows) {
    sWidok& w = view();
    const std::int32_t values[] = {INT32_MIN, INT32_MAX, -1, 0, 1000, -1000};
    for (std::int32_t a : values)
        for (std::int32_t b : values) {
            for (sScreenImage* r : {&w.Gorny, &w.Dolny, &w.Lewy}) {
                r->AnimX = a;
                r->AnimY = b;
            }
            w.BarX = a;
            w.BarY = b;
            for (std::int32_t type = 0; type <= 3; ++type) {
                w.TypWidoku = type;
                render();
            }
        }
    // Far offsets show only the background colours.
    w.TypWidoku = vtTopBottom;
    w.BarY = 16;
    w.Gorny.AnimX = INT32_MIN;
    w.Dolny.AnimY = INT32_MAX;
    syncBars(w, s());
    render();
    EXPECT_EQ(pixelSet(preview(), QRect(0, 0, 768, 96)),
              std::set<std::uint32_t>{key(Int2Color(w.Gorny.BackColor))});
    EXPECT_EQ(pixelSet(preview(), QRect(0, 98, 768, 94)),
              std::set<std::uint32_t>{key(Int2Color(w.Dolny.BackColor))});
    // Bars outside the sign keep every window on the preview.
    w.TypWidoku = vtLeftTopBottom;
    w.BarX = 1000;
    w.BarY = -50;
    w.Lewy.AnimX = 0;
    render();
    EXPECT_EQ(layoutBarX(w), 128);
    EXPECT_EQ(layoutBarY(w), 0);
}

TEST(TrackBars, SnapIntoTheirLimits) {
    EXPECT_EQ(clampBarX(100), 64);
    EXPECT_EQ(clampBarX(5), 16);
    EXPECT_EQ(clampBarX(40), 40);
    EXPECT_EQ(clampBarX(INT32_MIN), 16);
    EXPECT_EQ(clampBarY(5), 12);
    EXPECT_EQ(clampBarY(100), 24);
    EXPECT_EQ(clampBarY(21), 21);
}

TEST_F(Preview, OutlineRectanglesPerPanelAndType) {
    sWidok& w = view();
    w.BarX = 40;
    w.BarY = 21;
    const int bx = 240, by = 126;
    struct Case {
        Region panel;
        std::int32_t type;
        std::optional<OutlineRect> rect;
    } cases[] = {
        {Region::Gorny, 0, std::nullopt},
        {Region::Gorny, 1, OutlineRect{0, 0, 768, by}},
        {Region::Gorny, 2, OutlineRect{bx + 1, 0, 768, 192}},
        {Region::Gorny, 3, OutlineRect{bx + 1, 0, 768, by + 1}},
        {Region::Dolny, 0, std::nullopt},
        {Region::Dolny, 1, OutlineRect{0, by, 768, 192}},
        {Region::Dolny, 2, std::nullopt},
        {Region::Dolny, 3, OutlineRect{bx + 1, by, 768, 192}},
        {Region::Lewy, 0, std::nullopt},
        {Region::Lewy, 1, std::nullopt},
        {Region::Lewy, 2, OutlineRect{0, 0, bx + 1, 192}},
        {Region::Lewy, 3, OutlineRect{0, 0, bx + 1, 192}},
        {Region::Gorny, 7, std::nullopt},
    };
    for (const Case& c : cases) {
        w.TypWidoku = c.type;
        EXPECT_EQ(regionOutline(w, c.panel), c.rect) << int(c.panel) << " type " << c.type;
    }
}

TEST_F(Preview, OutlineIsTwoNestedRectanglesInTheFontColourAfterTheSeparators) {
    sWidok& w = view();
    w.Dolny.FontColor = ciRed;
    doc.outlineRegion(Region::Dolny);
    const OutlineRect r = *regionOutline(w, Region::Dolny);  // (241, 126, 768, 192)
    const std::uint32_t red = key(Int2Color(ciRed));
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(countOther(preview(), QRect(r.l + k, r.t + k, r.r - r.l - 2 * k, 1), Int2Color(ciRed)), 0);
        EXPECT_EQ(countOther(preview(), QRect(r.l + k, r.b - 1 - k, r.r - r.l - 2 * k, 1), Int2Color(ciRed)),
                  0);
        EXPECT_EQ(countOther(preview(), QRect(r.l + k, r.t + k, 1, r.b - r.t - 2 * k), Int2Color(ciRed)), 0);
        EXPECT_EQ(countOther(preview(), QRect(r.r - 1 - k, r.t + k, 1, r.b - r.t - 2 * k), Int2Color(ciRed)),
                  0);
    }
    EXPECT_NE(key(GetPixel(preview(), r.l + 2, r.t + 2)), red);  // no fill
    EXPECT_EQ(key(GetPixel(preview(), r.l - 1, r.t)), key(Grey));

    // The top panel of a type 0 view: nothing at all, not even a recomposition.
    w.TypWidoku = vtTop;
    FastClearBitmap(preview(), 0x00FF00);
    doc.outlineRegion(Region::Gorny);
    EXPECT_EQ(pixelSet(preview()), std::set<std::uint32_t>{key(0x00FF00)});
}

TEST_F(Preview, ThumbnailsAreTheReducedPreviewAndTheEditedViewIsRestored) {
    sDane& d = doc.dane();
    d.SelWidok = 2;
    d.EditRow = 7;
    RenderBitmapsSG(d, s());
    EXPECT_EQ(d.SelWidok, 2);
    EXPECT_EQ(d.EditRow, 7);
    // Every thumbnail is that view's own preview, reduced.
    for (const auto& [l, v] : {std::pair{1, 1}, std::pair{1, 300}, std::pair{3, 150}}) {
        d.SelWidok = l;
        d.EditRow = v;
        render();
        Bitmap reduced(128, 32);
        FastResizeBmp(preview(), reduced);
        EXPECT_TRUE(test::samePixels(s().thumbnail(l, v), reduced)) << l << "/" << v;
    }
    // The thumbnail of view 1 differs from that of view 300 (texts "Top1", "Top300").
    EXPECT_FALSE(test::samePixels(s().thumbnail(1, 1), s().thumbnail(1, 300)));
    // The active refresh takes the preview as it is.
    d.SelWidok = 1;
    d.EditRow = 5;
    FastClearBitmap(preview(), 0x0000FF);
    RenderActiveBitmapSG(d, s());
    EXPECT_EQ(pixelSet(s().thumbnail(1, 5)), std::set<std::uint32_t>{key(0x0000FF)});
}

TEST(Picture, BmpHeaderAndBottomUpPaddedRows) {
    Bitmap b(5, 3);  // 15 bytes of pixels per row, padded to 16
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            PutPixel(b, x, y, TRGB{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0xEE});
    const QByteArray f = bmpFileBytes(b);
    auto u16 = [&](int at) { return quint16(quint8(f[at]) | quint8(f[at + 1]) << 8); };
    auto u32 = [&](int at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
    ASSERT_EQ(f.size(), 54 + 16 * 3);
    EXPECT_EQ(f.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(2), 54u + 48u);  // bfSize
    EXPECT_EQ(u32(6), 0u);         // reserved
    EXPECT_EQ(u32(10), 54u);       // bfOffBits
    EXPECT_EQ(u32(14), 40u);       // biSize
    EXPECT_EQ(u32(18), 5u);        // biWidth
    EXPECT_EQ(u32(22), 3u);        // biHeight, positive: bottom-up
    EXPECT_EQ(u16(26), 1u);        // biPlanes
    EXPECT_EQ(u16(28), 24u);       // biBitCount
    EXPECT_EQ(u32(30), 0u);        // BI_RGB
    EXPECT_EQ(u32(34), 48u);       // biSizeImage
    EXPECT_EQ(u32(46), 0u);        // biClrUsed
    // The first stored row is the bottom one, blue-green-red, then one pad byte.
    EXPECT_EQ(quint8(f[54 + 0]), 0);
    EXPECT_EQ(quint8(f[54 + 1]), 2);
    EXPECT_EQ(quint8(f[54 + 2]), 0xEE);
    EXPECT_EQ(quint8(f[54 + 3 * 4]), 4);
    EXPECT_EQ(quint8(f[54 + 15]), 0);
    EXPECT_EQ(quint8(f[54 + 16 + 1]), 1);
    EXPECT_EQ(quint8(f[54 + 32 + 1]), 0);
}

TEST_F(Preview, SaveAsPictureWritesThePreviewAsShown) {
    test::TempDir dir;
    render();
    doc.outlineRegion(Region::Gorny);
    test::ScriptedPrompts prompts;
    prompts.paths = {dir.file(QStringLiteral("shot.bmp"))};
    doc.ZapiszJakoObrazekClick(prompts);
    ASSERT_EQ(prompts.dialogs.size(), 1);
    EXPECT_EQ(prompts.dialogs[0].filter, QStringLiteral("Bitmaps (*.bmp)|*.bmp"));
    EXPECT_EQ(prompts.dialogs[0].fileName, QStringLiteral("Zrzut podgladu"));
    EXPECT_EQ(prompts.dialogs[0].defaultExt, QStringLiteral("*.bmp"));
    EXPECT_TRUE(prompts.dialogs[0].confirmOverwrite);
    EXPECT_TRUE(prompts.messages.isEmpty());
    QFile file(dir.file(QStringLiteral("shot.bmp")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), 54 + 768 * 192 * 3);
    const QImage read = QImage::fromData(file.readAll(), "BMP").convertToFormat(QImage::Format_BGR888);
    EXPECT_EQ(read, preview().image());

    // Cancel: nothing. A target under a regular file: the system's message.
    test::ScriptedPrompts cancel;
    doc.ZapiszJakoObrazekClick(cancel);
    EXPECT_TRUE(cancel.messages.isEmpty());
    test::ScriptedPrompts bad;
    bad.paths = {dir.file(QStringLiteral("shot.bmp/inner.bmp"))};
    const QImage before = preview().image().copy();
    doc.ZapiszJakoObrazekClick(bad);
    ASSERT_EQ(bad.messages.size(), 1);
    EXPECT_FALSE(bad.messages[0].isEmpty());
    EXPECT_EQ(preview().image(), before);
    EXPECT_EQ(QFile(dir.file(QStringLiteral("shot.bmp"))).size(), 54 + 768 * 192 * 3);
}

TEST_F(Preview, LedTestDrawsRedTestLedAtARandomColumn) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        seedProcessRandom(seed);
        const int r = randomInt(0, 49);
        seedProcessRandom(seed);
        doc.btnTestClick();
        const QRect ink = test::inkBox(s().ImageLED, 0x000000);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_NEAR(ink.left(), r, 3) << seed;  // the left bearing of "T"
        EXPECT_EQ(ink.top() >= 0 && ink.bottom() < 32, true);
        // Red only, smoothed over black.
        for (std::uint32_t p : pixelSet(s().ImageLED)) EXPECT_EQ(p & 0xFFFF00u, 0u);
        EXPECT_GT(pixelSet(s().ImageLED).size(), 2u);
        EXPECT_TRUE(showsSurface(s().ImageLED, 0, 0, 128, 32));
    }
}

}  // namespace
}  // namespace lt
