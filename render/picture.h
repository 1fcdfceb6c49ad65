#pragma once
// Pictures written from bitmaps: the Windows BMP of "Save as picture".

#include "render/bitmap.h"

#include <QByteArray>
#include <QString>

namespace lt {

/// The bitmap as a Windows BMP file: BITMAPFILEHEADER, BITMAPINFOHEADER,
/// 24 bits per pixel, uncompressed, rows bottom-up, each padded to 4 bytes.
QByteArray bmpFileBytes(const Bitmap& bmp);

/// Writes the bitmap as a BMP file in one block through a temporary file
/// renamed over the target. An empty string on success, else the system's
/// error text; a failure leaves an existing file as it was.
QString writeBmpFile(const Bitmap& bmp, const QString& path);

/// Writes the bitmap as a picture of the kind the file name says: ".bmp"
/// (as writeBmpFile) or ".png". An empty string on success, else the error.
QString writePicture(const Bitmap& bmp, const QString& path);

}  // namespace lt
