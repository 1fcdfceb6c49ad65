#pragma once
// The project records. Every record is a plain fixed-size block with no
// pointers: it is copied, saved and loaded as raw bytes, so its layout is the
// layout of the project file and is pinned below field by field.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace lt {

using bool8 = std::uint8_t;  // 0 false, any other byte true

inline constexpr std::int32_t ProjectVersion = 12545;  // 0x3101
inline constexpr int LanguageCount = 3;                // languages 1..3
inline constexpr int ViewCount = 300;                  // views 1..300
inline constexpr int FirmwareSize = 196608;            // controller program

/// One 24-bit pixel in the byte order of a bitmap row: blue, green, red.
struct TRGB {
    std::uint8_t b;
    std::uint8_t g;
    std::uint8_t r;
};

/// Settings and animation state of one text region of a view.
struct sScreenImage {
    char16_t Text[1024];      // region text, zero-terminated unless full
    std::int32_t TextWidth;   // pixel width of Text as last rendered
    std::int32_t TextHeight;  // pixel height of Text as last rendered
    std::int32_t Ruch;        // movement code 0..6 (mvNone..mvFlashing)
    std::int32_t Direction;   // +1/-1: bounce direction or flashing phase
    std::int32_t Speed;       // steps per second 0..100, 0 counts as 1
    char16_t FontName[128];   // font family name
    std::int32_t FontSize;    // points, the editor offers 4..32
    std::int32_t Styl;        // style code 0..4 (styNone..styUnderline)
    bool8 Alias;              // true: anti-aliased, false: two levels
    std::uint8_t pad1[3];     // padding, carried unchanged
    std::int32_t X;           // text origin in the region, LED pixels
    std::int32_t Y;           // text origin in the region, LED pixels
    std::int32_t AnimX;       // current horizontal animation offset
    std::int32_t AnimY;       // current vertical animation offset
    bool8 Timer;              // the region's preview animation runs
    std::uint8_t pad2[3];     // padding, carried unchanged
    std::int32_t FontColor;   // colour index 0..7
    std::int32_t BackColor;   // colour index 0..7
};

/// One view: one destination with its three text regions.
struct sWidok {
    char16_t NazwaKursu[128];  // destination (course) name
    sScreenImage Gorny;        // top region (T2)
    sScreenImage Dolny;        // bottom region (T3)
    sScreenImage Lewy;         // left region (T1)
    std::int32_t BarX;         // width of the left region, 16..64
    std::int32_t BarY;         // height of the top region, 12..24
    std::int32_t TypWidoku;    // view type 0..3 (vtTop..vtLeftTopBottom)
    std::int32_t Time;         // display time in seconds, 1..99 when in use
    bool8 use;                 // the view is in use
    std::uint8_t pad[3];       // padding, carried unchanged
};

/// One display language.
struct sLang {
    char16_t Nazwa[32];  // language name: tab caption and image entry
    bool8 Use;           // the language is in use
    std::uint8_t pad;    // padding, carried unchanged
};

/// The project: everything the editor knows, saved whole as the project file.
struct sDane {
    std::int32_t Version;                  // project format version, >= 12545
    char16_t ProjName[128];                // project name
    char16_t Info[128];                    // banner of the producing program
    char16_t FileName[256];                // path last opened or saved
    std::int32_t SelectRow;                // grid row last selected, 0 = none
    std::int32_t SelectCol;                // grid column last selected
    std::int32_t SelWidok;                 // current display language 1..3
    std::int32_t EditCol;                  // column of the opening double-click
    std::int32_t EditRow;                  // view loaded into the editing panel
    sWidok Widok[LanguageCount][ViewCount];  // views, language-major
    TRGB pbufX[2][1025];                   // reserved, carried unchanged
    TRGB pbufY[2][1025];                   // reserved, carried unchanged
    std::int32_t lastX;                    // reserved
    std::int32_t lastY;                    // reserved
    std::uint8_t LCDLevel;                 // LCD contrast level
    std::uint8_t LCDType;                  // LCD type code
    std::uint8_t ModuleType;               // LED module type code
    std::uint8_t ModuleNr;                 // catalogue number of the module
    std::uint8_t IP[4];                    // controller IPv4 address
    std::uint8_t MAC[6];                   // controller MAC address
    std::uint8_t host[24];                 // controller host name, 8-bit
    sLang Lang[LanguageCount];             // display languages 1..3
    std::uint8_t firmware[FirmwareSize];   // controller firmware image
};

// clang-format off
static_assert(std::is_trivially_copyable_v<sDane> && std::is_standard_layout_v<sDane>);
static_assert(sizeof(TRGB) == 3);
static_assert(offsetof(TRGB, b) == 0 && offsetof(TRGB, g) == 1 && offsetof(TRGB, r) == 2);

static_assert(sizeof(sScreenImage) == 2364);
static_assert(offsetof(sScreenImage, Text) == 0);
static_assert(offsetof(sScreenImage, TextWidth) == 2048);
static_assert(offsetof(sScreenImage, TextHeight) == 2052);
static_assert(offsetof(sScreenImage, Ruch) == 2056);
static_assert(offsetof(sScreenImage, Direction) == 2060);
static_assert(offsetof(sScreenImage, Speed) == 2064);
static_assert(offsetof(sScreenImage, FontName) == 2068);
static_assert(offsetof(sScreenImage, FontSize) == 2324);
static_assert(offsetof(sScreenImage, Styl) == 2328);
static_assert(offsetof(sScreenImage, Alias) == 2332);
static_assert(offsetof(sScreenImage, pad1) == 2333);
static_assert(offsetof(sScreenImage, X) == 2336);
static_assert(offsetof(sScreenImage, Y) == 2340);
static_assert(offsetof(sScreenImage, AnimX) == 2344);
static_assert(offsetof(sScreenImage, AnimY) == 2348);
static_assert(offsetof(sScreenImage, Timer) == 2352);
static_assert(offsetof(sScreenImage, pad2) == 2353);
static_assert(offsetof(sScreenImage, FontColor) == 2356);
static_assert(offsetof(sScreenImage, BackColor) == 2360);

static_assert(sizeof(sWidok) == 7368);
static_assert(offsetof(sWidok, NazwaKursu) == 0);
static_assert(offsetof(sWidok, Gorny) == 256);
static_assert(offsetof(sWidok, Dolny) == 2620);
static_assert(offsetof(sWidok, Lewy) == 4984);
static_assert(offsetof(sWidok, BarX) == 7348);
static_assert(offsetof(sWidok, BarY) == 7352);
static_assert(offsetof(sWidok, TypWidoku) == 7356);
static_assert(offsetof(sWidok, Time) == 7360);
static_assert(offsetof(sWidok, use) == 7364);
static_assert(offsetof(sWidok, pad) == 7365);

static_assert(sizeof(sLang) == 66);
static_assert(offsetof(sLang, Nazwa) == 0);
static_assert(offsetof(sLang, Use) == 64);
static_assert(offsetof(sLang, pad) == 65);

static_assert(sizeof(sDane) == 6841400);
static_assert(offsetof(sDane, Version) == 0);
static_assert(offsetof(sDane, ProjName) == 4);
static_assert(offsetof(sDane, Info) == 260);
static_assert(offsetof(sDane, FileName) == 516);
static_assert(offsetof(sDane, SelectRow) == 1028);
static_assert(offsetof(sDane, SelectCol) == 1032);
static_assert(offsetof(sDane, SelWidok) == 1036);
static_assert(offsetof(sDane, EditCol) == 1040);
static_assert(offsetof(sDane, EditRow) == 1044);
static_assert(offsetof(sDane, Widok) == 1048);
static_assert(offsetof(sDane, pbufX) == 6632248);
static_assert(offsetof(sDane, pbufY) == 6638398);
static_assert(offsetof(sDane, lastX) == 6644548);
static_assert(offsetof(sDane, lastY) == 6644552);
static_assert(offsetof(sDane, LCDLevel) == 6644556);
static_assert(offsetof(sDane, LCDType) == 6644557);
static_assert(offsetof(sDane, ModuleType) == 6644558);
static_assert(offsetof(sDane, ModuleNr) == 6644559);
static_assert(offsetof(sDane, IP) == 6644560);
static_assert(offsetof(sDane, MAC) == 6644564);
static_assert(offsetof(sDane, host) == 6644570);
static_assert(offsetof(sDane, Lang) == 6644594);
static_assert(offsetof(sDane, firmware) == 6644792);
// clang-format on

/// View type codes (`TypWidoku`).
enum ViewType : std::int32_t { vtTop = 0, vtTopBottom = 1, vtLeftTop = 2, vtLeftTopBottom = 3 };

/// Movement codes (`Ruch`); the code is the position in the movement list.
enum Movement : std::int32_t {
    mvNone = 0,
    mvInLeft = 1,
    mvInRight = 2,
    mvInUp = 3,
    mvInDown = 4,
    mvBounce = 5,
    mvFlashing = 6
};

/// Style codes (`Styl`); the code is the position in the style list.
enum Style : std::int32_t {
    styNone = 0,
    styItalic = 1,
    styBold = 2,
    styItalicBold = 3,
    styUnderline = 4
};

/// Colour indices (`FontColor`, `BackColor`).
enum ColorIndex : std::int32_t {
    ciBlack = 0,
    ciRed = 1,
    ciGreen = 2,
    ciBlue = 3,
    ciYellow = 4,
    ciCyan = 5,
    ciMagenta = 6,
    ciWhite = 7
};

/// A font style set, as `Int2FontStyle` gives it.
struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

/// Colour value 0x00BBGGRR of a colour index; black for any other index.
std::uint32_t Int2Color(std::int32_t index);

/// Font style set of a style code; empty for any code outside 0..4.
FontStyle Int2FontStyle(std::int32_t code);

/// The list texts of the movement and style selectors, in code order.
QStringList MovementTexts();
QStringList StyleTexts();

/// Reads a text field: its units up to the first zero or the end of the array.
QString ReadText(const char16_t* field, int capacity);
template <std::size_t N>
QString ReadText(const char16_t (&field)[N]) {
    return ReadText(field, static_cast<int>(N));
}

/// Stores a text into a field: at most capacity - 1 units, then one zero unit.
/// Units after the terminator are left as they were. A surrogate pair is never
/// split by the cut.
void StringToWideChar(const QString& text, char16_t* field, int capacity);
template <std::size_t N>
void StringToWideChar(const QString& text, char16_t (&field)[N]) {
    StringToWideChar(text, field, static_cast<int>(N));
}

/// True for a bool8 byte holding any nonzero value.
inline bool isTrue(bool8 b) { return b != 0; }

/// The view (l, v), both 1-based. The caller keeps l in 1..3 and v in 1..300.
inline sWidok& widok(sDane& d, int l, int v) { return d.Widok[l - 1][v - 1]; }
inline const sWidok& widok(const sDane& d, int l, int v) { return d.Widok[l - 1][v - 1]; }

/// Byte offset of view (l, v) inside the project record.
constexpr std::size_t widokOffset(int l, int v) {
    return offsetof(sDane, Widok) + static_cast<std::size_t>((l - 1) * ViewCount + (v - 1)) * sizeof(sWidok);
}

}  // namespace lt

namespace lt {

/// Language and view of the edited view `Dane.Widok[SelWidok][EditRow]`,
/// brought into 1..3 and 1..300 so that a foreign project can never make the
/// editor address a view outside the project.
inline int editLang(const sDane& d) { return d.SelWidok < 1 ? 1 : (d.SelWidok > LanguageCount ? LanguageCount : d.SelWidok); }
inline int editRow(const sDane& d) { return d.EditRow < 1 ? 1 : (d.EditRow > ViewCount ? ViewCount : d.EditRow); }
inline sWidok& editedView(sDane& d) { return widok(d, editLang(d), editRow(d)); }
inline const sWidok& editedView(const sDane& d) { return widok(d, editLang(d), editRow(d)); }

}  // namespace lt
