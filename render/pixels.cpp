#include "render/pixels.h"

#include <algorithm>
#include <cstring>

namespace lt {
namespace {

inline void fillPixels(std::uint8_t* p, std::int64_t count, TRGB pix) {
    for (std::int64_t i = 0; i < count; ++i, p += 3) {
        p[0] = pix.b;
        p[1] = pix.g;
        p[2] = pix.r;
    }
}

// The enlarged copy behind FastCopyRegionBmp (Fill) and FastCopyRegion.
// Every destination row of one block row is the same, so the first row of a
// block row is built pixel by pixel and the following ones are copied from it.
template <bool Fill>
void enlarge(std::int64_t SX, std::int64_t SY, const Bitmap& src, int DX, int DY, int W, int H, Bitmap& dst,
             TRGB fill) {
    if (W <= 0 || H <= 0) return;
    // Any origin further out than this shows no source pixel at all; bounding
    // it keeps the arithmetic below far from 64-bit overflow.
    constexpr std::int64_t far = std::int64_t{1} << 40;
    SX = std::clamp(SX, -far, far);
    SY = std::clamp(SY, -far, far);
    // Destination columns DX + i for i in [i0, i1), rows DY + j for j in [j0, j1),
    // clipped to the destination bitmap.
    const std::int64_t i0 = std::max<std::int64_t>(0, -std::int64_t{DX});
    const std::int64_t i1 = std::min<std::int64_t>(W, std::int64_t{dst.width()} - DX);
    const std::int64_t j0 = std::max<std::int64_t>(0, -std::int64_t{DY});
    const std::int64_t j1 = std::min<std::int64_t>(H, std::int64_t{dst.height()} - DY);
    if (i0 >= i1 || j0 >= j1) return;

    // Columns i whose source column SX + i div 6 lies inside the source: [iLo, iHi).
    const std::int64_t sw = src.width(), sh = src.height();
    std::int64_t iLo = std::clamp<std::int64_t>(-SX * LedScale, i0, i1);
    std::int64_t iHi = std::clamp<std::int64_t>((sw - SX) * LedScale, i0, i1);
    if (iHi < iLo) iHi = iLo;
    // Columns a row writes: all of them with a fill colour, else only the copied ones.
    const std::int64_t wFrom = Fill ? i0 : iLo, wTo = Fill ? i1 : iHi;
    const std::size_t rowBytes = static_cast<std::size_t>(3 * (wTo - wFrom));

    for (std::int64_t j = j0; j < j1;) {
        // Rows j .. blockEnd-1 belong to the same block row.
        const std::int64_t blockEnd = std::min<std::int64_t>(j1, (j / LedScale + 1) * LedScale);
        const std::int64_t sy = SY + j / LedScale;
        const bool inside = sy >= 0 && sy < sh;
        if (!inside && !Fill) {
            j = blockEnd;
            continue;
        }
        std::uint8_t* first = dst.row(static_cast<int>(DY + j));
        std::uint8_t* d = first + 3 * (DX + i0);
        if (!inside) {
            fillPixels(d, i1 - i0, fill);
        } else {
            if (Fill) fillPixels(d, iLo - i0, fill);
            const std::uint8_t* s = src.row(static_cast<int>(sy));
            std::uint8_t* out = first + 3 * (DX + iLo);
            for (std::int64_t i = iLo; i < iHi;) {
                const std::int64_t end = std::min<std::int64_t>(iHi, (i / LedScale + 1) * LedScale);
                const std::uint8_t* px = s + 3 * (SX + i / LedScale);
                const std::uint8_t b = px[0], g = px[1], r = px[2];
                for (; i < end; ++i, out += 3) {
                    out[0] = b;
                    out[1] = g;
                    out[2] = r;
                }
            }
            if (Fill) fillPixels(out, i1 - iHi, fill);
        }
        const std::uint8_t* built = first + 3 * (DX + wFrom);
        for (std::int64_t k = j + 1; k < blockEnd; ++k)
            std::memcpy(dst.row(static_cast<int>(DY + k)) + 3 * (DX + wFrom), built, rowBytes);
        j = blockEnd;
    }
}

}  // namespace

void FastClearBitmap(Bitmap& Bmp, std::uint32_t col) {
    const int w = Bmp.width(), h = Bmp.height();
    if (w <= 0 || h <= 0) return;
    std::uint8_t* first = Bmp.row(0);
    fillPixels(first, w, pixelOf(col));
    for (int y = 1; y < h; ++y) std::memcpy(Bmp.row(y), first, static_cast<std::size_t>(3 * w));
}

void FastCopyRegionBmp(std::int64_t SX, std::int64_t SY, const Bitmap& BmpS, int DX, int DY, int W, int H,
                       Bitmap& BmpD, std::uint32_t col) {
    enlarge<true>(SX, SY, BmpS, DX, DY, W, H, BmpD, pixelOf(col));
}

void FastCopyRegion(std::int64_t SX, std::int64_t SY, const Bitmap& ImgS, int DX, int DY, int W, int H,
                    Bitmap& ImgD) {
    enlarge<false>(SX, SY, ImgS, DX, DY, W, H, ImgD, TRGB{});
}

void FastResizeBmp(const Bitmap& Bmps, Bitmap& BmpD) {
    constexpr int offset = LedScale / 2;  // the fourth pixel of each block
    const int sw = Bmps.width(), sh = Bmps.height();
    const int w = std::min(BmpD.width(), sw > offset ? (sw - offset - 1) / LedScale + 1 : 0);
    const int h = std::min(BmpD.height(), sh > offset ? (sh - offset - 1) / LedScale + 1 : 0);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* s = Bmps.row(LedScale * y + offset) + 3 * offset;
        std::uint8_t* d = BmpD.row(y);
        for (int x = 0; x < w; ++x, s += 3 * LedScale, d += 3) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
}

void FastDrawLinesHV(const sDane& dane, Surfaces& s, TRGB pix) {
    FastDrawLinesHV(editedView(dane).TypWidoku, s, pix);
}

void FastDrawLinesHV(std::int32_t type, Surfaces& s, TRGB pix) {
    Bitmap& p = s.preview;
    const int w = p.width(), h = p.height();
    // The track bars hold positions within their ranges.
    const int px = limits::BarXTrack.clamp(s.barX) * LedScale;
    const int py = limits::BarYTrack.clamp(s.barY) * LedScale;
    if (isViewType(type) && showsRegion(type, Region::Lewy) && px > 0 && px + 1 < w) {
        for (int y = 0; y < h; ++y) {
            std::uint8_t* d = p.row(y) + 3 * px;
            fillPixels(d, 2, pix);
        }
    }
    const int from = showsRegion(type, Region::Lewy) ? px : 0;
    if (showsRegion(type, Region::Dolny) && py > 0 && py + 1 < h && from < w) {
        for (int y = py; y <= py + 1; ++y) fillPixels(p.row(y) + 3 * from, w - from, pix);
    }
}

void FastDrawLines(const sDane& dane, Surfaces& s) {
    FastDrawLinesHV(dane, s, TRGB{155, 155, 155});
}

}  // namespace lt
