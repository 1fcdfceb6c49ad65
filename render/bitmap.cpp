#include "render/bitmap.h"

#include <cstring>

namespace lt {

Bitmap::Bitmap(int width, int height) : m_image(width, height, QImage::Format_BGR888) {
    // Black is all bytes 0: cleared at once rather than pixel by pixel.
    if (!m_image.isNull()) std::memset(m_image.bits(), 0, static_cast<std::size_t>(m_image.sizeInBytes()));
}

Surfaces::Surfaces() {
    for (auto& lang : BitmapsSG)
        for (auto& bmp : lang) bmp = Bitmap(SignWidth, SignHeight);
}

}  // namespace lt
