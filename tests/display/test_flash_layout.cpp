// The display image's layout and its 8-bit texts.
#include "depot/decode.h"
#include "display/flash.h"
#include "display/flashbuild.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

std::ptrdiff_t offsetIn(const sflash& f, const void* p) {
    return static_cast<const char*>(p) - reinterpret_cast<const char*>(&f);
}

TEST(FlashLayout, AbsolutePositionsOfScreensAndTheirParts) {
    auto f = std::make_unique<sflash>();
    EXPECT_EQ(sizeof(sflash), 8388608u);
    EXPECT_EQ(offsetIn(*f, &screen(*f, 1, 1)), 204800);
    EXPECT_EQ(offsetIn(*f, &screen(*f, 1, 2)), 212932);
    EXPECT_EQ(offsetIn(*f, &screen(*f, 2, 1)), 2644400);
    EXPECT_EQ(offsetIn(*f, &screen(*f, 3, 300)), 7515468);
    EXPECT_EQ(offsetIn(*f, &screen(*f, 3, 300)) + 8132, offsetIn(*f, f->fill));
    EXPECT_EQ(offsetIn(*f, screen(*f, 1, 1).widok.gorny.ekran), 204956);
    EXPECT_EQ(offsetIn(*f, screen(*f, 1, 1).name), 212804);
    EXPECT_EQ(offsetIn(*f, f->EEPROM), 4096);
    EXPECT_EQ(offsetIn(*f, f->firmware), 8192);
    EXPECT_EQ(offsetIn(*f, &f->Lang[2]), 108);
    EXPECT_EQ(offsetIn(*f, &f->ModuleNr), 140);
    // Within any screen s: top at s+16, left at s+2204, bottom at s+2552.
    const sscreengray& s = screen(*f, 2, 17);
    const std::ptrdiff_t base = offsetIn(*f, &s);
    EXPECT_EQ(base, static_cast<std::ptrdiff_t>(screenOffset(2, 17)));
    EXPECT_EQ(offsetIn(*f, &s.widok.gorny) - base, 16);
    EXPECT_EQ(offsetIn(*f, s.widok.lewy.ekran) - base, 2296);
    EXPECT_EQ(offsetIn(*f, s.widok.dolny.ekran) - base, 2884);
    EXPECT_EQ(offsetIn(*f, s.widok.dolny.ekran + 5120) - base, 8004);
}

TEST(FlashText, PolishLettersAndLatin1) {
    char field[16];
    std::memset(field, 0x7E, sizeof field);
    StringToAnsiChar(QStringLiteral("Łódź"), field);
    EXPECT_EQ(QByteArray(field, 6), QByteArray("\x4C\x06\x64\x08\x00\x7E", 6));

    // Every capital becomes its plain letter, every small letter its code.
    StringToAnsiChar(QStringLiteral("ĄĆĘŁŃÓŚŹŻ"), field);
    EXPECT_STREQ(field, "ACELNOSZZ");
    StringToAnsiChar(QStringLiteral("ąćęłńóśźż"), field);
    EXPECT_EQ(QByteArray(field, 10), QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08\x08\x00", 10));
    // Latin-1 passes unchanged; a letter beyond U+00FF with nothing near in
    // the 8-bit texts is written as "?".
    StringToAnsiChar(QStringLiteral("äé") + QChar(0x0915), field);
    EXPECT_EQ(QByteArray(field, 4), QByteArray("\xE4\xE9?\x00", 4));

    // Read back as the sign's small letters (8 reads as ź).
    StringToAnsiChar(QStringLiteral("Łódź żółw"), field);
    EXPECT_EQ(AnsiCharToString(field), QStringLiteral("Lódź źółw"));
}

TEST(FlashText, LongTextsAreCutInsideTheirFields) {
    // Each field with a guard byte after it that must survive.
    struct Guarded {
        sGregiongray g;
        std::uint8_t guard;
    };
    auto r = std::make_unique<Guarded>();
    std::memset(r.get(), 0x5A, sizeof *r);
    const QString longText(2000, QLatin1Char('x'));
    StringToAnsiChar(longText, r->g.Text);
    EXPECT_EQ(std::strlen(r->g.Text), 63u);
    EXPECT_EQ(r->g.FontName[0], 0x5A);  // the next field is untouched
    StringToAnsiChar(longText, r->g.FontName);
    EXPECT_EQ(std::strlen(r->g.FontName), 23u);
    EXPECT_EQ(r->g.ekran[0], 0x5A);

    auto f = std::make_unique<sflash>();
    std::memset(f.get(), 0x5A, sizeof *f);
    StringToAnsiChar(longText, f->Lang[0].Nazwa);
    EXPECT_EQ(std::strlen(f->Lang[0].Nazwa), 30u);
    EXPECT_EQ(f->Lang[1].Use, 0x5A);
    StringToAnsiChar(longText, screen(*f, 1, 1).name);
    EXPECT_EQ(std::strlen(screen(*f, 1, 1).name), 127u);
    EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(&screen(*f, 1, 2))[0], 0x5A);
    StringToAnsiChar(longText, screen(*f, 1, 1).widok.lewy.Text);
    EXPECT_EQ(std::strlen(screen(*f, 1, 1).widok.lewy.Text), 15u);
    StringToAnsiChar(longText, screen(*f, 1, 1).widok.dolny.Text);
    EXPECT_EQ(std::strlen(screen(*f, 1, 1).widok.dolny.Text), 255u);

    // A short text leaves the bytes after its terminator as they were.
    StringToAnsiChar(QStringLiteral("ab"), screen(*f, 1, 1).name);
    EXPECT_EQ(QByteArray(screen(*f, 1, 1).name, 4), QByteArray("ab\0x", 4));
}

}  // namespace
}  // namespace lt
