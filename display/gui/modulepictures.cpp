#include "display/gui/modulepictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace lt {

namespace {

/// Which LEDs the test pattern lights: the pitch label drawn at LED
/// resolution in the largest size that fits, or a frame when none fits.
QImage litMask(const sModule& m) {
    QImage mask(std::max(1, m.X), std::max(1, m.Y), QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter p(&mask);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleStrategy(QFont::NoAntialias);
    f.setBold(true);
    p.setPen(Qt::white);
    const QString pitch = pitchText(m.Pitch, QLocale::c());
    const QStringList labels = {QStringLiteral("P") + pitch, pitch,
                                QString::number(static_cast<int>(m.Pitch))};
    for (const QString& label : labels) {
        for (int size = std::max(7, m.Y * 5 / 8); size >= 7; --size) {
            f.setPixelSize(size);
            const QFontMetrics fm(f);
            if (fm.horizontalAdvance(label) > m.X - 2 || fm.ascent() > m.Y) continue;
            p.setFont(f);
            p.drawText(QRect(0, 0, mask.width(), mask.height()), Qt::AlignCenter, label);
            return mask;
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int inset = 1; inset * 2 < std::min(m.X, m.Y); inset += 3) {
        p.drawRect(inset, inset, m.X - 2 * inset, 1);
        p.drawRect(inset, m.Y - 1 - inset, m.X - 2 * inset, 1);
        p.drawRect(inset, inset, 1, m.Y - 2 * inset);
        p.drawRect(m.X - 1 - inset, inset, 1, m.Y - 2 * inset);
    }
    return mask;
}

}  // namespace

QImage drawModulePicture(const sModule& m, int number) {
    QImage img(ModulePictureWidth, ModulePictureHeight, QImage::Format_RGB32);
    img.fill(QColor(0xE8, 0xE8, 0xE4));
    if (m.X <= 0 || m.Y <= 0) return img;

    // The board keeps the module's proportions inside the picture.
    const double margin = 6;
    const double availW = ModulePictureWidth - 2 * margin, availH = ModulePictureHeight - 2 * margin;
    const double cell = std::min(availW / m.X, availH / m.Y);
    const double bw = cell * m.X, bh = cell * m.Y;
    const QRectF board((ModulePictureWidth - bw) / 2, (ModulePictureHeight - bh) / 2, bw, bh);

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Shadow, plastic frame and the black LED mask.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(board.translated(2.5, 2.5).adjusted(-3, -3, 3, 3), 3, 3);
    p.setBrush(QColor(0x26, 0x26, 0x28));
    p.drawRoundedRect(board.adjusted(-3, -3, 3, 3), 3, 3);
    p.setBrush(QColor(0x0B, 0x0B, 0x0C));
    p.drawRect(board);

    // The LEDs: a package that fills less of its cell as the pitch grows.
    const double fillShare = std::clamp(0.75 - m.Pitch * 0.03, 0.45, 0.7);
    const double led = std::max(1.0, cell * fillShare);
    static const QColor litColors[] = {QColor(255, 40, 30), QColor(40, 235, 70), QColor(255, 170, 20),
                                       QColor(255, 255, 245), QColor(60, 140, 255)};
    const QColor lit = litColors[(std::max(number, 1) - 1) % 5];
    const QImage mask = litMask(m);
    for (int y = 0; y < m.Y; ++y) {
        const uchar* mrow = mask.constScanLine(y);
        for (int x = 0; x < m.X; ++x) {
            const QPointF c(board.left() + (x + 0.5) * cell, board.top() + (y + 0.5) * cell);
            const bool on = mrow[x] > 127;
            // A faint colour band on the bottom row shows the three colours.
            QColor col = on ? lit : QColor(0x30, 0x30, 0x32);
            if (!on && y == m.Y - 1)
                col = (x * 3 / m.X == 0) ? QColor(150, 20, 20)
                                         : (x * 3 / m.X == 1 ? QColor(20, 130, 40) : QColor(25, 50, 160));
            p.setBrush(col);
            if (led >= 3)
                p.drawRoundedRect(QRectF(c.x() - led / 2, c.y() - led / 2, led, led), led / 4, led / 4);
            else
                p.drawRect(QRectF(c.x() - led / 2, c.y() - led / 2, led, led));
            if (on && led >= 3) {
                p.setBrush(QColor(255, 255, 255, 110));  // highlight of a lit package
                p.drawEllipse(QPointF(c.x() - led / 6, c.y() - led / 6), led / 7, led / 7);
            }
        }
    }

    // Mounting posts (magnet screws) near the corners of the mask.
    p.setBrush(QColor(0x55, 0x55, 0x58));
    const double r = std::max(2.0, cell * 0.5);
    for (double fx : {0.25, 0.75})
        for (double fy : {0.25, 0.75})
            if (m.X >= 32)
                p.drawEllipse(QPointF(board.left() + bw * fx, board.top() + bh * fy), r * 0.6, r * 0.6);

    // Arrow marking the input side (HUB connector) on the frame.
    p.setBrush(QColor(0xD0, 0xD0, 0xD0));
    QPainterPath arrow;
    const double ay = board.top() - 1.5;
    arrow.moveTo(board.left() + 6, ay - 1.2);
    arrow.lineTo(board.left() + 14, ay - 1.2);
    arrow.lineTo(board.left() + 14, ay - 2.5);
    arrow.lineTo(board.left() + 18, ay);
    arrow.lineTo(board.left() + 14, ay + 2.5);
    arrow.lineTo(board.left() + 14, ay + 1.2);
    arrow.lineTo(board.left() + 6, ay + 1.2);
    arrow.closeSubpath();
    p.drawPath(arrow);
    p.end();
    return img;
}

QList<QImage> moduleImageList(const ModuleCatalogue& catalogue) {
    QList<QImage> list;
    for (int k = 1; k <= catalogue.ModuleCount; ++k) list << drawModulePicture(catalogue.module(k), k);
    return list;
}

}  // namespace lt
