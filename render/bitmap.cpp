#include "render/bitmap.h"

namespace lt {

Bitmap::Bitmap(int width, int height) : m_image(width, height, QImage::Format_BGR888) {
    m_image.fill(Qt::black);
}

Surfaces::Surfaces() {
    for (auto& lang : BitmapsSG)
        for (auto& bmp : lang) bmp = Bitmap(SignWidth, SignHeight);
}

}  // namespace lt
