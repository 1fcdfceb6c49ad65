#pragma once
// The sign itself: the LED face, its three text regions, which view type
// shows which region, where each region's window lies on the face, the size
// of each region's render surface, and the limits of every field the editor
// offers. Every other part of the program reads these rules from here.

#include "model/records.h"

#include <algorithm>
#include <cstdint>

namespace lt {

/// The LED face of the sign: 128 columns by 32 rows.
inline constexpr int SignWidth = 128;
inline constexpr int SignHeight = 32;

/// The three text regions of a view.
enum class Region { Gorny, Dolny, Lewy };

/// The regions in the order the editor and the image list them: top, bottom, left.
inline constexpr Region AllRegions[] = {Region::Gorny, Region::Dolny, Region::Lewy};

inline sScreenImage& regionOf(sWidok& w, Region r) {
    return r == Region::Gorny ? w.Gorny : (r == Region::Dolny ? w.Dolny : w.Lewy);
}
inline const sScreenImage& regionOf(const sWidok& w, Region r) {
    return r == Region::Gorny ? w.Gorny : (r == Region::Dolny ? w.Dolny : w.Lewy);
}

/// True for a view type code 0..3 (vtTop..vtLeftTopBottom).
constexpr bool isViewType(std::int64_t type) {
    return type >= vtTop && type <= vtLeftTopBottom;
}

/// Which regions a view type shows: the top region in every type, the bottom
/// one in vtTopBottom and vtLeftTopBottom, the left one in vtLeftTop and
/// vtLeftTopBottom. A code outside 0..3 shows the top region only; callers
/// that treat such a code otherwise ask isViewType first.
constexpr bool showsRegion(std::int64_t type, Region r) {
    switch (r) {
        case Region::Gorny: return true;
        case Region::Dolny: return type == vtTopBottom || type == vtLeftTopBottom;
        case Region::Lewy: return type == vtLeftTop || type == vtLeftTopBottom;
    }
    return false;
}

/// The split positions on the face: BarX and BarY kept within 0..128 and
/// 0..32, so that a value from a foreign file never places a window outside
/// the face.
constexpr int faceBarX(std::int64_t barX) {
    return static_cast<int>(std::clamp<std::int64_t>(barX, 0, SignWidth));
}
constexpr int faceBarY(std::int64_t barY) {
    return static_cast<int>(std::clamp<std::int64_t>(barY, 0, SignHeight));
}

/// A rectangle of the face in LED pixels: columns left..left+width-1, rows
/// top..top+height-1. An empty window (width or height 0) shows nothing.
struct FaceWindow {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    constexpr bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const FaceWindow&, const FaceWindow&) = default;
};

/// The window of a region on the face for a view type and split positions
/// already kept on the face (faceBarX, faceBarY): the left region fills the
/// columns before barX, the top region the rows above barY when the bottom
/// one is shown, the bottom region the rows from barY on. A region the type
/// does not show, or any region of a code outside 0..3, has an empty window.
constexpr FaceWindow regionWindowOnFace(std::int64_t type, int barX, int barY, Region r) {
    if (!isViewType(type) || !showsRegion(type, r)) return {};
    const bool left = showsRegion(type, Region::Lewy);
    const bool bottom = showsRegion(type, Region::Dolny);
    const int x = left ? barX : 0;
    switch (r) {
        case Region::Gorny: return {x, 0, SignWidth - x, bottom ? barY : SignHeight};
        case Region::Dolny: return {x, barY, SignWidth - x, SignHeight - barY};
        case Region::Lewy: return {0, 0, barX, SignHeight};
    }
    return {};
}
inline FaceWindow regionWindowOnFace(const sWidok& w, Region r) {
    return regionWindowOnFace(w.TypWidoku, faceBarX(w.BarX), faceBarY(w.BarY), r);
}

/// The size of a region's render surface in LED pixels: the top region
/// 512 x 32, the bottom one 2048 x 32, the left one 64 x 32.
struct SurfaceSize {
    int width = 0;
    int height = 0;
};
constexpr SurfaceSize regionSurfaceSize(Region r) {
    switch (r) {
        case Region::Gorny: return {512, SignHeight};
        case Region::Dolny: return {2048, SignHeight};
        case Region::Lewy: return {64, SignHeight};
    }
    return {};
}

/// A closed range of a numeric field.
struct FieldRange {
    std::int32_t min = 0;
    std::int32_t max = 0;
    constexpr std::int32_t clamp(std::int64_t v) const {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, min, max));
    }
    constexpr bool contains(std::int64_t v) const { return v >= min && v <= max; }
};

/// The limits of the fields the editor offers: the ranges of its number boxes,
/// lists and split bars, and the most characters each text box takes. The
/// editing panel, the views grid, the list columns, fitting, the checks and
/// recovery all read them here.
namespace limits {

inline constexpr FieldRange BarX{16, 64};                  // left-region width the split bar allows
inline constexpr FieldRange BarY{12, 24};                  // top-region height the split bar allows
inline constexpr FieldRange BarXTrack{0, SignWidth - 1};   // positions of the barX track bar
inline constexpr FieldRange BarYTrack{0, SignHeight - 1};  // positions of the barY track bar
inline constexpr FieldRange FontSize{4, 32};               // points
inline constexpr FieldRange X{-(SignWidth - 1), SignWidth - 1};
inline constexpr FieldRange Y{-(SignHeight - 1), SignHeight - 1};
inline constexpr FieldRange Speed{0, 100};
inline constexpr FieldRange Time{1, 99};        // display time of a view in use, seconds
inline constexpr FieldRange TimeColumn{0, 99};  // display time as a views list takes it
inline constexpr FieldRange TypWidoku{vtTop, vtLeftTopBottom};
inline constexpr FieldRange Ruch{mvNone, mvFlashing};
inline constexpr FieldRange Styl{styNone, styUnderline};
inline constexpr FieldRange Color{ciBlack, ciWhite};

inline constexpr int TextGorny = 63;    // characters of the top text box
inline constexpr int TextDolny = 255;   // characters of the bottom text box
inline constexpr int TextLewy = 6;      // characters of the left text box
inline constexpr int NazwaKursu = 126;  // characters of the course name box
inline constexpr int ProjName = 126;    // characters of the project name box
inline constexpr int FontName = 127;    // characters of a font family name

/// The most characters the text box of a region takes.
constexpr int text(Region r) {
    return r == Region::Gorny ? TextGorny : (r == Region::Dolny ? TextDolny : TextLewy);
}

}  // namespace limits

}  // namespace lt
