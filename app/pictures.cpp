#include "app/pictures.h"

#include "model/sign.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace lt {

namespace {

const QColor SlateDark(0x24, 0x33, 0x44);
const QColor SlateMid(0x4f, 0x6d, 0x8a);
const QColor SlateMuted(0x7d, 0x8a, 0x97);

QFont pixelFont(const QString& family, int pixelSize, bool bold = false) {
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

/// A 128 x 32 LED picture of a destination: route number on the left, two
/// lines of text on the right, as the sign shows a view of type 3.
QImage demoSign() {
    QImage img(SignWidth, SignHeight, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.fillRect(QRect(40, 21, 88, 11), QColor(0, 0, 255));
    p.setFont(pixelFont(QStringLiteral("Liberation Sans"), 26, true));
    p.setPen(QColor(0, 255, 0));
    p.drawText(QRect(0, 0, 40, 32), Qt::AlignCenter, QStringLiteral("42"));
    p.setFont(pixelFont(QStringLiteral("Liberation Sans Narrow"), 19, true));
    p.setPen(Qt::white);
    p.drawText(QRect(42, -2, 86, 22), Qt::AlignCenter, QStringLiteral("Velmora"));
    p.setFont(pixelFont(QStringLiteral("Liberation Sans"), 10));
    p.setPen(QColor(255, 255, 0));
    p.drawText(QRect(40, 21, 88, 11), Qt::AlignCenter, QStringLiteral("Line Tint"));
    p.setPen(QColor(155, 155, 155));
    p.drawLine(40, 0, 40, 31);
    p.drawLine(40, 21, 127, 21);
    return img;
}

/// Draws an LED picture as round dots of the given pitch inside a housing.
void drawLedMatrix(QPainter& p, const QImage& leds, QPointF origin, qreal pitch) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const qreal r = pitch * 0.38;
    for (int y = 0; y < leds.height(); ++y)
        for (int x = 0; x < leds.width(); ++x) {
            const QColor c = leds.pixelColor(x, y);
            const QPointF centre = origin + QPointF((x + 0.5) * pitch, (y + 0.5) * pitch);
            if (c.red() + c.green() + c.blue() < 40) {
                p.setBrush(QColor(0x2a, 0x2f, 0x36));
                p.drawEllipse(centre, r * 0.9, r * 0.9);
                continue;
            }
            QColor glow = c;
            glow.setAlpha(70);
            p.setBrush(glow);
            p.drawEllipse(centre, r * 1.45, r * 1.45);
            p.setBrush(c.lighter(115));
            p.drawEllipse(centre, r, r);
        }
    p.restore();
}

/// A sign housing with its LED face.
void drawSign(QPainter& p, const QRectF& frame, const QImage& leds) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient metal(frame.topLeft(), frame.bottomLeft());
    metal.setColorAt(0, QColor(0xcf, 0xd6, 0xdd));
    metal.setColorAt(0.5, QColor(0x9a, 0xa5, 0xb1));
    metal.setColorAt(1, QColor(0x6c, 0x78, 0x85));
    p.setPen(QPen(QColor(0x4a, 0x55, 0x60), 1));
    p.setBrush(metal);
    p.drawRoundedRect(frame, 10, 10);
    const QRectF face = frame.adjusted(9, 9, -9, -9);
    p.setBrush(QColor(0x0d, 0x10, 0x13));
    p.setPen(QPen(QColor(0x30, 0x36, 0x3d), 1));
    p.drawRoundedRect(face, 4, 4);
    const qreal pitch = std::min((face.width() - 8) / leds.width(), (face.height() - 8) / leds.height());
    const QSizeF used(pitch * leds.width(), pitch * leds.height());
    drawLedMatrix(p, leds, face.center() - QPointF(used.width() / 2, used.height() / 2), pitch);
    // Glass reflection.
    QLinearGradient glass(face.topLeft(), face.bottomLeft());
    glass.setColorAt(0, QColor(255, 255, 255, 34));
    glass.setColorAt(0.45, QColor(255, 255, 255, 6));
    glass.setColorAt(0.46, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawRoundedRect(face, 4, 4);
    p.restore();
}

void drawColourRow(QPainter& p, QPointF centre, qreal radius) {
    const QColor colours[8] = {
        Qt::black,           QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),
        QColor(255, 255, 0), QColor(0, 255, 255), QColor(255, 0, 255), Qt::white};
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal step = radius * 2.8;
    QPointF c = centre - QPointF(step * 3.5, 0);
    for (const QColor& colour : colours) {
        p.setPen(QPen(QColor(0x8c, 0x9a, 0xa8), 1));
        p.setBrush(colour);
        p.drawEllipse(c, radius, radius);
        c += QPointF(step, 0);
    }
    p.restore();
}

void drawChip(QPainter& p, const QRectF& r, const QString& label, int pinsPerSide) {
    p.save();
    p.setPen(QPen(QColor(0xc9, 0xcf, 0xd4), 1.2));
    const qreal gap = r.width() / (pinsPerSide + 1);
    for (int i = 1; i <= pinsPerSide; ++i) {
        p.drawLine(QPointF(r.left() + i * gap, r.top() - 4), QPointF(r.left() + i * gap, r.top()));
        p.drawLine(QPointF(r.left() + i * gap, r.bottom()), QPointF(r.left() + i * gap, r.bottom() + 4));
    }
    const qreal vgap = r.height() / (pinsPerSide + 1);
    for (int i = 1; i <= pinsPerSide; ++i) {
        p.drawLine(QPointF(r.left() - 4, r.top() + i * vgap), QPointF(r.left(), r.top() + i * vgap));
        p.drawLine(QPointF(r.right(), r.top() + i * vgap), QPointF(r.right() + 4, r.top() + i * vgap));
    }
    p.setPen(QPen(QColor(0x10, 0x12, 0x14), 1));
    p.setBrush(QColor(0x22, 0x26, 0x2b));
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QColor(0xb8, 0xc0, 0xc8));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(8);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, label);
    p.setBrush(QColor(0x55, 0x5c, 0x63));
    p.setPen(Qt::NoPen);
    p.drawEllipse(r.topLeft() + QPointF(5, 5), 2, 2);
    p.restore();
}

void drawHeader(QPainter& p, const QRectF& r, const QString& label, int pins) {
    p.save();
    p.setPen(QPen(QColor(0x15, 0x15, 0x15), 1));
    p.setBrush(QColor(0x2b, 0x2b, 0x2e));
    p.drawRect(r);
    const qreal pitch = r.width() / pins;
    p.setBrush(QColor(0xd9, 0xb3, 0x4a));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < pins; ++i)
        for (int row = 0; row < 2; ++row)
            p.drawRect(QRectF(r.left() + i * pitch + pitch / 2 - 1.5,
                              r.top() + r.height() * (row ? 0.68 : 0.32) - 1.5, 3, 3));
    p.setPen(QColor(0xf2, 0xf2, 0xe8));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(r.left() - 10, r.bottom() + 2, r.width() + 20, 12), Qt::AlignCenter, label);
    p.restore();
}

}  // namespace

QImage aboutPicture(int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient band(0, 0, 0, 150);
    band.setColorAt(0, QColor(0xe4, 0xec, 0xf3));
    band.setColorAt(1, Qt::white);
    p.fillRect(QRect(0, 0, width, 150), band);

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(SlateDark);
    p.drawText(QRect(0, 22, width, 40), Qt::AlignCenter, QStringLiteral("Velmora Line Tint"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(13);
    p.setFont(sub);
    p.setPen(SlateMid);
    p.drawText(QRect(0, 62, width, 20), Qt::AlignCenter,
               QStringLiteral("Editor for multi-colour LED destination signs"));

    const qreal signW = width - 44;
    const QRectF frame((width - signW) / 2, 100, signW, signW / 4 + 18);
    drawSign(p, frame, demoSign());

    // Mounting brackets under the sign.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8c, 0x97, 0xa3));
    p.drawRoundedRect(QRectF(frame.left() + 40, frame.bottom(), 14, 10), 2, 2);
    p.drawRoundedRect(QRectF(frame.right() - 54, frame.bottom(), 14, 10), 2, 2);

    const qreal y = frame.bottom() + 36;
    drawColourRow(p, QPointF(width / 2.0, y), 7);
    QFont facts(QStringLiteral("DejaVu Sans"));
    facts.setPixelSize(12);
    p.setFont(facts);
    p.setPen(SlateMuted);
    p.drawText(
        QRectF(0, y + 16, width, 18), Qt::AlignCenter,
        QStringLiteral("128 \u00d7 32 LEDs  \u00b7  8 colours  \u00b7  300 destinations in 3 languages"));
    p.setPen(QPen(QColor(0xd5, 0xdd, 0xe5), 1));
    p.drawLine(QPointF(40, height - 1.5), QPointF(width - 40, height - 1.5));
    return img;
}

QImage hardwarePicture(int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(QColor(0xf4, 0xf6, 0xf8));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(17);
    title.setBold(true);
    p.setFont(title);
    p.setPen(SlateDark);
    p.drawText(QRect(0, 10, width, 24), Qt::AlignCenter, QStringLiteral("Sign controller"));

    // The board.
    const QRectF board(24, 46, width - 48, 230);
    p.setPen(QPen(QColor(0x0e, 0x3d, 0x22), 1.5));
    QLinearGradient pcb(board.topLeft(), board.bottomRight());
    pcb.setColorAt(0, QColor(0x1f, 0x6e, 0x3e));
    pcb.setColorAt(1, QColor(0x16, 0x55, 0x30));
    p.setBrush(pcb);
    p.drawRoundedRect(board, 8, 8);
    // Traces.
    p.setPen(QPen(QColor(0x3a, 0x8f, 0x58), 1.4));
    for (int i = 0; i < 7; ++i) {
        const qreal y = board.top() + 70 + i * 8;
        p.drawLine(QPointF(board.left() + 130, y), QPointF(board.left() + 190, y));
        p.drawLine(QPointF(board.left() + 190, y), QPointF(board.left() + 205, y + 15));
    }
    for (int i = 0; i < 5; ++i) {
        const qreal x = board.left() + 60 + i * 8;
        p.drawLine(QPointF(x, board.top() + 110), QPointF(x, board.bottom() - 40));
    }
    // Mounting holes.
    p.setBrush(QColor(0xf4, 0xf6, 0xf8));
    p.setPen(QPen(QColor(0xc8, 0xb0, 0x5a), 2));
    for (const QPointF c : {board.topLeft() + QPointF(12, 12), board.topRight() + QPointF(-12, 12),
                            board.bottomLeft() + QPointF(12, -12), board.bottomRight() + QPointF(-12, -12)})
        p.drawEllipse(c, 5, 5);

    drawChip(p, QRectF(board.left() + 40, board.top() + 45, 80, 62), QStringLiteral("CPU"), 8);
    drawChip(p, QRectF(board.left() + 215, board.top() + 70, 58, 40), QStringLiteral("FLASH 8M"), 5);
    drawChip(p, QRectF(board.left() + 215, board.top() + 130, 58, 30), QStringLiteral("EEPROM"), 4);

    // USB socket for the pendrive.
    const QRectF usb(board.right() - 78, board.top() + 16, 50, 30);
    p.setPen(QPen(QColor(0x70, 0x78, 0x80), 1));
    QLinearGradient steel(usb.topLeft(), usb.bottomLeft());
    steel.setColorAt(0, QColor(0xee, 0xf1, 0xf4));
    steel.setColorAt(1, QColor(0xa9, 0xb2, 0xbb));
    p.setBrush(steel);
    p.drawRect(usb);
    p.setBrush(QColor(0x1c, 0x3f, 0x8c));
    p.drawRect(usb.adjusted(8, 9, -8, -9));

    drawHeader(p, QRectF(board.left() + 24, board.bottom() - 42, 96, 20), QStringLiteral("LED OUT"), 8);
    drawHeader(p, QRectF(board.left() + 140, board.bottom() - 42, 60, 20), QStringLiteral("LCD"), 5);
    drawHeader(p, QRectF(board.left() + 220, board.bottom() - 42, 36, 20), QStringLiteral("24 V"), 2);

    // Crystal and status LEDs.
    p.setPen(QPen(QColor(0x80, 0x86, 0x8c), 1));
    p.setBrush(QColor(0xd6, 0xda, 0xde));
    p.drawRoundedRect(QRectF(board.left() + 135, board.top() + 30, 30, 12), 6, 6);
    const QColor status[3] = {QColor(0, 230, 0), QColor(255, 190, 0), QColor(255, 40, 40)};
    for (int i = 0; i < 3; ++i) {
        const QPointF c(board.right() - 67 + i * 14, board.top() + 66);
        QRadialGradient g(c, 9);
        QColor halo = status[i];
        halo.setAlpha(120);
        g.setColorAt(0, halo);
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, 9, 9);
        p.setBrush(status[i]);
        p.drawEllipse(c, 3.2, 3.2);
    }
    QFont silk(QStringLiteral("DejaVu Sans"));
    silk.setPixelSize(9);
    silk.setBold(true);
    p.setFont(silk);
    p.setPen(QColor(0xf2, 0xf2, 0xe8));
    p.drawText(QRectF(usb.left() - 10, usb.bottom() + 2, usb.width() + 20, 12), Qt::AlignCenter,
               QStringLiteral("USB"));
    p.drawText(QRectF(board.left() + 130, board.top() + 10, 120, 12), Qt::AlignLeft,
               QStringLiteral("VLT-128C"));

    // What the controller does, below the board.
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPixelSize(12);
    p.setFont(body);
    const QStringList lines = {
        QStringLiteral("Drives a face of 128 \u00d7 32 LEDs in 8 colours"),
        QStringLiteral("Reads the 8 MiB pendrive file from the USB socket"),
        QStringLiteral("Holds 300 destinations in up to 3 languages"),
        QStringLiteral("Driver display with adjustable LCD contrast"),
        QStringLiteral("Firmware update from the pendrive file"),
    };
    qreal y = board.bottom() + 22;
    for (const QString& line : lines) {
        p.setPen(Qt::NoPen);
        p.setBrush(SlateMid);
        p.drawEllipse(QPointF(44, y + 7), 2.5, 2.5);
        p.setPen(SlateDark);
        p.drawText(QRectF(54, y, width - 70, 16), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += 21;
    }
    return img;
}

QImage viewTypePicture(int type) {
    QImage img(SignWidth, SignHeight, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    const int bx = 40, by = 21;
    // An unknown type is drawn as the top region alone.
    const std::int32_t shape = isViewType(type) ? type : vtTop;
    const bool left = showsRegion(shape, Region::Lewy);
    const bool bottom = showsRegion(shape, Region::Dolny);
    const auto rect = [&](Region r) {
        const FaceWindow w = regionWindowOnFace(shape, bx, by, r);
        return QRect(w.left, w.top, w.width, w.height);
    };
    if (bottom) p.fillRect(rect(Region::Dolny), QColor(0, 0, 255));
    p.setFont(pixelFont(QStringLiteral("Liberation Sans"), bottom ? 17 : 24, true));
    p.setPen(Qt::white);
    p.drawText(rect(Region::Gorny), Qt::AlignCenter, QStringLiteral("T2"));
    if (bottom) {
        p.setFont(pixelFont(QStringLiteral("Liberation Sans"), 10, true));
        p.setPen(QColor(255, 255, 0));
        p.drawText(rect(Region::Dolny), Qt::AlignCenter, QStringLiteral("T3"));
    }
    if (left) {
        p.setFont(pixelFont(QStringLiteral("Liberation Sans"), 24, true));
        p.setPen(QColor(0, 255, 0));
        p.drawText(rect(Region::Lewy), Qt::AlignCenter, QStringLiteral("T1"));
    }
    p.setPen(QColor(155, 155, 155));
    if (left) p.drawLine(bx, 0, bx, SignHeight - 1);
    if (bottom) p.drawLine(rect(Region::Dolny).left(), by, SignWidth - 1, by);
    return img;
}

}  // namespace lt
