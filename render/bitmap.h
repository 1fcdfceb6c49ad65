#pragma once
// 24-bit bitmaps with direct row access. Pixels are three bytes in the order
// blue, green, red (the layout of TRGB); rows are numbered from 0 at the top
// and may carry alignment padding after the last pixel.

#include "model/records.h"
#include "model/sign.h"

#include <QImage>

#include <cstdint>

namespace lt {

/// A 24-bit bitmap held in a QImage of format BGR888, so QPainter can draw
/// text into it while the primitives work on its raw rows.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height);  // filled black

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    int bytesPerLine() const { return static_cast<int>(m_image.bytesPerLine()); }

    /// Start of row y: pixel x begins at byte 3 * x.
    std::uint8_t* row(int y) { return m_image.scanLine(y); }
    const std::uint8_t* row(int y) const { return m_image.constScanLine(y); }

    /// The image the pixels live in (QImage::Format_BGR888).
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

private:
    QImage m_image;
};

/// Screen pixels per LED pixel in the preview, in both directions.
inline constexpr int PreviewScale = 6;
/// The preview's size in screen pixels: the face enlarged.
inline constexpr int PreviewWidth = PreviewScale * SignWidth;
inline constexpr int PreviewHeight = PreviewScale * SignHeight;

/// Every picture of the sign that the editor holds.
struct Surfaces {
    Bitmap iGorny{regionSurfaceSize(Region::Gorny).width, regionSurfaceSize(Region::Gorny).height};
    Bitmap iDolny{regionSurfaceSize(Region::Dolny).width, regionSurfaceSize(Region::Dolny).height};
    Bitmap iLewy{regionSurfaceSize(Region::Lewy).width, regionSurfaceSize(Region::Lewy).height};
    Bitmap preview{PreviewWidth, PreviewHeight};  // the enlarged sign preview
    Bitmap ImageLED{512, SignHeight};             // scratch surface of the LED test
    Bitmap BitmapsSG[LanguageCount][ViewCount];   // thumbnails, one LED per pixel
    int barX = 0;  // position of the barX track bar (view loaded in the editor)
    int barY = 0;  // position of the barY track bar

    Surfaces();
    Bitmap& thumbnail(int lang, int view) { return BitmapsSG[lang - 1][view - 1]; }
    const Bitmap& thumbnail(int lang, int view) const { return BitmapsSG[lang - 1][view - 1]; }
};

}  // namespace lt
