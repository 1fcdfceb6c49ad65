#pragma once
// The raster layer under the sign preview: single pixels, fills, the
// six-times enlarged copy, the reduction by six and the region separators.
// Everything here works on raw bitmap rows: each row start is fetched once
// per row, nothing is drawn through a canvas and nothing is allocated.

#include "model/records.h"
#include "render/bitmap.h"

#include <cstdint>

namespace lt {

/// Screen pixels per LED pixel in the preview, in both directions.
inline constexpr int LedScale = PreviewScale;

/// The pixel of a colour value 0x00BBGGRR.
inline TRGB pixelOf(std::uint32_t col) {
    return {static_cast<std::uint8_t>(col >> 16), static_cast<std::uint8_t>(col >> 8),
            static_cast<std::uint8_t>(col)};
}

/// Reads pixel (x, y). The caller keeps (x, y) inside the bitmap.
inline TRGB GetPixel(const Bitmap& bmp, int x, int y) {
    const std::uint8_t* p = bmp.row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

/// Writes pixel (x, y). The caller keeps (x, y) inside the bitmap.
inline void PutPixel(Bitmap& bmp, int x, int y, TRGB pix) {
    std::uint8_t* p = bmp.row(y) + 3 * x;
    p[0] = pix.b;
    p[1] = pix.g;
    p[2] = pix.r;
}

/// Sets every pixel of the bitmap to the colour value col (0x00BBGGRR).
void FastClearBitmap(Bitmap& Bmp, std::uint32_t col);

/// Enlarged copy: destination pixel (DX + i, DY + j), for i < W and j < H,
/// shows source pixel (SX + i div 6, SY + j div 6), so blocks are counted
/// from (DX, DY). Blocks whose source pixel lies outside BmpS get the colour
/// value col. The source origin is 64-bit so that negated animation offsets
/// of any 32-bit value cannot overflow. Destination pixels outside BmpD are
/// never written.
void FastCopyRegionBmp(std::int64_t SX, std::int64_t SY, const Bitmap& BmpS, int DX, int DY, int W, int H,
                       Bitmap& BmpD, std::uint32_t col);

/// The same enlarged copy without a fill colour: blocks whose source pixel
/// lies outside ImgS are left as they are (nothing is ever read outside it).
void FastCopyRegion(std::int64_t SX, std::int64_t SY, const Bitmap& ImgS, int DX, int DY, int W, int H,
                    Bitmap& ImgD);

/// Reduction by six: BmpD(x, y) = Bmps(6x + 3, 6y + 3), point sampling with
/// no averaging. BmpD's size drives the loops; pixels whose sample would lie
/// outside Bmps are left as they are.
void FastResizeBmp(const Bitmap& Bmps, Bitmap& BmpD);

/// The separator lines of the edited view's type on the preview, two pixels
/// thick, at the track bar positions Surfaces::barX and barY (times six).
void FastDrawLinesHV(const sDane& dane, Surfaces& s, TRGB pix);
/// The same for a given view type.
void FastDrawLinesHV(std::int32_t type, Surfaces& s, TRGB pix);

/// The separators in grey (155, 155, 155).
void FastDrawLines(const sDane& dane, Surfaces& s);

}  // namespace lt
