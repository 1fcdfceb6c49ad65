// The comparison of two display images and the diff command.
#include "depot/imagediff.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

using test::runCli;
using test::TempDir;

std::unique_ptr<sflash> zeroImage() {
    auto f = std::make_unique<sflash>();
    std::memset(static_cast<void*>(f.get()), 0, sizeof(sflash));
    return f;
}

void writeImage(const QString& path, const sflash& f) {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_EQ(out.write(reinterpret_cast<const char*>(&f), sizeof f), qint64(sizeof f));
}

TEST(ImageDiff, IdenticalImagesAndOneChangedScreenNamedExactly) {
    auto a = zeroImage();
    auto b = zeroImage();
    EXPECT_TRUE(diffImages(*a, *b).identical());

    sscreengray& s = screen(*b, 2, 17);
    s.time = 9;
    s.widok.gorny.FontColor = ciRed;
    std::memcpy(s.name, "\x4C\x06\x64\x08", 5);  // Łódź as the image stores it
    s.widok.dolny.ekran[256 * 3 + 10] = 0x81;    // bottom row 3, columns 80 and 87
    s.widok.dolny.ekran[256 * 5 + 11] = 0x10;    // bottom row 5, column 91
    const ImageDiff d = diffImages(*a, *b);
    ASSERT_FALSE(d.identical());
    EXPECT_TRUE(d.header.isEmpty());
    ASSERT_EQ(d.screens.size(), 1);
    const ScreenChange& c = d.screens[0];
    EXPECT_EQ(c.lang, 2);
    EXPECT_EQ(c.view, 17);
    ASSERT_EQ(c.settings.size(), 2);
    EXPECT_EQ(c.settings[0].field, "time");
    EXPECT_EQ(c.settings[0].after, "9");
    EXPECT_EQ(c.settings[1].field, "top font colour");
    EXPECT_EQ(c.settings[1].after, "1 (red)");
    ASSERT_EQ(c.texts.size(), 1);
    EXPECT_EQ(c.texts[0].field, "name");
    EXPECT_EQ(c.texts[0].after, QString::fromUtf8("\"Lódź/ż\""));
    ASSERT_EQ(c.pictures.size(), 1);
    const PictureChange& p = c.pictures[0];
    EXPECT_EQ(p.region, "bottom");
    EXPECT_EQ(p.bytes, 2);
    EXPECT_EQ(p.pixels, 3);
    EXPECT_EQ(p.left, 80);
    EXPECT_EQ(p.right, 91);
    EXPECT_EQ(p.top, 3);
    EXPECT_EQ(p.bottom, 5);
    EXPECT_FALSE(p.shown);  // view type 0 shows the top region only
    const QStringList lines = diffLines(d);
    EXPECT_TRUE(lines.contains("screen 2/17 settings: time: 0 -> 9"));
    EXPECT_TRUE(
        lines.contains("screen 2/17 pictures: bottom: 2 bytes, 3 pixels differ (columns 80..91, rows 3..5)"));
}

TEST(ImageDiff, HeaderFieldByField) {
    auto a = zeroImage();
    auto b = zeroImage();
    b->ModuleNr = 3;
    b->IP[0] = 192;
    std::memcpy(b->Lang[1].Nazwa, "Hindi", 6);
    b->firmware[100] = 1;
    b->firmware[200] = 2;
    b->EEPROM[0] = 7;
    const ImageDiff d = diffImages(*a, *b);
    EXPECT_TRUE(d.screens.isEmpty());
    const QStringList lines = diffLines(d);
    EXPECT_EQ(lines,
              (QStringList{"header: IP: 0.0.0.0 -> 192.0.0.0", "header: language 2 name: \"\" -> \"Hindi\"",
                           "header: ModuleNr: 0 -> 3", "header: EEPROM: 1 of 4096 bytes differ",
                           "header: firmware: 2 of 196608 bytes differ"}));
}

TEST(ImageDiff, EveryByteOfTheImageCounts) {
    // Bytes after a text's end and in fillers and padding are reported too,
    // so "identical" means equal bytes.
    auto a = zeroImage();
    auto b = zeroImage();
    auto* bytes = reinterpret_cast<unsigned char*>(b.get());
    const std::size_t s = screenOffset(3, 300);
    const std::size_t offsets[] = {0,
                                   9,
                                   20,
                                   43,
                                   44,
                                   139,
                                   140,
                                   141,
                                   4095,
                                   4096,
                                   8191,
                                   8192,
                                   204799,
                                   204800,
                                   204806,
                                   204814,
                                   s + 8131,
                                   s + 8004 + 127,
                                   s + 16 + 52 + 63,
                                   7523600,
                                   FlashSize - 1};
    for (const std::size_t o : offsets) {
        bytes[o] = 0x5A;
        EXPECT_FALSE(diffImages(*a, *b).identical()) << o;
        bytes[o] = 0;
    }
    for (std::size_t o = 204800; o < 204800 + 8132; o += 23) {
        bytes[o] = 0x01;
        const ImageDiff d = diffImages(*a, *b);
        ASSERT_EQ(d.screens.size(), 1) << o;
        EXPECT_EQ(d.screens[0].settings.size() + d.screens[0].texts.size() + d.screens[0].pictures.size(), 1u)
            << o;
        bytes[o] = 0;
    }
    // A changed byte after the zero of a text does not show as a changed text.
    std::memcpy(screen(*a, 1, 1).name, "Ab\0x", 4);
    std::memcpy(screen(*b, 1, 1).name, "Ab\0y", 4);
    const ImageDiff d = diffImages(*a, *b);
    ASSERT_EQ(d.screens.size(), 1);
    EXPECT_EQ(diffLines(d),
              QStringList{"screen 1/1 texts: name (bytes after the text): 1 of 128 bytes differ"});
}

TEST(ImageDiffCli, ExitStatusAndJson) {
    TempDir dir;
    auto a = zeroImage();
    writeImage(dir.file("a.bin"), *a);
    writeImage(dir.file("same.bin"), *a);
    screen(*a, 1, 5).widok.gorny.ekran[0] = 0x80;
    writeImage(dir.file("b.bin"), *a);
    QFile shortFile(dir.file("short.bin"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write("abc");
    shortFile.close();

    const auto same = runCli({"diff", dir.file("a.bin"), dir.file("same.bin")});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_TRUE(same.out.contains("identical"));

    const auto differ = runCli({"diff", dir.file("a.bin"), dir.file("b.bin")});
    EXPECT_EQ(differ.exitCode, 1);
    EXPECT_TRUE(
        differ.out.contains("screen 1/5 pictures: top: 1 bytes, 1 pixels differ (columns 0..0, rows 0..0)"))
        << differ.out.toStdString();

    const auto json = runCli({"diff", "--json", dir.file("a.bin"), dir.file("b.bin")});
    EXPECT_EQ(json.exitCode, 1);
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_FALSE(o["identical"].toBool());
    ASSERT_EQ(o["screens"].toArray().size(), 1);
    EXPECT_EQ(o["screens"].toArray()[0].toObject()["view"].toInt(), 5);

    for (const QStringList& bad :
         {QStringList{"diff", dir.file("a.bin"), dir.file("short.bin")},
          QStringList{"diff", dir.file("a.bin"), dir.file("missing.bin")},
          QStringList{"diff", dir.file("a.bin"), dir.path()}, QStringList{"diff", dir.file("a.bin")}}) {
        const auto r = runCli(bad);
        EXPECT_EQ(r.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_TRUE(runCli({"diff", "--help"}).out.contains("2 when a file"));
}

}  // namespace
}  // namespace lt
