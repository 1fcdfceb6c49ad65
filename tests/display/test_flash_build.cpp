// Building the display image from the project.
#include "display/flash.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "editor/pendrive.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace lt {
namespace {

template <std::size_t N>
bool allBytes(const std::uint8_t (&a)[N], std::uint8_t v) {
    return std::all_of(a, a + N, [v](std::uint8_t b) { return b == v; });
}

constexpr std::uint8_t Old = 0xA5;  // what the image held before the build

class FlashBuild : public ::testing::Test {
protected:
    void SetUp() override {
        doc.newDane();
        doc.RenderBitmapsSG();
    }
    Document doc;
};

TEST_F(FlashBuild, HeaderOfAFreshBuild) {
    EncodeKorvo2Flash(doc);
    const sflash& f = doc.flash();
    const std::uint8_t header[10] = {1, 100, 0, 0, 0, 128, 32, 2, 0, 0};
    EXPECT_EQ(std::memcmp(&f, header, sizeof header), 0);
    EXPECT_EQ(std::memcmp(f.IP, doc.dane().IP, 4), 0);
    EXPECT_EQ(std::memcmp(f.MAC, doc.dane().MAC, 6), 0);
    EXPECT_EQ(std::memcmp(f.host, doc.dane().host, 24), 0);
    EXPECT_EQ(std::memcmp(f.firmware, doc.dane().firmware, sizeof f.firmware), 0);
    EXPECT_STREQ(f.Lang[0].Nazwa, "English");
    EXPECT_EQ(f.Lang[0].Use, 1);
    EXPECT_STREQ(f.Lang[2].Nazwa, "Not set");
    EXPECT_EQ(f.Lang[2].Use, 0);
    EXPECT_EQ(f.ModuleNr, 0);
    // A fresh process: everything the build never writes is zero.
    EXPECT_TRUE(allBytes(f.wyrownanie, 0));
    EXPECT_TRUE(allBytes(f.EEPROM, 0));
    EXPECT_TRUE(allBytes(f.fill, 0));
}

TEST_F(FlashBuild, HeaderFollowsTheProject) {
    sDane& d = doc.dane();
    d.ModuleNr = 5;
    d.ModuleType = 2;
    d.LCDType = 3;
    d.LCDLevel = 9;  // the image's LCDLevel stays 0
    d.Version = 0x1234;
    StringToWideChar(QStringLiteral("Polski język"), d.Lang[1].Nazwa);
    d.Lang[1].Use = 1;
    EncodeKorvo2Flash(doc);
    const sflash& f = doc.flash();
    EXPECT_EQ(f.version, 0x34);
    EXPECT_EQ(f.ModuleNr, 5);
    EXPECT_EQ(f.ModuleType, 2);
    EXPECT_EQ(f.LCDType, 3);
    EXPECT_EQ(f.LCDLevel, 0);
    EXPECT_EQ(QByteArray(f.Lang[1].Nazwa), QByteArray("Polski j\x03zyk"));
    EXPECT_EQ(f.Lang[1].Use, 1);
}

TEST_F(FlashBuild, EveryScreenCarriesItsSettings) {
    sDane& d = doc.dane();
    sWidok& w = widok(d, 3, 250);
    w.Time = 0x12345;
    w.TypWidoku = vtTopBottom;
    w.BarX = 17;
    w.BarY = 13;
    w.Gorny.Alias = 1;
    w.Gorny.Direction = -1;
    w.Gorny.Ruch = mvBounce;
    w.Gorny.Speed = 77;
    w.Dolny.X = -5;
    w.Lewy.Styl = styItalicBold;
    StringToWideChar(QStringLiteral("Łódź Kaliska"), w.NazwaKursu);
    EncodeKorvo2Flash(doc);

    const sscreengray& s = screen(doc.flash(), 3, 250);
    EXPECT_EQ(s.use, 0);
    EXPECT_EQ(s.sizeX, 128);
    EXPECT_EQ(s.sizeY, 32);
    EXPECT_EQ(s.time, 0x2345);
    EXPECT_EQ(s.widok.TypWidoku, vtTopBottom);
    EXPECT_EQ(s.widok.BarX, 17);
    EXPECT_EQ(s.widok.BarY, 13);
    EXPECT_EQ(QByteArray(s.name), QByteArray("L\x06"
                                             "d\x08 Kaliska"));
    EXPECT_STREQ(s.widok.gorny.Text, "Top250");
    EXPECT_STREQ(s.widok.gorny.FontName, "Arial Narrow");
    EXPECT_EQ(s.widok.gorny.Alias, 1);
    EXPECT_EQ(s.widok.gorny.Direction, -1);
    EXPECT_EQ(s.widok.gorny.Ruch, mvBounce);
    EXPECT_EQ(s.widok.gorny.Speed, 77);
    EXPECT_EQ(s.widok.gorny.FontSize, 16);
    EXPECT_EQ(s.widok.gorny.Y, -4);
    EXPECT_EQ(s.widok.gorny.FontColor, ciWhite);
    // The image orders the regions top, left, bottom; the project top, bottom, left.
    EXPECT_STREQ(s.widok.lewy.Text, "T250");
    EXPECT_EQ(s.widok.lewy.Styl, styItalicBold);
    EXPECT_EQ(s.widok.lewy.FontColor, ciGreen);
    EXPECT_STREQ(s.widok.dolny.Text, "Bottom 250");
    EXPECT_EQ(s.widok.dolny.X, -5);
    EXPECT_EQ(s.widok.dolny.FontColor, ciYellow);
    EXPECT_EQ(s.widok.dolny.BackColor, ciBlue);
    EXPECT_EQ(s.widok.dolny.TextWidth, w.Dolny.TextWidth);
}

TEST_F(FlashBuild, OnlyTheViewInUseGetsPictures) {
    std::memset(&doc.flash(), Old, sizeof(sflash));
    widok(doc.dane(), 1, 1).use = 1;
    widok(doc.dane(), 1, 1).Time = 5;
    doc.dane().SelWidok = 2;
    doc.dane().EditRow = 77;
    EncodeKorvo2Flash(doc);
    const sflash& f = doc.flash();
    EXPECT_EQ(doc.dane().SelWidok, 2);
    EXPECT_EQ(doc.dane().EditRow, 77);

    const sscreengray& s = screen(f, 1, 1);
    EXPECT_EQ(s.use, 1);
    EXPECT_EQ(s.time, 5);
    EXPECT_FALSE(allBytes(s.widok.gorny.ekran, Old));
    EXPECT_FALSE(allBytes(s.widok.lewy.ekran, Old));
    EXPECT_FALSE(allBytes(s.widok.dolny.ekran, Old));
    int inUse = 0;
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) {
            const sscreengray& o = screen(f, l, v);
            inUse += o.use != 0;
            EXPECT_EQ(o.widok.pad[0], Old);
            EXPECT_EQ(o.widok.gorny.sign, static_cast<std::int32_t>(0xA5A5A5A5));
            EXPECT_EQ(o.widok.dolny.sign, static_cast<std::int32_t>(0xA5A5A5A5));
            if (l == 1 && v == 1) continue;
            EXPECT_EQ(o.sizeX, 128);  // settings of every screen are written
            ASSERT_TRUE(allBytes(o.widok.gorny.ekran, Old)) << l << "/" << v;
            ASSERT_TRUE(allBytes(o.widok.lewy.ekran, Old)) << l << "/" << v;
            ASSERT_TRUE(allBytes(o.widok.dolny.ekran, Old)) << l << "/" << v;
        }
    EXPECT_EQ(inUse, 1);
    EXPECT_TRUE(allBytes(f.wyrownanie, Old));
    EXPECT_TRUE(allBytes(f.EEPROM, Old));
    EXPECT_TRUE(allBytes(f.fill, Old));
    // Bytes after a text's terminator keep their content.
    EXPECT_EQ(static_cast<std::uint8_t>(s.name[std::strlen("Destination #1") + 1]), Old);
}

TEST_F(FlashBuild, ForeignValuesAreCopiedWithoutHarm) {
    // Out-of-range settings of a foreign project are encoded as they are.
    sWidok& w = widok(doc.dane(), 2, 3);
    w.use = 7;
    w.TypWidoku = 9;
    w.Gorny.FontColor = 300;
    w.Gorny.BackColor = -1;
    doc.dane().SelWidok = 2;
    doc.dane().EditRow = 3;
    for (auto& u : w.Gorny.Text) u = u'Ż';  // no terminator at all
    EncodeKorvo2Flash(doc);
    const sscreengray& s = screen(doc.flash(), 2, 3);
    EXPECT_EQ(s.use, 7);
    EXPECT_EQ(s.widok.TypWidoku, 9);
    EXPECT_EQ(std::string(s.widok.gorny.Text), std::string(63, 'Z'));
    EXPECT_EQ(s.widok.gorny.FontColor, 300);
}

}  // namespace
}  // namespace lt
