#pragma once
// Colour indices of the sign and the packing of a rendered region bitmap at
// one bit per pixel (the `ekran` pictures of the display image): 1 where a
// pixel shows the region's font colour, 0 everywhere else.

#include "render/bitmap.h"

#include <cstdint>

namespace lt {

/// The colour index 0..7 of a pixel: each channel is on above 128.
std::uint8_t EncodeColor(std::uint8_t R, std::uint8_t G, std::uint8_t B);

/// The channel values of a colour index (0 or 255 each); black above 7.
void DecodeColor(std::uint8_t col, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B);

/// Packs the top-left w x h pixels of Bmp into Buf, writing exactly
/// (w div 8) * h bytes, rows top first with no padding, the leftmost pixel
/// of each byte in bit 7. A bit is 1 where the pixel's colour index is fcol.
/// bcol is accepted and not used. Bits of pixels outside Bmp are 0.
void FastDimBitmapToScreen(const Bitmap& Bmp, std::uint8_t* Buf, std::int32_t w, std::int32_t h,
                           std::uint8_t fcol, std::uint8_t bcol);

/// Paints the top-left (w div 8) * 8 x h pixels of Bmp from Buf: 1-bits in
/// the colour of index fcol, 0-bits in that of bcol. Reads exactly
/// (w div 8) * h bytes; pixels outside Bmp are not written.
void FastDimScreenToBitmap(const std::uint8_t* Buf, Bitmap& Bmp, std::int32_t w, std::int32_t h,
                           std::uint8_t fcol, std::uint8_t bcol);

}  // namespace lt
