#pragma once
// Reading a display image back: its 8-bit texts and the sign face of one
// screen, composed only from the image's own bytes. Any 8,388,608 bytes are
// accepted: out-of-range layout values and colours are brought into range
// for drawing, and nothing is read outside the image.

#include "display/flash.h"
#include "model/text8.h"
#include "render/bitmap.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

namespace lt {

/// Where a screen puts its regions on the 128 x 32 face, in LED pixels; a
/// region the view type does not show has an empty window.
struct ScreenLayout {
    using Window = FaceWindow;
    int typ = 0;  // the view type used for drawing, 0..3
    Window gorny, dolny, lewy;
};

/// The layout that TypWidoku, BarX and BarY of a screen give. A type beyond 3
/// draws as 3, and the splits are kept inside the face.
ScreenLayout screenLayout(const sRegionsGray& r);

/// The colour index 0..7 of every LED of the face, row by row from the top.
using FaceLeds = std::array<std::uint8_t, SignWidth * SignHeight>;

/// Where each region's picture stands inside its window: LED (u, v) of the
/// window, counted from its top-left, shows picture pixel (u - x, v - y).
struct PictureShift {
    std::int32_t x = 0, y = 0;
};
struct FaceShifts {
    PictureShift gorny, dolny, lewy;
};

/// The colour index a region field of the image stands for: its low byte,
/// black above 7 (as DecodeColor reads it).
std::uint8_t regionColourIndex(std::int32_t colour);

/// Screen (l, v) as the sign shows it, as colour indices: each region's packed
/// picture in its two colours, shifted inside the region's window; window
/// LEDs beyond a picture (the bottom picture keeps 20 rows) show the region's
/// background colour.
FaceLeds DecodeScreenLeds(const sflash& flash, int l, int v, const FaceShifts& shifts = {});

/// The face in the eight sign colours, one pixel per LED: 128 x 32.
Bitmap faceBitmap(const FaceLeds& leds);

/// Screen (l, v) as the sign shows it with its texts standing still, 128 x 32
/// pixels (DecodeScreenLeds with no shift, in the sign colours).
Bitmap DecodeScreen(const sflash& flash, int l, int v);

/// Each pixel enlarged to a factor x factor block.
Bitmap enlargeBitmap(const Bitmap& src, int factor);

}  // namespace lt
