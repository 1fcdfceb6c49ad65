#include "display/colour.h"

#include <algorithm>
#include <cstring>

namespace lt {
namespace {

// Channel bits (red 1, green 2, blue 4) to colour index, and back.
constexpr std::uint8_t indexOfBits[8] = {0, 1, 2, 4, 3, 6, 5, 7};
constexpr std::uint8_t bitsOfIndex[8] = {0, 1, 2, 4, 3, 6, 5, 7};

/// The channel bits of a pixel (p: blue, green, red), each channel lit above
/// 128: (c + 127) >> 8 is 1 for 129..255 and 0 below, with no branch, since
/// this runs for every pixel of every picture packed.
[[gnu::always_inline]] inline unsigned channelBits(const std::uint8_t* p) {
    return (unsigned{p[2]} + 127) >> 8 | ((unsigned{p[1]} + 127) >> 8) << 1 |
           ((unsigned{p[0]} + 127) >> 8) << 2;
}

/// One byte of a packed picture from count pixels (at most 8) from p, the
/// first in the top bit: a bit is set where the pixel's channel bits are one
/// of the patterns in the mask (bit k for channel bits k).
[[gnu::always_inline]] inline std::uint8_t packPixels(const std::uint8_t* p, int count, unsigned patterns) {
    unsigned byte = 0;
    for (int n = 0; n < count; ++n, p += 3) byte = byte << 1 | (patterns >> channelBits(p) & 1u);
    return static_cast<std::uint8_t>(byte << (8 - count));
}

}  // namespace

std::uint8_t EncodeColor(std::uint8_t R, std::uint8_t G, std::uint8_t B) {
    const std::uint8_t p[3] = {B, G, R};
    return indexOfBits[channelBits(p)];
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
    // The channel patterns whose colour index is the font colour.
    unsigned patterns = 0;
    for (unsigned b = 0; b < 8; ++b)
        if (indexOfBits[b] == fcol) patterns |= 1u << b;
    std::uint8_t* out = Buf;
    // Most of a surface is its background, so a run of eight pixels is most
    // often the run before it again: its byte is then the one before too.
    std::uint64_t last[3] = {};
    std::uint8_t lastByte = 0;
    bool known = false;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* p = Bmp.row(y);
        for (int k = 0; k < inside; ++k, p += 24) {
            std::uint64_t run[3];
            std::memcpy(run, p, sizeof run);
            if (!known || run[0] != last[0] || run[1] != last[1] || run[2] != last[2]) {
                lastByte = packPixels(p, 8, patterns);
                std::memcpy(last, run, sizeof run);
                known = true;
            }
            *out++ = lastByte;
        }
        if (inside < bytesPerRow) {
            *out++ = rest > 0 ? packPixels(p, rest, patterns) : 0;
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
