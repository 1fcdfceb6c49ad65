#include "display/colour.h"

#include <algorithm>
#include <cstring>

namespace lt {
namespace {

// Channel bits (red 1, green 2, blue 4) to colour index, and back.
constexpr std::uint8_t indexOfBits[8] = {0, 1, 2, 4, 3, 6, 5, 7};
constexpr std::uint8_t bitsOfIndex[8] = {0, 1, 2, 4, 3, 6, 5, 7};

inline std::uint8_t encodePixel(const std::uint8_t* p) {  // p: blue, green, red
    return indexOfBits[(p[2] > 128 ? 1 : 0) | (p[1] > 128 ? 2 : 0) | (p[0] > 128 ? 4 : 0)];
}

}  // namespace

std::uint8_t EncodeColor(std::uint8_t R, std::uint8_t G, std::uint8_t B) {
    return indexOfBits[(R > 128 ? 1 : 0) | (G > 128 ? 2 : 0) | (B > 128 ? 4 : 0)];
}

void DecodeColor(std::uint8_t col, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) {
    R = G = B = 0;
    if (col > 7) return;
    const std::uint8_t bits = bitsOfIndex[col];
    if (bits & 1) R = 255;
    if (bits & 2) G = 255;
    if (bits & 4) B = 255;
}

void FastDimBitmapToScreen(const Bitmap& Bmp, std::uint8_t* Buf, std::int32_t w, std::int32_t h,
                           std::uint8_t fcol, std::uint8_t /*bcol*/) {
    if (w < 8 || h < 1) return;
    const int bytesPerRow = w / 8;
    const int inside = std::min(bytesPerRow, Bmp.width() / 8);    // whole bytes inside the bitmap
    const int rest = std::clamp(Bmp.width() - inside * 8, 0, 7);  // pixels of a last partial byte
    const int rows = std::min(h, Bmp.height());
    std::uint8_t* out = Buf;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* p = Bmp.row(y);
        for (int k = 0; k < inside; ++k) {
            std::uint8_t byte = 0;
            for (int n = 0; n < 8; ++n, p += 3)
                if (encodePixel(p) == fcol) byte |= static_cast<std::uint8_t>(0x80 >> n);
            *out++ = byte;
        }
        if (inside < bytesPerRow) {
            std::uint8_t byte = 0;
            for (int n = 0; n < rest; ++n, p += 3)
                if (encodePixel(p) == fcol) byte |= static_cast<std::uint8_t>(0x80 >> n);
            *out++ = byte;
            const int zeros = bytesPerRow - inside - 1;
            std::memset(out, 0, static_cast<std::size_t>(zeros));
            out += zeros;
        }
    }
    if (rows < h)
        std::memset(out, 0, static_cast<std::size_t>(bytesPerRow) * static_cast<std::size_t>(h - rows));
}

void FastDimScreenToBitmap(const std::uint8_t* Buf, Bitmap& Bmp, std::int32_t w, std::int32_t h,
                           std::uint8_t fcol, std::uint8_t bcol) {
    if (w < 8 || h < 1) return;
    std::uint8_t fr, fg, fb, br, bg, bb;
    DecodeColor(fcol, fr, fg, fb);
    DecodeColor(bcol, br, bg, bb);
    const int bytesPerRow = w / 8;
    const int cols = std::min(bytesPerRow * 8, Bmp.width());
    const int rows = std::min(h, Bmp.height());
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* in = Buf + static_cast<std::size_t>(y) * static_cast<std::size_t>(bytesPerRow);
        std::uint8_t* d = Bmp.row(y);
        for (int x = 0; x < cols; ++x, d += 3) {
            const bool on = (in[x >> 3] & (0x80 >> (x & 7))) != 0;
            d[0] = on ? fb : bb;
            d[1] = on ? fg : bg;
            d[2] = on ? fr : br;
        }
    }
}

}  // namespace lt
