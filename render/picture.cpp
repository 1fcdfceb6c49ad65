#include "render/picture.h"

#include "model/projectfile.h"

#include <QBuffer>
#include <QFileInfo>

#include <cstring>

namespace lt {
namespace {

void put16(char* p, std::uint16_t v) {
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

void put32(char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

constexpr int FileHeaderSize = 14, InfoHeaderSize = 40;
constexpr std::uint32_t PixelsPerMeter = 3780;  // 96 pixels per inch

}  // namespace

QByteArray bmpFileBytes(const Bitmap& bmp) {
    const int w = bmp.width(), h = bmp.height();
    const std::uint32_t rowSize = (static_cast<std::uint32_t>(w) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(h);
    const std::uint32_t offset = FileHeaderSize + InfoHeaderSize;
    QByteArray out(static_cast<qsizetype>(offset + imageSize), '\0');
    char* p = out.data();
    // BITMAPFILEHEADER
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, offset + imageSize);  // bfSize
    put32(p + 10, offset);             // bfOffBits (bfReserved1/2 stay 0)
    // BITMAPINFOHEADER
    char* q = p + FileHeaderSize;
    put32(q + 0, InfoHeaderSize);                 // biSize
    put32(q + 4, static_cast<std::uint32_t>(w));  // biWidth
    put32(q + 8, static_cast<std::uint32_t>(h));  // biHeight > 0: rows bottom-up
    put16(q + 12, 1);                             // biPlanes
    put16(q + 14, 24);                            // biBitCount
    put32(q + 16, 0);                             // biCompression = BI_RGB
    put32(q + 20, imageSize);                     // biSizeImage
    put32(q + 24, PixelsPerMeter);                // biXPelsPerMeter
    put32(q + 28, PixelsPerMeter);                // biYPelsPerMeter
    // biClrUsed and biClrImportant stay 0.
    // Pixel rows: the bottom row first; bitmap rows are already blue, green, red.
    for (int y = 0; y < h; ++y)
        std::memcpy(p + offset + static_cast<std::uint32_t>(h - 1 - y) * rowSize, bmp.row(y),
                    static_cast<std::size_t>(w) * 3);
    return out;
}

QString writeBmpFile(const Bitmap& bmp, const QString& path) {
    const QByteArray bytes = bmpFileBytes(bmp);
    return writeFileAtomically(path, bytes.constData(), bytes.size());
}

QString writePicture(const Bitmap& bmp, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("bmp")) return writeBmpFile(bmp, path);
    if (suffix != QLatin1String("png"))
        return QStringLiteral("%1: the picture must be a .bmp or a .png file").arg(path);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!bmp.image().save(&buffer, "PNG"))
        return QStringLiteral("%1: the PNG picture could not be made").arg(path);
    return writeFileAtomically(path, bytes.constData(), bytes.size());
}

}  // namespace lt
