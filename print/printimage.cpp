#include "print/printimage.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace lt {

qint64 MulDiv(qint64 a, qint64 b, qint64 c) {
    if (c == 0) return -1;
    const qint64 product = a * b;
    const bool negative = (product < 0) != (c < 0);
    const qint64 num = product < 0 ? -product : product;
    const qint64 den = c < 0 ? -c : c;
    const qint64 q = (num + den / 2) / den;
    return negative ? -q : q;
}

QSize PrintFit(QSize picture, QSize printable, int zoomPercent) {
    const qint64 w = picture.width(), h = picture.height();
    const qint64 pw = printable.width(), ph = printable.height();
    if (w <= 0 || h <= 0 || pw <= 0 || ph <= 0) return {};
    qint64 printW, printH;
    if (w * ph > pw * h) {  // the picture is wider than the printable area
        printW = pw;
        printH = MulDiv(h, pw, w);
    } else {
        printW = MulDiv(w, ph, h);
        printH = ph;
    }
    printW = MulDiv(printW, zoomPercent, 100);
    printH = MulDiv(printH, zoomPercent, 100);
    return QSize(static_cast<int>(printW), static_cast<int>(printH));
}

QSize printableArea(const QPagedPaintDevice& device) {
    return device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
}

void PrintImage(QPainter& painter, const QImage& picture, QSize printable, int zoomPercent) {
    const QSize size = PrintFit(picture.size(), printable, zoomPercent);
    if (size.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(QPoint(0, 0), size), picture);
    painter.restore();
}

QString printDocument(QPagedPaintDevice& device, int count, const PageDrawing& drawPage) {
    QPainter painter;
    if (!painter.begin(&device)) return QStringLiteral("The printer could not start the document.");
    for (int page = 0; page < count; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return QStringLiteral("The printer could not start page %1.").arg(page + 1);
        }
        drawPage(painter, page);
    }
    if (!painter.end()) return QStringLiteral("The printer could not finish the document.");
    return {};
}

QString printPages(QPagedPaintDevice& device, QSize printable, int count, const PageSource& pageAt) {
    return printDocument(device, count, [&](QPainter& painter, int page) {
        PrintImage(painter, pageAt(page), printable, 100);
    });
}

}  // namespace lt
