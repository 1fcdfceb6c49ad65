#pragma once
// Small helpers shared by the rendering tests: pixel sets and counts over
// rectangles of a bitmap.

#include "model/records.h"
#include "render/bitmap.h"
#include "render/pixels.h"

#include <QRect>

#include <cstdint>
#include <set>

namespace lt::test {

inline std::uint32_t key(TRGB p) {
    return std::uint32_t{p.b} << 16 | std::uint32_t{p.g} << 8 | p.r;
}
inline std::uint32_t key(std::uint32_t colourValue) {
    return key(pixelOf(colourValue));
}

/// The distinct pixel values inside rect (the whole bitmap by default).
inline std::set<std::uint32_t> pixelSet(const Bitmap& bmp, QRect rect = QRect()) {
    if (rect.isNull()) rect = QRect(0, 0, bmp.width(), bmp.height());
    std::set<std::uint32_t> out;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) out.insert(key(GetPixel(bmp, x, y)));
    return out;
}

/// Pixels inside rect that differ from the colour value.
inline int countOther(const Bitmap& bmp, QRect rect, std::uint32_t colourValue) {
    int n = 0;
    const std::uint32_t k = key(colourValue);
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) n += key(GetPixel(bmp, x, y)) != k;
    return n;
}

inline bool samePixels(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (key(GetPixel(a, x, y)) != key(GetPixel(b, x, y))) return false;
    return true;
}

/// The smallest rectangle holding every pixel that differs from the colour value.
inline QRect inkBox(const Bitmap& bmp, std::uint32_t background) {
    QRect box;
    const std::uint32_t k = key(background);
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x)
            if (key(GetPixel(bmp, x, y)) != k) box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace lt::test
