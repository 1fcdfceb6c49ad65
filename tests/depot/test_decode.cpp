// Composing one screen of a display image from its own bytes.
#include "depot/decode.h"
#include "display/flash.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace lt {
namespace {

std::uint32_t rgbAt(const Bitmap& b, int x, int y) {
    const std::uint8_t* p = b.row(y) + 3 * x;
    return (static_cast<std::uint32_t>(p[2]) << 16) | (p[1] << 8) | p[0];
}

template <int T, int E>
void setBit(sRegionGray<T, E>& g, int width, int x, int y) {
    g.ekran[y * (width / 8) + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
}

TEST(Decode, RegionsLandInTheirWindowsInTheirColours) {
    auto f = std::make_unique<sflash>();
    std::memset(f.get(), 0, sizeof(sflash));
    sscreengray& s = screen(*f, 2, 5);
    s.use = 1;
    s.widok.TypWidoku = vtLeftTopBottom;
    s.widok.BarX = 40;
    s.widok.BarY = 21;
    auto& g = s.widok.gorny;
    auto& d = s.widok.dolny;
    auto& l = s.widok.lewy;
    g.FontColor = ciRed, g.BackColor = ciBlack;
    d.FontColor = ciYellow, d.BackColor = ciBlue;
    l.FontColor = ciGreen, l.BackColor = ciWhite;
    setBit(g, 512, 0, 0);     // face (40, 0)
    setBit(g, 512, 87, 20);   // face (127, 20)
    setBit(g, 512, 88, 0);    // beyond the window: not shown
    setBit(g, 512, 0, 21);    // below the window: not shown
    setBit(d, 2048, 0, 0);    // face (40, 21)
    setBit(d, 2048, 87, 10);  // face (127, 31)
    setBit(l, 64, 39, 31);    // face (39, 31)
    setBit(l, 64, 40, 0);     // beyond the left window
    const Bitmap face = DecodeScreen(*f, 2, 5);
    ASSERT_EQ(face.width(), 128);
    ASSERT_EQ(face.height(), 32);
    EXPECT_EQ(rgbAt(face, 40, 0), 0xFF0000u);
    EXPECT_EQ(rgbAt(face, 127, 20), 0xFF0000u);
    EXPECT_EQ(rgbAt(face, 41, 0), 0x000000u);
    EXPECT_EQ(rgbAt(face, 40, 21), 0xFFFF00u);
    EXPECT_EQ(rgbAt(face, 127, 31), 0xFFFF00u);
    EXPECT_EQ(rgbAt(face, 41, 21), 0x0000FFu);
    EXPECT_EQ(rgbAt(face, 39, 31), 0x00FF00u);
    EXPECT_EQ(rgbAt(face, 0, 0), 0xFFFFFFu);
    int red = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 128; ++x) red += rgbAt(face, x, y) == 0xFF0000u;
    EXPECT_EQ(red, 2);

    // Type 0: the top picture fills the face; 4x enlarged keeps the blocks.
    s.widok.TypWidoku = vtTop;
    const Bitmap top = DecodeScreen(*f, 2, 5);
    EXPECT_EQ(rgbAt(top, 0, 0), 0xFF0000u);
    EXPECT_EQ(rgbAt(top, 0, 21), 0xFF0000u);
    EXPECT_EQ(rgbAt(top, 88, 0), 0xFF0000u);
    const Bitmap big = enlargeBitmap(top, 6);
    EXPECT_EQ(big.width(), 768);
    EXPECT_EQ(rgbAt(big, 5, 5), 0xFF0000u);
    EXPECT_EQ(rgbAt(big, 6, 5), 0x000000u);
}

TEST(Decode, EnlargedFaceRepeatsEveryPixelAsABlock) {
    Bitmap face(SignWidth, SignHeight);
    for (int y = 0; y < SignHeight; ++y)
        for (int x = 0; x < SignWidth; ++x) {
            std::uint8_t* p = face.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x ^ y);
        }
    for (const int factor : {1, 2, 3, 16}) {
        SCOPED_TRACE(factor);
        const Bitmap big = enlargeBitmap(face, factor);
        ASSERT_EQ(big.width(), SignWidth * factor);
        ASSERT_EQ(big.height(), SignHeight * factor);
        int wrong = 0;
        for (int y = 0; y < big.height(); ++y)
            for (int x = 0; x < big.width(); ++x)
                wrong += std::memcmp(big.row(y) + 3 * x, face.row(y / factor) + 3 * (x / factor), 3) != 0;
        EXPECT_EQ(wrong, 0);
    }
}

TEST(Decode, BottomWindowBeyondTwentyRowsShowsBackground) {
    auto f = std::make_unique<sflash>();
    std::memset(f.get(), 0xFF, sizeof(sflash));  // every picture bit set
    sscreengray& s = screen(*f, 1, 1);
    s.widok.TypWidoku = vtTopBottom;
    s.widok.BarY = 4;  // a 28-row bottom window from a foreign image
    s.widok.dolny.FontColor = ciCyan;
    s.widok.dolny.BackColor = ciMagenta;
    s.widok.gorny.FontColor = ciWhite;
    const Bitmap face = DecodeScreen(*f, 1, 1);
    EXPECT_EQ(rgbAt(face, 0, 3), 0xFFFFFFu);
    EXPECT_EQ(rgbAt(face, 0, 4), 0x00FFFFu);
    EXPECT_EQ(rgbAt(face, 0, 23), 0x00FFFFu);
    EXPECT_EQ(rgbAt(face, 0, 24), 0xFF00FFu);
    EXPECT_EQ(rgbAt(face, 127, 31), 0xFF00FFu);
}

TEST(Decode, ForeignImagesNeverLeadOutside) {
    auto f = std::make_unique<sflash>();
    std::mt19937 gen(12345);
    auto* raw = reinterpret_cast<std::uint8_t*>(f.get());
    for (int i = 0; i < FlashSize; ++i) raw[i] = static_cast<std::uint8_t>(gen());
    // Extremes of every layout value on a few screens, random bytes elsewhere.
    const std::uint16_t extremes[] = {0, 1, 3, 4, 63, 64, 65, 127, 128, 129, 0x7FFF, 0xFFFF};
    int n = 0;
    for (std::uint16_t t : extremes)
        for (std::uint16_t b : extremes) {
            sscreengray& s = screen(*f, 1 + n % 3, 1 + n % 300);
            ++n;
            s.widok.TypWidoku = t;
            s.widok.BarX = b;
            s.widok.BarY = static_cast<std::uint16_t>(b ^ t);
            const Bitmap face = DecodeScreen(*f, 1 + (n - 1) % 3, 1 + (n - 1) % 300);
            ASSERT_EQ(face.width(), 128);
        }
    for (int l = 1; l <= 3; ++l)
        for (int v = 1; v <= 300; ++v) ASSERT_EQ(DecodeScreen(*f, l, v).height(), 32);
    const ScreenLayout lay = screenLayout(screen(*f, 1, 1).widok);
    EXPECT_LE(lay.typ, 3);
    // Texts without a terminator stop at their field's end.
    std::memset(screen(*f, 1, 1).name, 'A', sizeof screen(*f, 1, 1).name);
    EXPECT_EQ(AnsiCharToString(screen(*f, 1, 1).name).size(), 128);
}

}  // namespace
}  // namespace lt
