#pragma once
// Reading a display image back: its 8-bit texts and the sign face of one
// screen, composed only from the image's own bytes. Any 8,388,608 bytes are
// accepted: out-of-range layout values and colours are brought into range
// for drawing, and nothing is read outside the image.

#include "display/flash.h"
#include "render/bitmap.h"

#include <QString>

#include <cstddef>

namespace lt {

/// The text of an 8-bit image field up to its zero byte (or the field's end):
/// the control codes 1..8 become the small Polish letters they stand for
/// (8 reads as ź, which it shares with ż), every other byte is Latin-1.
QString AnsiCharToString(const char* chars, int capacity);
template <std::size_t N>
QString AnsiCharToString(const char (&chars)[N]) {
    return AnsiCharToString(chars, static_cast<int>(N));
}

/// Where a screen puts its regions on the 128 x 32 face, in LED pixels; a
/// region the view type does not show has an empty window.
struct ScreenLayout {
    struct Window {
        int left = 0, top = 0, width = 0, height = 0;
        bool empty() const { return width <= 0 || height <= 0; }
    };
    int typ = 0;  // the view type used for drawing, 0..3
    Window gorny, dolny, lewy;
};

/// The layout that TypWidoku, BarX and BarY of a screen give. A type beyond 3
/// draws as 3, and the splits are kept inside the face.
ScreenLayout screenLayout(const sRegionsGray& r);

/// Screen (l, v) as the sign shows it with its texts standing still: each
/// region's packed picture in its two colours, from its top-left pixel, in the
/// region's window; face pixels beyond a picture (the bottom picture keeps 20
/// rows) show the region's background colour. 128 x 32 pixels.
Bitmap DecodeScreen(const sflash& flash, int l, int v);

/// Each pixel enlarged to a factor x factor block.
Bitmap enlargeBitmap(const Bitmap& src, int factor);

}  // namespace lt
