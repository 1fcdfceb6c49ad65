#pragma once
// The display image: the 8 MiB memory image the sign controller reads from
// the pendrive file. File offset n is byte n of sflash; the layout is the file
// format of the controller and is pinned below field by field.

#include "model/records.h"
#include "model/sign.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace lt {

inline constexpr int FlashSize = 8388608;   // the pendrive file, exactly 8 MiB
inline constexpr int DolnyPackedRows = 20;  // rows of the bottom surface kept in the image

/// One display language of the image header.
struct fsLang {
    std::uint8_t Use;  // 1 in use, 0 not
    char Nazwa[31];    // language name, 8-bit, zero-terminated (30 characters at most)
};

/// One region block of a screen: settings of the region and its picture packed
/// at one bit per pixel (1 = font colour). T is the size of Text, E of ekran.
template <int T, int E>
struct sRegionGray {
    static constexpr int TextSize = T;
    static constexpr int EkranSize = E;
    std::int32_t sign;        // never written by the build
    std::int32_t TextWidth;   // rendered text width, LED pixels
    std::int32_t TextHeight;  // rendered text height, LED pixels
    std::int32_t Ruch;        // movement code 0..6
    std::int32_t Direction;   // +1/-1: direction or phase of the movement
    std::int32_t Speed;       // movement speed 0..100
    std::int32_t X;           // text position in the region, LED pixels
    std::int32_t Y;           // text position in the region, LED pixels
    std::int32_t Alias;       // 1 smoothed, 0 two levels
    std::int32_t FontSize;    // points
    std::int32_t Styl;        // style code 0..4
    std::int32_t FontColor;   // colour index of the 1-bits of ekran
    std::int32_t BackColor;   // colour index of the 0-bits of ekran
    char Text[T];             // region text, 8-bit, zero-terminated
    char FontName[24];        // font face name, 8-bit, zero-terminated
    std::uint8_t ekran[E];    // packed picture, rows top first, MSB leftmost
};

/// Top region (T2): 512 x 32 picture, 64 bytes a row.
using sGregiongray = sRegionGray<64, 32 * 64>;
/// Left region (T1): 64 x 32 picture, 8 bytes a row.
using sLregiongray = sRegionGray<16, 32 * 8>;
/// Bottom region (T3): 2048 x 20 picture, 256 bytes a row.
using sDregiongray = sRegionGray<256, DolnyPackedRows * 256>;

/// Layout and regions of one screen; the image orders them top, left, bottom.
struct sRegionsGray {
    std::uint16_t TypWidoku;  // view type 0..3
    std::uint16_t BarX;       // width of the left region, LED columns
    std::uint16_t BarY;       // height of the top region, LED rows
    std::uint8_t pad[2];      // never written by the build
    sGregiongray gorny;       // top region
    sLregiongray lewy;        // left region
    sDregiongray dolny;       // bottom region
};

/// One screen: the display form of one view.
struct sscreengray {
    std::uint16_t use;    // 1 in use: only then the pictures are packed
    std::uint16_t sizeX;  // copy of LedX
    std::uint16_t sizeY;  // copy of LedY
    std::uint16_t time;   // display time, seconds
    sRegionsGray widok;   // layout and regions
    char name[128];       // destination name, 8-bit, zero-terminated
};

/// The display image.
struct sflash {
    std::uint8_t version;                           // low byte of the project Version
    std::uint8_t subvers;                           // 100
    std::uint8_t verfirmware;                       // 0
    std::uint8_t subfirmware;                       // 0
    std::uint8_t ModuleType;                        // type code of the LED module
    std::uint8_t LedX;                              // 128
    std::uint8_t LedY;                              // 32
    std::uint8_t Color;                             // 2
    std::uint8_t LCDLevel;                          // 0
    std::uint8_t LCDType;                           // project LCDType
    std::uint8_t IP[4];                             // controller IPv4 address
    std::uint8_t MAC[6];                            // controller MAC address
    std::uint8_t host[24];                          // controller host name
    fsLang Lang[LanguageCount];                     // display languages 1..3
    std::uint8_t ModuleNr;                          // catalogue number of the module, 0 none
    std::uint8_t wyrownanie[3955];                  // filler up to 4096, never written
    std::uint8_t EEPROM[4096];                      // controller EEPROM block, never written
    std::uint8_t firmware[FirmwareSize];            // controller program
    sscreengray screens[LanguageCount][ViewCount];  // screen (l, v), language-major
    std::uint8_t fill[865008];                      // filler up to 8 MiB, never written
};

// clang-format off
static_assert(std::endian::native == std::endian::little, "the image is little-endian byte for byte");
static_assert(std::is_trivially_copyable_v<sflash> && std::is_standard_layout_v<sflash>);

static_assert(sizeof(fsLang) == 32);
static_assert(offsetof(fsLang, Use) == 0);
static_assert(offsetof(fsLang, Nazwa) == 1);

static_assert(offsetof(sGregiongray, sign) == 0);
static_assert(offsetof(sGregiongray, TextWidth) == 4);
static_assert(offsetof(sGregiongray, TextHeight) == 8);
static_assert(offsetof(sGregiongray, Ruch) == 12);
static_assert(offsetof(sGregiongray, Direction) == 16);
static_assert(offsetof(sGregiongray, Speed) == 20);
static_assert(offsetof(sGregiongray, X) == 24);
static_assert(offsetof(sGregiongray, Y) == 28);
static_assert(offsetof(sGregiongray, Alias) == 32);
static_assert(offsetof(sGregiongray, FontSize) == 36);
static_assert(offsetof(sGregiongray, Styl) == 40);
static_assert(offsetof(sGregiongray, FontColor) == 44);
static_assert(offsetof(sGregiongray, BackColor) == 48);
static_assert(offsetof(sGregiongray, Text) == 52);
static_assert(sizeof(sGregiongray) == 2188);
static_assert(offsetof(sGregiongray, FontName) == 116);
static_assert(offsetof(sGregiongray, ekran) == 140);
static_assert(sizeof(sGregiongray::ekran) == 2048);

static_assert(sizeof(sLregiongray) == 348);
static_assert(offsetof(sLregiongray, BackColor) == 48);
static_assert(offsetof(sLregiongray, Text) == 52);
static_assert(offsetof(sLregiongray, FontName) == 68);
static_assert(offsetof(sLregiongray, ekran) == 92);
static_assert(sizeof(sLregiongray::ekran) == 256);

static_assert(sizeof(sDregiongray) == 5452);
static_assert(offsetof(sDregiongray, BackColor) == 48);
static_assert(offsetof(sDregiongray, Text) == 52);
static_assert(offsetof(sDregiongray, FontName) == 308);
static_assert(offsetof(sDregiongray, ekran) == 332);
static_assert(sizeof(sDregiongray::ekran) == 5120);

static_assert(sizeof(sRegionsGray) == 7996);
static_assert(offsetof(sRegionsGray, TypWidoku) == 0);
static_assert(offsetof(sRegionsGray, BarX) == 2);
static_assert(offsetof(sRegionsGray, BarY) == 4);
static_assert(offsetof(sRegionsGray, pad) == 6);
static_assert(offsetof(sRegionsGray, gorny) == 8);
static_assert(offsetof(sRegionsGray, lewy) == 2196);
static_assert(offsetof(sRegionsGray, dolny) == 2544);

static_assert(sizeof(sscreengray) == 8132);
static_assert(offsetof(sscreengray, use) == 0);
static_assert(offsetof(sscreengray, sizeX) == 2);
static_assert(offsetof(sscreengray, sizeY) == 4);
static_assert(offsetof(sscreengray, time) == 6);
static_assert(offsetof(sscreengray, widok) == 8);
static_assert(offsetof(sscreengray, name) == 8004);

static_assert(sizeof(sflash) == FlashSize);
static_assert(offsetof(sflash, version) == 0);
static_assert(offsetof(sflash, subvers) == 1);
static_assert(offsetof(sflash, verfirmware) == 2);
static_assert(offsetof(sflash, subfirmware) == 3);
static_assert(offsetof(sflash, ModuleType) == 4);
static_assert(offsetof(sflash, LedX) == 5);
static_assert(offsetof(sflash, LedY) == 6);
static_assert(offsetof(sflash, Color) == 7);
static_assert(offsetof(sflash, LCDLevel) == 8);
static_assert(offsetof(sflash, LCDType) == 9);
static_assert(offsetof(sflash, IP) == 10);
static_assert(offsetof(sflash, MAC) == 14);
static_assert(offsetof(sflash, host) == 20);
static_assert(offsetof(sflash, Lang) == 44);
static_assert(offsetof(sflash, Lang) + 2 * sizeof(fsLang) == 108);
static_assert(offsetof(sflash, ModuleNr) == 140);
static_assert(offsetof(sflash, wyrownanie) == 141);
static_assert(offsetof(sflash, EEPROM) == 4096);
static_assert(offsetof(sflash, firmware) == 8192);
static_assert(offsetof(sflash, screens) == 204800);
static_assert(sizeof(sflash::screens) == 7318800);
static_assert(offsetof(sflash, fill) == 7523600);
// clang-format on

/// Byte offset of screen (l, v), both 1-based, inside the image.
constexpr std::size_t screenOffset(int l, int v) {
    return offsetof(sflash, screens) +
           static_cast<std::size_t>((l - 1) * ViewCount + (v - 1)) * sizeof(sscreengray);
}

// Absolute positions the controller relies on.
static_assert(screenOffset(1, 1) == 204800);
static_assert(screenOffset(1, 2) == 212932);
static_assert(screenOffset(2, 1) == 2644400);
static_assert(screenOffset(3, 300) == 7515468);
static_assert(screenOffset(3, 300) + sizeof(sscreengray) == offsetof(sflash, fill));
static_assert(screenOffset(1, 1) + offsetof(sscreengray, widok) + offsetof(sRegionsGray, gorny) ==
              204800 + 16);
static_assert(screenOffset(1, 1) + offsetof(sscreengray, widok) + offsetof(sRegionsGray, gorny) +
                  offsetof(sGregiongray, ekran) ==
              204956);
static_assert(offsetof(sscreengray, widok) + offsetof(sRegionsGray, lewy) == 2204);
static_assert(offsetof(sscreengray, widok) + offsetof(sRegionsGray, lewy) + offsetof(sLregiongray, ekran) ==
              2296);
static_assert(offsetof(sscreengray, widok) + offsetof(sRegionsGray, dolny) == 2552);
static_assert(offsetof(sscreengray, widok) + offsetof(sRegionsGray, dolny) + offsetof(sDregiongray, ekran) ==
              2884);
static_assert(screenOffset(1, 1) + offsetof(sscreengray, name) == 212804);

/// Screen (l, v) of the image, both 1-based. The caller keeps l in 1..3 and v in 1..300.
inline sscreengray& screen(sflash& f, int l, int v) {
    return f.screens[l - 1][v - 1];
}
inline const sscreengray& screen(const sflash& f, int l, int v) {
    return f.screens[l - 1][v - 1];
}

}  // namespace lt
