#pragma once
// Putting page bitmaps on paper: the fit of a picture to the printable area
// and the loop that prints a sheet page by page onto any paged device (a
// printer, or a PDF writer).

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace lt {

/// a * b / c computed in 64 bits and rounded to the nearest integer (halves
/// away from zero). Returns -1 when c is 0.
qint64 MulDiv(qint64 a, qint64 b, qint64 c);

/// The print size of a W x H picture on a PW x PH printable area: as large
/// as fits with the picture's proportions, then scaled by zoomPercent / 100.
/// Empty when either size is empty.
QSize PrintFit(QSize picture, QSize printable, int zoomPercent);

/// The printable area of a paged device in device pixels; a painter on the
/// device has its origin at the area's top-left corner.
QSize printableArea(const QPagedPaintDevice& device);

/// `PrintImage`: draws the whole picture stretched (a plain copy, no
/// smoothing) into the fitted rectangle at the top-left corner of the
/// printable area.
void PrintImage(QPainter& painter, const QImage& picture, QSize printable, int zoomPercent);

/// Supplies the picture of page `page` (0-based) just before it is printed.
using PageSource = std::function<QImage(int page)>;

/// Draws page `page` (0-based) of a document with a painter on the device.
using PageDrawing = std::function<void(QPainter& painter, int page)>;

/// Prints `count` pages on one document of `device`, starting a new device
/// page between pages. Returns an empty string on success, else what failed.
QString printDocument(QPagedPaintDevice& device, int count, const PageDrawing& drawPage);

/// Prints `count` pages on one document of `device`, each fitted to the
/// printable area with PrintImage(picture, 100), starting a new device page
/// between pages. Returns an empty string on success, else what failed.
QString printPages(QPagedPaintDevice& device, QSize printable, int count, const PageSource& pageAt);

}  // namespace lt
