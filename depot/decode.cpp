#include "depot/decode.h"

#include "display/colour.h"

#include <algorithm>
#include <cstring>

namespace lt {

ScreenLayout screenLayout(const sRegionsGray& r) {
    ScreenLayout lay;
    lay.typ = std::min<int>(r.TypWidoku, vtLeftTopBottom);
    const int bx = faceBarX(r.BarX), by = faceBarY(r.BarY);
    lay.gorny = regionWindowOnFace(lay.typ, bx, by, Region::Gorny);
    lay.dolny = regionWindowOnFace(lay.typ, bx, by, Region::Dolny);
    lay.lewy = regionWindowOnFace(lay.typ, bx, by, Region::Lewy);
    return lay;
}

std::uint8_t regionColourIndex(std::int32_t colour) {
    const auto low = static_cast<std::uint8_t>(colour);
    return low <= ciWhite ? low : std::uint8_t{ciBlack};
}

namespace {

/// Fills one region's window of the face from its packed picture, shifted.
template <int T, int E>
void drawRegion(FaceLeds& face, const ScreenLayout::Window& win, const sRegionGray<T, E>& g, int pictureWidth,
                PictureShift shift) {
    if (win.empty()) return;
    const int bytesPerRow = pictureWidth / 8;
    const int pictureRows = E / bytesPerRow;
    const std::uint8_t fc = regionColourIndex(g.FontColor), bc = regionColourIndex(g.BackColor);
    for (int v = 0; v < win.height; ++v) {
        std::uint8_t* row = face.data() + (win.top + v) * SignWidth + win.left;
        const std::int64_t py = std::int64_t{v} - shift.y;
        if (py < 0 || py >= pictureRows) {
            std::fill(row, row + win.width, bc);
            continue;
        }
        const std::uint8_t* bits = g.ekran + py * bytesPerRow;
        // Only the columns [lo, hi) of the window lie over the picture.
        const auto lo = static_cast<int>(std::clamp<std::int64_t>(shift.x, 0, win.width));
        const auto hi =
            static_cast<int>(std::clamp<std::int64_t>(std::int64_t{pictureWidth} + shift.x, lo, win.width));
        std::fill(row, row + lo, bc);
        for (int u = lo; u < hi; ++u) {
            const int px = u - shift.x;
            row[u] = (bits[px >> 3] & (0x80 >> (px & 7))) != 0 ? fc : bc;
        }
        std::fill(row + hi, row + win.width, bc);
    }
}

}  // namespace

FaceLeds DecodeScreenLeds(const sflash& flash, int l, int v, const FaceShifts& shifts) {
    FaceLeds face{};
    const sRegionsGray& r = screen(flash, l, v).widok;
    const ScreenLayout lay = screenLayout(r);
    drawRegion(face, lay.gorny, r.gorny, regionSurfaceSize(Region::Gorny).width, shifts.gorny);
    drawRegion(face, lay.dolny, r.dolny, regionSurfaceSize(Region::Dolny).width, shifts.dolny);
    drawRegion(face, lay.lewy, r.lewy, regionSurfaceSize(Region::Lewy).width, shifts.lewy);
    return face;
}

Bitmap faceBitmap(const FaceLeds& leds) {
    Bitmap face(SignWidth, SignHeight);
    std::uint8_t rgb[8][3];
    for (std::uint8_t c = 0; c < 8; ++c) DecodeColor(c, rgb[c][0], rgb[c][1], rgb[c][2]);
    for (int y = 0; y < SignHeight; ++y) {
        std::uint8_t* p = face.row(y);
        for (int x = 0; x < SignWidth; ++x, p += 3) {
            const std::uint8_t* c = rgb[leds[y * SignWidth + x] & 7];
            p[0] = c[2];
            p[1] = c[1];
            p[2] = c[0];
        }
    }
    return face;
}

Bitmap DecodeScreen(const sflash& flash, int l, int v) {
    return faceBitmap(DecodeScreenLeds(flash, l, v));
}

Bitmap enlargeBitmap(const Bitmap& src, int factor) {
    if (factor <= 1) return src;
    Bitmap dst(src.width() * factor, src.height() * factor);
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(dst.width());
    for (int y = 0; y < src.height(); ++y) {
        // One enlarged row, then copies of it.
        const std::uint8_t* s = src.row(y);
        std::uint8_t* d = dst.row(y * factor);
        for (int x = 0; x < src.width(); ++x)
            for (int k = 0; k < factor; ++k) std::memcpy(d + 3 * (x * factor + k), s + 3 * x, 3);
        for (int k = 1; k < factor; ++k) std::memcpy(dst.row(y * factor + k), d, rowBytes);
    }
    return dst;
}

}  // namespace lt
