// Colour indices of the sign and the one-bit packing of region surfaces.
#include "display/colour.h"
#include "model/defaults.h"
#include "render/pixels.h"
#include "render/text.h"
#include "render_helpers.h"

#include <gtest/gtest.h>
#include <vector>

namespace lt {
namespace {

TEST(ColourIndex, ThresholdsAndTheIndexTable) {
    struct Case {
        std::uint8_t r, g, b, index;
    } cases[] = {
        {129, 0, 0, 1},     {128, 255, 255, 5}, {255, 0, 255, 6}, {0, 0, 200, 3},   {200, 200, 0, 4},
        {128, 128, 128, 0}, {129, 129, 129, 7}, {0, 129, 0, 2},   {140, 200, 60, 4}};  // an anti-aliased
                                                                                       // pixel (60, 200, 140)
                                                                                       // in blue, green, red
                                                                                       // order
    for (const Case& c : cases)
        EXPECT_EQ(EncodeColor(c.r, c.g, c.b), c.index) << int(c.r) << "," << int(c.g) << "," << int(c.b);

    std::uint8_t r, g, b;
    DecodeColor(5, r, g, b);
    EXPECT_EQ((std::array{r, g, b}), (std::array<std::uint8_t, 3>{0, 255, 255}));
    DecodeColor(6, r, g, b);
    EXPECT_EQ((std::array{r, g, b}), (std::array<std::uint8_t, 3>{255, 0, 255}));
    DecodeColor(8, r, g, b);
    EXPECT_EQ((std::array{r, g, b}), (std::array<std::uint8_t, 3>{0, 0, 0}));
    for (std::uint8_t i = 0; i < 8; ++i) {
        DecodeColor(i, r, g, b);
        EXPECT_EQ(EncodeColor(r, g, b), i);
        const TRGB p = pixelOf(Int2Color(i));
        EXPECT_EQ(EncodeColor(p.r, p.g, p.b), i);
    }
}

// A buffer with guard bytes after the packed picture.
struct Packed {
    std::vector<std::uint8_t> bytes;
    int size;
    explicit Packed(int n) : bytes(n + 16, 0xA5), size(n) {}
    bool guardIntact() const {
        return std::all_of(bytes.begin() + size, bytes.end(), [](std::uint8_t b) { return b == 0xA5; });
    }
};

TEST(Packing, BitOrderRowSizesAndExactByteCounts) {
    // The first eight pixels font, back, font, font, back, back, back, back: 0xB0.
    Bitmap b(512, 32);
    FastClearBitmap(b, Int2Color(ciBlue));
    for (int x : {0, 2, 3}) PutPixel(b, x, 0, pixelOf(Int2Color(ciYellow)));
    PutPixel(b, 0, 1, pixelOf(Int2Color(ciYellow)));
    Packed top(2048);
    FastDimBitmapToScreen(b, top.bytes.data(), 512, 32, ciYellow, ciBlue);
    EXPECT_TRUE(top.guardIntact());
    EXPECT_EQ(top.bytes[0], 0xB0);
    EXPECT_EQ(top.bytes[1], 0x00);
    EXPECT_EQ(top.bytes[64], 0x80);  // row 1, column 0: bit 7 of byte 64
    EXPECT_EQ(std::count(top.bytes.begin(), top.bytes.begin() + 2048, 0), 2046);

    // The three region sizes of a screen.
    Bitmap left(64, 32), bottom(2048, 32);
    Packed l(256), d(5120);
    FastDimBitmapToScreen(left, l.bytes.data(), 64, 32, ciWhite, ciBlack);
    FastDimBitmapToScreen(bottom, d.bytes.data(), 2048, 20, ciWhite, ciBlack);
    EXPECT_TRUE(l.guardIntact());
    EXPECT_TRUE(d.guardIntact());

    // w = 12: one byte per row, columns 8..11 ignored. w = 7 or h = 0: nothing.
    Bitmap n(12, 2);
    FastClearBitmap(n, Int2Color(ciRed));
    Packed twelve(2), seven(0), none(0);
    FastDimBitmapToScreen(n, twelve.bytes.data(), 12, 2, ciRed, ciBlack);
    EXPECT_TRUE(twelve.guardIntact());
    EXPECT_EQ(twelve.bytes[0], 0xFF);
    EXPECT_EQ(twelve.bytes[1], 0xFF);
    FastDimBitmapToScreen(n, seven.bytes.data(), 7, 2, ciRed, ciBlack);
    FastDimBitmapToScreen(n, none.bytes.data(), 12, 0, ciRed, ciBlack);
    EXPECT_TRUE(seven.guardIntact());
    EXPECT_TRUE(none.guardIntact());

    // Background only packs to zeros; font colour equal to the background to 0xFF.
    Packed zeros(256), ones(256);
    FastClearBitmap(left, Int2Color(ciGreen));
    FastDimBitmapToScreen(left, zeros.bytes.data(), 64, 32, ciRed, ciGreen);
    FastDimBitmapToScreen(left, ones.bytes.data(), 64, 32, ciGreen, ciGreen);
    EXPECT_EQ(std::count(zeros.bytes.begin(), zeros.bytes.begin() + 256, 0), 256);
    EXPECT_EQ(std::count(ones.bytes.begin(), ones.bytes.begin() + 256, 0xFF), 256);

    // Sizes beyond the bitmap: the byte count stays exact, nothing is read outside.
    Bitmap small(10, 3);
    FastClearBitmap(small, Int2Color(ciWhite));
    Packed wide(4 * 5);
    FastDimBitmapToScreen(small, wide.bytes.data(), 32, 5, ciWhite, ciBlack);
    EXPECT_TRUE(wide.guardIntact());
    EXPECT_EQ(wide.bytes[0], 0xFF);
    EXPECT_EQ(wide.bytes[1], 0xC0);
    EXPECT_EQ(wide.bytes[2], 0x00);
    EXPECT_EQ(wide.bytes[4 * 3], 0x00);
}

TEST(Packing, UnpackingAMonochromeRenderingReproducesIt) {
    auto dane = std::make_unique<sDane>();
    auto s = std::make_unique<Surfaces>();
    NewDane(*dane);
    dane->SelWidok = 1;
    dane->EditRow = 1;
    sScreenImage& r = editedView(*dane).Dolny;
    r.FontColor = ciMagenta;
    r.BackColor = ciCyan;
    RenderDolny(*dane, *s);
    Bitmap rendered(2048, 32);
    rendered.image() = s->iDolny.image().copy();
    std::vector<std::uint8_t> buf(2048 / 8 * 20);
    FastDimBitmapToScreen(s->iDolny, buf.data(), 2048, 20, ciMagenta, ciCyan);
    FastClearBitmap(s->iDolny, 0);
    FastDimScreenToBitmap(buf.data(), s->iDolny, 2048, 20, ciMagenta, ciCyan);
    EXPECT_EQ(s->iDolny.image().copy(0, 0, 2048, 20), rendered.image().copy(0, 0, 2048, 20));
    EXPECT_EQ(test::pixelSet(s->iDolny, QRect(0, 20, 2048, 12)), std::set<std::uint32_t>{0});

    // Unpacking paints whole bytes: w = 12 paints 8 columns.
    Bitmap n(16, 1);
    const std::uint8_t one[1] = {0x81};
    FastDimScreenToBitmap(one, n, 12, 1, ciRed, ciBlue);
    EXPECT_EQ(test::key(GetPixel(n, 0, 0)), test::key(Int2Color(ciRed)));
    EXPECT_EQ(test::key(GetPixel(n, 1, 0)), test::key(Int2Color(ciBlue)));
    EXPECT_EQ(test::key(GetPixel(n, 7, 0)), test::key(Int2Color(ciRed)));
    EXPECT_EQ(test::key(GetPixel(n, 8, 0)), 0u);
}

}  // namespace
}  // namespace lt
