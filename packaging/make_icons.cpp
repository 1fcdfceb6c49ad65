// Draws the program icon at the sizes of the hicolor theme: a sign housing
// with an LED face showing a green route number on the left and a yellow and
// a white line of text on the right, the three regions of a view. Large sizes
// draw every LED as a dot; small sizes draw the lit LEDs as whole pixels so
// the picture stays crisp.
//
// Usage: linetint-icons OUTPUT_FOLDER SIZE...
// Writes OUTPUT_FOLDER/SIZExSIZE/apps/velmora-linetint.png for each size.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The LED face, 24 x 12 LEDs: 'g' green, 'y' yellow, 'w' white, '.' off.
const char* const Face[] = {
    "........................", ".ggggg..................", ".....g..yyyy.y.y.yyy.y..",
    "....g...y..y.y.y.y...y..", "...g....yyyy.yyy.yyy.y..", "...g....y......y.y...y..",
    "...g....y....yyy.yyy.yyy", "...g....................", "........................",
    "........wwww.ww.www.ww..", "........................", "........................",
};
constexpr int FaceW = 24;
constexpr int FaceH = 12;

QColor ledColour(char c) {
    switch (c) {
        case 'g': return QColor(40, 230, 60);
        case 'y': return QColor(255, 205, 30);
        case 'w': return QColor(245, 245, 245);
        default: return QColor(34, 38, 46);
    }
}

QImage drawIcon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, size >= 32);

    // The housing: a dark blue-grey rounded tile.
    const qreal margin = size / 16.0;
    QRectF housing(margin, margin * 2.5, size - 2 * margin, size - 5 * margin);
    QPainterPath body;
    body.addRoundedRect(housing, size / 8.0, size / 8.0);
    p.fillPath(body, QColor(29, 52, 84));
    if (size >= 32) {
        p.setPen(QPen(QColor(70, 110, 160), size / 48.0));
        p.drawPath(body);
    }

    // The black LED face inside it, as many whole device pixels per LED as
    // fit; below one pixel per LED the face is drawn at one and scaled down.
    const int avail = static_cast<int>(housing.width() - 2 * margin);
    const int cell = std::max(1, avail / FaceW);
    const int faceW = avail >= FaceW ? cell * FaceW : avail;
    const int faceH = avail >= FaceW ? cell * FaceH : avail / 2;
    const int fx = (size - faceW) / 2;
    const int fy = (size - faceH) / 2;
    const int rim = std::max(1, cell / 2);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(fx - rim, fy - rim, faceW + 2 * rim, faceH + 2 * rim, QColor(8, 9, 12));
    if (avail < FaceW) {
        QImage face(FaceW, FaceH, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < FaceH; ++y)
            for (int x = 0; x < FaceW; ++x) face.setPixelColor(x, y, ledColour(Face[y][x]));
        p.drawImage(QRect(fx, fy, faceW, faceH),
                    face.scaled(faceW, faceH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        p.end();
        return img;
    }
    const bool dots = cell >= 4;
    p.setRenderHint(QPainter::Antialiasing, dots);
    p.setPen(Qt::NoPen);
    for (int y = 0; y < FaceH; ++y) {
        for (int x = 0; x < FaceW; ++x) {
            const char c = Face[y][x];
            if (!dots && c == '.') continue;
            p.setBrush(ledColour(c));
            if (dots) {
                const qreal inset = cell * 0.12;
                p.drawEllipse(
                    QRectF(fx + x * cell + inset, fy + y * cell + inset, cell - 2 * inset, cell - 2 * inset));
            } else {
                p.drawRect(fx + x * cell, fy + y * cell, cell, cell);
            }
        }
    }
    p.end();
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: linetint-icons OUTPUT_FOLDER SIZE...\n");
        return 1;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 16 || size > 1024) {
            std::fprintf(stderr, "linetint-icons: size %s is outside 16..1024\n", argv[i]);
            return 1;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(dir)) {
            std::fprintf(stderr, "linetint-icons: cannot create %s\n", qPrintable(dir));
            return 1;
        }
        const QString file = dir + QStringLiteral("/velmora-linetint.png");
        if (!drawIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "linetint-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
