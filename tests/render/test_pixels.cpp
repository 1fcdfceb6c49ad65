// The raw-row primitives: fills, the enlarged copy, the reduction and the
// separator lines.
#include "model/defaults.h"
#include "render/pixels.h"
#include "render_helpers.h"

#include <gtest/gtest.h>
#include <random>

namespace lt {
namespace {

using test::key;

// A source whose every pixel is distinct, so a wrong sample shows.
Bitmap patterned(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            PutPixel(b, x, y, TRGB{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7});
    return b;
}

// What a destination pixel must hold after FastCopyRegionBmp.
TRGB expected(const Bitmap& src, std::int64_t SX, std::int64_t SY, int i, int j, TRGB fill) {
    const std::int64_t sx = SX + i / 6, sy = SY + j / 6;
    if (sx < 0 || sy < 0 || sx >= src.width() || sy >= src.height()) return fill;
    return GetPixel(src, static_cast<int>(sx), static_cast<int>(sy));
}

TEST(Pixels, ClearStoresBlueGreenRedOrder) {
    Bitmap b(5, 3);
    FastClearBitmap(b, 0x0000FF);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const std::uint8_t* p = b.row(y) + 3 * x;
            EXPECT_EQ(p[0], 0);
            EXPECT_EQ(p[1], 0);
            EXPECT_EQ(p[2], 255);
        }
    FastClearBitmap(b, 0x123456);
    EXPECT_EQ(key(GetPixel(b, 4, 2)), key(TRGB{0x12, 0x34, 0x56}));
}

TEST(Pixels, EnlargedCopyBlocksCountFromTheDestinationOrigin) {
    const Bitmap src = patterned(20, 9);
    const TRGB fill = pixelOf(0x030201);
    std::mt19937 gen(7);
    struct Case {
        std::int64_t SX, SY;
        int DX, DY, W, H;
    };
    std::vector<Case> cases = {
        {0, 0, 0, 0, 768, 192},
        {0, 0, 7, 3, 100, 50},
        {-3, -2, 5, 1, 200, 80},
        {15, 5, 0, 0, 120, 60},
        {-100, 0, 0, 0, 50, 50},
        {3, 3, 761, 187, 40, 40},
        {2, 1, -10, -4, 60, 30},
        {0, 0, 0, 0, 1, 1},
        {INT32_MIN, INT32_MAX, 0, 0, 30, 30},
        {-std::int64_t{INT32_MIN}, 0, 0, 0, 30, 30},
    };
    for (int k = 0; k < 40; ++k)
        cases.push_back({std::uniform_int_distribution<int>(-30, 30)(gen),
                         std::uniform_int_distribution<int>(-12, 12)(gen),
                         std::uniform_int_distribution<int>(-20, 700)(gen),
                         std::uniform_int_distribution<int>(-20, 180)(gen),
                         std::uniform_int_distribution<int>(0, 300)(gen),
                         std::uniform_int_distribution<int>(0, 100)(gen)});
    for (const Case& c : cases) {
        Bitmap dst(768, 192);
        FastClearBitmap(dst, 0xAAAAAA);
        FastCopyRegionBmp(c.SX, c.SY, src, c.DX, c.DY, c.W, c.H, dst, 0x030201);
        int bad = 0;
        for (int y = 0; y < dst.height(); ++y)
            for (int x = 0; x < dst.width(); ++x) {
                const int i = x - c.DX, j = y - c.DY;
                const bool inside = i >= 0 && j >= 0 && i < c.W && j < c.H;
                const TRGB want = inside ? expected(src, c.SX, c.SY, i, j, fill) : TRGB{0xAA, 0xAA, 0xAA};
                bad += key(GetPixel(dst, x, y)) != key(want);
            }
        EXPECT_EQ(bad, 0) << "SX " << c.SX << " SY " << c.SY << " DX " << c.DX << " DY " << c.DY << " W "
                          << c.W << " H " << c.H;
    }
}

TEST(Pixels, EnlargedCopyWithoutFillLeavesUncoveredBlocks) {
    const Bitmap src = patterned(10, 4);
    Bitmap dst(120, 60);
    FastClearBitmap(dst, 0xAAAAAA);
    FastCopyRegion(-2, -1, src, 0, 0, 120, 60, dst);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x) {
            const int sx = -2 + x / 6, sy = -1 + y / 6;
            const bool inside = sx >= 0 && sy >= 0 && sx < 10 && sy < 4;
            const TRGB want = inside ? GetPixel(src, sx, sy) : TRGB{0xAA, 0xAA, 0xAA};
            ASSERT_EQ(key(GetPixel(dst, x, y)), key(want)) << x << "," << y;
        }
}

TEST(Pixels, EmptyCopyChangesNothing) {
    const Bitmap src = patterned(10, 4);
    Bitmap dst(60, 30);
    FastClearBitmap(dst, 0x445566);
    FastCopyRegionBmp(0, 0, src, 0, 0, 0, 30, dst, 0xFFFFFF);
    FastCopyRegionBmp(0, 0, src, 0, 0, 60, 0, dst, 0xFFFFFF);
    FastCopyRegionBmp(0, 0, src, 0, 0, -5, -5, dst, 0xFFFFFF);
    EXPECT_EQ(test::pixelSet(dst), std::set<std::uint32_t>{key(0x445566)});
}

TEST(Pixels, ReductionSamplesOffsetThreeOfEachBlock) {
    Bitmap preview(768, 192);
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 768; ++x)
            PutPixel(preview, x, y,
                     TRGB{static_cast<std::uint8_t>(x % 6), static_cast<std::uint8_t>(y % 6),
                          static_cast<std::uint8_t>((x / 6) ^ (y / 6))});
    Bitmap thumb(128, 32);
    FastResizeBmp(preview, thumb);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(key(GetPixel(thumb, x, y)), key(TRGB{3, 3, static_cast<std::uint8_t>(x ^ y)}));

    // A source too small for the thumbnail leaves the rest of it alone.
    Bitmap small(30, 12), out(128, 32);
    FastClearBitmap(small, 0x0000FF);
    FastClearBitmap(out, 0x00FF00);
    FastResizeBmp(small, out);
    EXPECT_EQ(key(GetPixel(out, 4, 1)), key(0x0000FF));
    EXPECT_EQ(key(GetPixel(out, 5, 0)), key(0x00FF00));
    EXPECT_EQ(key(GetPixel(out, 0, 2)), key(0x00FF00));
}

struct LinesCase {
    std::int32_t type;
    bool vertical;
    bool horizontal;
    int horizontalFrom;
};

class SeparatorLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(SeparatorLines, FollowTheViewTypeAtTheTrackBars) {
    const LinesCase c = GetParam();
    auto dane = std::make_unique<sDane>();
    auto s = std::make_unique<Surfaces>();
    dane->SelWidok = 1;
    dane->EditRow = 1;
    widok(*dane, 1, 1).TypWidoku = c.type;
    s->barX = 20;
    s->barY = 15;
    FastClearBitmap(s->preview, 0x000000);
    FastDrawLines(*dane, *s);
    const std::uint32_t grey = key(TRGB{155, 155, 155});
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 768; ++x) {
            const bool v = c.vertical && (x == 120 || x == 121);
            const bool h = c.horizontal && (y == 90 || y == 91) && x >= c.horizontalFrom;
            ASSERT_EQ(key(GetPixel(s->preview, x, y)) == grey, v || h) << x << "," << y;
        }
    // A bar at 0 draws no line of its own.
    s->barX = 0;
    s->barY = 0;
    FastClearBitmap(s->preview, 0x000000);
    FastDrawLines(*dane, *s);
    EXPECT_EQ(test::pixelSet(s->preview), std::set<std::uint32_t>{0});
}

INSTANTIATE_TEST_SUITE_P(ViewTypes, SeparatorLines,
                         ::testing::Values(LinesCase{vtTop, false, false, 0},
                                           LinesCase{vtTopBottom, false, true, 0},
                                           LinesCase{vtLeftTop, true, false, 0},
                                           LinesCase{vtLeftTopBottom, true, true, 120},
                                           LinesCase{9, false, false, 0}));

TEST(Pixels, SeparatorsStayOnThePreviewForAnyTrackBarValue) {
    auto dane = std::make_unique<sDane>();
    auto s = std::make_unique<Surfaces>();
    dane->SelWidok = 1;
    dane->EditRow = 1;
    widok(*dane, 1, 1).TypWidoku = vtLeftTopBottom;
    for (const auto& [bx, by] : {std::pair{INT32_MAX, INT32_MAX}, std::pair{INT32_MIN, INT32_MIN},
                                 std::pair{127, 31}, std::pair{500, -3}}) {
        s->barX = bx;
        s->barY = by;
        FastDrawLines(*dane, *s);  // must not write outside the preview
    }
    s->barX = 127;
    s->barY = 31;
    FastClearBitmap(s->preview, 0);
    FastDrawLines(*dane, *s);
    EXPECT_EQ(key(GetPixel(s->preview, 763, 0)), key(TRGB{155, 155, 155}));
    EXPECT_EQ(key(GetPixel(s->preview, 767, 187)), key(TRGB{155, 155, 155}));
    EXPECT_EQ(key(GetPixel(s->preview, 767, 188)), 0u);
}

}  // namespace
}  // namespace lt
