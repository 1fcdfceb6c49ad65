#include "editor/document.h"
#include "model/defaults.h"

#include <cstring>
#include <gtest/gtest.h>

namespace lt {
namespace {

TEST(Defaults, EveryViewHoldsARenderableDestination) {
    Document doc;
    NewDane(doc.dane());
    const sDane& d = doc.dane();
    EXPECT_EQ(d.Version, 12545);
    EXPECT_EQ(ReadText(d.ProjName), QStringLiteral("Display project"));
    EXPECT_TRUE(ReadText(d.Info).startsWith(QStringLiteral("File from Velmora Vista version 1.01. ")));
    EXPECT_EQ(d.FileName[0], 0);
    EXPECT_EQ(d.EditRow, 1);
    EXPECT_EQ(d.SelectRow, 1);
    EXPECT_EQ(d.SelWidok, 1);
    EXPECT_EQ(ReadText(d.Lang[0].Nazwa), QStringLiteral("English"));
    EXPECT_TRUE(isTrue(d.Lang[0].Use));
    for (int l = 1; l < 3; ++l) {
        EXPECT_EQ(ReadText(d.Lang[l].Nazwa), QStringLiteral("Not set"));
        EXPECT_FALSE(isTrue(d.Lang[l].Use));
    }
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(d.IP), 4), QByteArray("\xC0\xA8\x0A\x32", 4));
    EXPECT_STREQ(reinterpret_cast<const char*>(d.host), "KORVO");

    const sWidok& w = widok(d, 3, 300);
    EXPECT_EQ(ReadText(w.NazwaKursu), QStringLiteral("Destination #300"));
    EXPECT_EQ(ReadText(w.Gorny.Text), QStringLiteral("Top300"));
    EXPECT_EQ(ReadText(w.Dolny.Text), QStringLiteral("Bottom 300"));
    EXPECT_EQ(ReadText(w.Lewy.Text), QStringLiteral("T300"));
    EXPECT_EQ(ReadText(widok(d, 2, 7).Dolny.Text), QStringLiteral("Bottom 7"));
    EXPECT_EQ(w.BarX, 40);
    EXPECT_EQ(w.BarY, 21);
    EXPECT_EQ(w.TypWidoku, vtLeftTopBottom);

    struct Expect {
        const sScreenImage& r;
        const char* font;
        int size, x, y, fc, bc;
    } regions[] = {{w.Gorny, "Arial Narrow", 16, 0, -4, ciWhite, ciBlack},
                   {w.Dolny, "Arial", 8, 1, -2, ciYellow, ciBlue},
                   {w.Lewy, "Arial", 24, 0, 0, ciGreen, ciBlack}};
    for (const Expect& e : regions) {
        EXPECT_EQ(ReadText(e.r.FontName), QLatin1String(e.font));
        EXPECT_EQ(e.r.FontSize, e.size);
        EXPECT_EQ(e.r.X, e.x);
        EXPECT_EQ(e.r.Y, e.y);
        EXPECT_EQ(e.r.FontColor, e.fc);
        EXPECT_EQ(e.r.BackColor, e.bc);
        EXPECT_EQ(e.r.Direction, 1);
        EXPECT_EQ(e.r.Ruch, mvNone);
        EXPECT_EQ(e.r.Styl, styNone);
        EXPECT_FALSE(isTrue(e.r.Alias));
        EXPECT_FALSE(isTrue(e.r.Timer));
    }
    for (int l = 1; l <= 3; ++l)
        for (int v = 1; v <= 300; ++v) {
            ASSERT_FALSE(isTrue(widok(d, l, v).use));
            ASSERT_EQ(widok(d, l, v).Time, 0);
        }
}

TEST(Defaults, NewDaneLeavesTheHardwareChoicesAlone) {
    Document doc;
    sDane& d = doc.dane();
    d.SelectCol = 3;
    d.EditCol = 2;
    d.LCDLevel = 9;
    d.LCDType = 4;
    d.ModuleType = 2;
    d.ModuleNr = 5;
    d.pbufX[1][1024].r = 0x42;
    NewDane(d);
    EXPECT_EQ(d.SelectCol, 3);
    EXPECT_EQ(d.EditCol, 2);
    EXPECT_EQ(d.LCDLevel, 9);
    EXPECT_EQ(d.LCDType, 4);
    EXPECT_EQ(d.ModuleType, 2);
    EXPECT_EQ(d.ModuleNr, 5);
    EXPECT_EQ(d.pbufX[1][1024].r, 0x42);
}

TEST(Defaults, MacKeepsItsFixedBytesAndContinuesTheSequence) {
    Document doc;
    seedProcessRandom(1234);
    NewDane(doc.dane());
    const QByteArray first(reinterpret_cast<const char*>(doc.dane().MAC), 6);
    NewDane(doc.dane());
    const QByteArray second(reinterpret_cast<const char*>(doc.dane().MAC), 6);
    EXPECT_EQ(first.left(3), QByteArray("\x00\x3F\x00", 3));
    EXPECT_EQ(second.left(3), QByteArray("\x00\x3F\x00", 3));

    // The random bytes are the next draws of one sequence over 0..254.
    seedProcessRandom(1234);
    QByteArray expected;
    for (int i = 0; i < 6; ++i) expected.append(static_cast<char>(randomInt(0, 254)));
    EXPECT_EQ(first.mid(3) + second.mid(3), expected);

    bool sawHigh = false;
    for (int i = 0; i < 20000; ++i) {
        const int b = randomInt(0, 254);
        ASSERT_GE(b, 0);
        ASSERT_LE(b, 254);
        sawHigh |= b == 254;
    }
    EXPECT_TRUE(sawHigh);
}

TEST(Defaults, FirmwareBlockIsBuiltInAtItsFixedSize) {
    const QByteArray fw = builtinFirmware();
    ASSERT_EQ(fw.size(), FirmwareSize);
    EXPECT_TRUE(fw.startsWith("VLT-CTRL"));
    EXPECT_EQ(builtinFonts().size(), 393288);

    Document doc;
    std::memset(doc.dane().firmware, 0x11, sizeof doc.dane().firmware);
    NewDane(doc.dane());
    EXPECT_EQ(std::memcmp(doc.dane().firmware, fw.constData(), FirmwareSize), 0);
}

TEST(Defaults, NewRecordResetsOnlyTheRegions) {
    Document doc;
    NewDane(doc.dane());
    sWidok& w = widok(doc.dane(), 2, 17);
    StringToWideChar(QStringLiteral("Airport"), w.NazwaKursu);
    w.TypWidoku = vtTop;
    w.BarX = 20;
    w.BarY = 13;
    w.Time = 42;
    w.use = 1;
    StringToWideChar(QStringLiteral("changed"), w.Gorny.Text);
    w.Lewy.FontSize = 9;
    w.Dolny.BackColor = ciRed;
    w.Gorny.Ruch = mvBounce;
    NewRecord(doc.dane(), 2, 17);
    EXPECT_EQ(ReadText(w.NazwaKursu), QStringLiteral("Airport"));
    EXPECT_EQ(w.TypWidoku, vtTop);
    EXPECT_EQ(w.BarX, 20);
    EXPECT_EQ(w.BarY, 13);
    EXPECT_EQ(w.Time, 42);
    EXPECT_TRUE(isTrue(w.use));
    EXPECT_EQ(ReadText(w.Gorny.Text), QStringLiteral("Top17"));
    EXPECT_EQ(w.Lewy.FontSize, 24);
    EXPECT_EQ(w.Dolny.BackColor, ciBlue);
    EXPECT_EQ(w.Gorny.Ruch, mvNone);
}

}  // namespace
}  // namespace lt
