#include "print/instructions.h"

#include "print/lcdfont.h"
#include "print/printpage.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>

#include <array>
#include <vector>

namespace lt {

// --- The character LCD ----------------------------------------------------------

namespace {

constexpr int LcdColumns = 16;
constexpr int LcdRows = 2;
constexpr qreal LcdGlassPad = 2.5;  // in dot pitches, around the character area
constexpr qreal LcdBezel = 3.0;     // in dot pitches

}  // namespace

QSizeF lcdSize(qreal pitch) {
    const qreal chars = LcdColumns * 6 - 1;  // 5 dots and one gap per character
    const qreal rows = LcdRows * 9 - 1;      // 8 dot rows and one gap per line
    const qreal frame = 2 * (LcdGlassPad + LcdBezel);
    return {(chars + frame) * pitch, (rows + frame) * pitch};
}

void drawLcd(QPainter& painter, QPointF topLeft, qreal pitch, const QString& line1, const QString& line2) {
    const QSizeF size = lcdSize(pitch);
    const QRectF outer(topLeft, size);
    const QRectF glass =
        outer.adjusted(LcdBezel * pitch, LcdBezel * pitch, -LcdBezel * pitch, -LcdBezel * pitch);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0x34, 0x38));
    painter.drawRoundedRect(outer, pitch * 1.6, pitch * 1.6);
    QLinearGradient backlight(glass.topLeft(), glass.bottomLeft());
    backlight.setColorAt(0, QColor(0xC6, 0xDA, 0x6A));
    backlight.setColorAt(1, QColor(0xB2, 0xCA, 0x50));
    painter.setBrush(backlight);
    painter.drawRoundedRect(glass, pitch * 0.6, pitch * 0.6);

    const QColor lit(0x1C, 0x26, 0x10);
    const QColor unlit(0xA6, 0xBE, 0x46);
    const qreal dot = pitch * 0.84;
    const QString lines[LcdRows] = {line1, line2};
    const QPointF origin = glass.topLeft() + QPointF(LcdGlassPad * pitch, LcdGlassPad * pitch);
    for (int r = 0; r < LcdRows; ++r) {
        for (int c = 0; c < LcdColumns; ++c) {
            const QChar ch = c < lines[r].size() ? lines[r][c] : QChar(u' ');
            const LcdGlyph g = lcdGlyph(ch);
            const QPointF cell = origin + QPointF(c * 6 * pitch, r * 9 * pitch);
            for (int x = 0; x < 5; ++x)
                for (int y = 0; y < 8; ++y) {
                    const bool on = (g[x] >> y & 1) != 0;
                    painter.setBrush(on ? lit : unlit);
                    painter.drawRect(QRectF(cell + QPointF(x * pitch, y * pitch), QSizeF(dot, dot)));
                }
        }
    }
    painter.restore();
}

// --- The instruction picture -------------------------------------------------------

namespace {

// The picture is laid out on a landscape A4 sheet (297 x 210 mm at 10 px/mm)
// and turned onto the portrait page.
constexpr int SheetW = PageHeight;
constexpr int SheetH = PageWidth;
constexpr int Margin = 110;

const QColor Ink(0x1A, 0x1A, 0x1A);
const QColor Muted(0x55, 0x5B, 0x63);
const QColor Accent(0x1F, 0x4E, 0x79);
const QColor AccentLight(0xE6, 0xEE, 0xF6);
const QColor CardBorder(0xB4, 0xC2, 0xD0);
const QColor Warn(0xB0, 0x48, 0x10);
const QColor WarnLight(0xFB, 0xEF, 0xE4);

QFont sheetFont(int px, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

/// A line of text with its cell's top-left at (x, y); returns its width.
qreal line(QPainter& p, qreal x, qreal y, const QString& s, const QFont& f, const QColor& c) {
    p.setFont(f);
    p.setPen(c);
    const QFontMetricsF fm(f);
    p.drawText(QPointF(x, y + fm.ascent()), s);
    return fm.horizontalAdvance(s);
}

/// Rich text (b, i, br) wrapped to `width`; returns its height.
qreal paragraph(QPainter& p, qreal x, qreal y, qreal width, const QString& html, int px,
                const QColor& c = Ink) {
    QTextDocument doc;
    doc.setDocumentMargin(0);
    doc.setDefaultFont(sheetFont(px));
    doc.setDefaultStyleSheet(
        QStringLiteral("body { color: %1; } b { color: %2; }").arg(c.name(), Ink.name()));
    doc.setHtml(QStringLiteral("<body>") + html + QStringLiteral("</body>"));
    doc.setTextWidth(width);
    p.save();
    p.translate(x, y);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, c);
    doc.documentLayout()->draw(&p, ctx);
    p.restore();
    return doc.size().height();
}

enum class Key { Left, Right, Enter };

QString keyName(Key k) {
    switch (k) {
        case Key::Left: return QStringLiteral("LEFT");
        case Key::Right: return QStringLiteral("RIGHT");
        case Key::Enter: return QStringLiteral("ENTER");
    }
    return {};
}

/// The symbol of a panel button: LEFT a down arrow, RIGHT an up arrow, ENTER a tick.
void keySymbol(QPainter& p, QPointF c, qreal s, Key k, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (k == Key::Enter) {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPainterPath tick;
        tick.moveTo(c + QPointF(-0.30 * s, 0.02 * s));
        tick.lineTo(c + QPointF(-0.08 * s, 0.24 * s));
        tick.lineTo(c + QPointF(0.32 * s, -0.24 * s));
        p.drawPath(tick);
    } else {
        const qreal dir = k == Key::Left ? 1 : -1;  // down for LEFT, up for RIGHT
        p.setPen(pen);
        p.drawLine(c + QPointF(0, -0.26 * s * dir), c + QPointF(0, 0.05 * s * dir));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        QPainterPath head;
        head.moveTo(c + QPointF(0, 0.32 * s * dir));
        head.lineTo(c + QPointF(-0.24 * s, 0.02 * s * dir));
        head.lineTo(c + QPointF(0.24 * s, 0.02 * s * dir));
        head.closeSubpath();
        p.drawPath(head);
    }
    p.restore();
}

/// A panel button of side s centred at c; `push` rings it in the accent colour.
void key(QPainter& p, QPointF c, qreal s, Key k, bool push) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(c.x() - s / 2, c.y() - s / 2, s, s);
    if (push) {
        p.setPen(QPen(Accent, s * 0.06));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(-s * 0.12, -s * 0.12, s * 0.12, s * 0.12), s * 0.28, s * 0.28);
    }
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, QColor(0xF4, 0xF5, 0xF6));
    face.setColorAt(1, QColor(0xC9, 0xCD, 0xD2));
    p.setPen(QPen(QColor(0x40, 0x44, 0x48), s * 0.035));
    p.setBrush(face);
    p.drawRoundedRect(r, s * 0.2, s * 0.2);
    p.restore();
    keySymbol(p, c, s, k, Ink);
}

/// A button with its name under it; returns the height used.
qreal labelledKey(QPainter& p, QPointF c, qreal s, Key k, bool push, const QColor& labelColour = Ink) {
    key(p, c, s, k, push);
    const QFont f = sheetFont(static_cast<int>(s * 0.3), true);
    const qreal w = QFontMetricsF(f).horizontalAdvance(keyName(k));
    line(p, c.x() - w / 2, c.y() + s * 0.5 + s * 0.2, keyName(k), f, labelColour);
    return s * 0.7 + QFontMetricsF(f).height() + s * 0.2;
}

/// The product mark: a small LED matrix lit in the sign's colours.
void productMark(QPainter& p, QRectF r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x22, 0x25, 0x29));
    p.drawRoundedRect(r, r.height() * 0.14, r.height() * 0.14);
    const int cols = 16, rows = 6;
    const qreal pitch = (r.width() - r.height() * 0.3) / cols;
    const QPointF o = r.topLeft() + QPointF(r.height() * 0.15, (r.height() - rows * pitch) / 2);
    const std::array<QColor, 7> tints = {QColor(0xE5, 0x39, 0x35), QColor(0xF9, 0xC8, 0x2B),
                                         QColor(0x43, 0xA0, 0x47), QColor(0x26, 0xC6, 0xDA),
                                         QColor(0x1E, 0x63, 0xD6), QColor(0xC2, 0x3B, 0xC8),
                                         QColor(0xF4, 0xF4, 0xF4)};
    for (int x = 0; x < cols; ++x)
        for (int y = 0; y < rows; ++y) {
            const bool on = (x + rows - y) % 4 != 0 && (x * 3 + y * 5) % 7 != 0;
            p.setBrush(on ? tints[static_cast<std::size_t>((x + y) / 3) % tints.size()]
                          : QColor(0x3A, 0x3E, 0x44));
            p.drawEllipse(QRectF(o + QPointF(x * pitch, y * pitch), QSizeF(pitch * 0.78, pitch * 0.78)));
        }
    p.restore();
}

/// A USB stick moving into a socket.
void usbStick(QPainter& p, QPointF c, qreal s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // socket
    p.setPen(QPen(QColor(0x40, 0x44, 0x48), s * 0.04));
    p.setBrush(QColor(0x30, 0x34, 0x38));
    p.drawRoundedRect(QRectF(c.x() + s * 0.95, c.y() - s * 0.32, s * 0.28, s * 0.64), s * 0.05, s * 0.05);
    p.setBrush(QColor(0xDD, 0xDF, 0xE2));
    p.drawRect(QRectF(c.x() + s * 1.02, c.y() - s * 0.2, s * 0.14, s * 0.4));
    // stick body and connector
    p.setPen(QPen(QColor(0x40, 0x44, 0x48), s * 0.04));
    p.setBrush(Accent);
    p.drawRoundedRect(QRectF(c.x() - s * 1.2, c.y() - s * 0.28, s * 1.1, s * 0.56), s * 0.14, s * 0.14);
    p.setBrush(QColor(0xD4, 0xD7, 0xDB));
    p.drawRect(QRectF(c.x() - s * 0.1, c.y() - s * 0.2, s * 0.5, s * 0.4));
    p.setBrush(QColor(0x50, 0x54, 0x58));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(c.x() + s * 0.06, c.y() - s * 0.12, s * 0.1, s * 0.08));
    p.drawRect(QRectF(c.x() + s * 0.22, c.y() - s * 0.12, s * 0.1, s * 0.08));
    line(p, c.x() - s * 1.02, c.y() - s * 0.14, QStringLiteral("USB"),
         sheetFont(static_cast<int>(s * 0.26), true), Qt::white);
    // motion arrow
    p.setPen(QPen(Accent, s * 0.07, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() + s * 0.48, c.y() + s * 0.48), QPointF(c.x() + s * 0.82, c.y() + s * 0.48));
    QPainterPath head;
    head.moveTo(c.x() + s * 0.92, c.y() + s * 0.48);
    head.lineTo(c.x() + s * 0.78, c.y() + s * 0.38);
    head.lineTo(c.x() + s * 0.78, c.y() + s * 0.58);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawPath(head);
    p.restore();
}

void warningSign(QPainter& p, QPointF c, qreal s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tri;
    tri.moveTo(c + QPointF(0, -s * 0.5));
    tri.lineTo(c + QPointF(s * 0.56, s * 0.45));
    tri.lineTo(c + QPointF(-s * 0.56, s * 0.45));
    tri.closeSubpath();
    p.setPen(QPen(Warn, s * 0.08, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xFF, 0xD1, 0x4A));
    p.drawPath(tri);
    p.setPen(QPen(Ink, s * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(0, -s * 0.18), c + QPointF(0, s * 0.12));
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(c + QPointF(0, s * 0.29), s * 0.06, s * 0.06);
    p.restore();
}

/// A small chevron pointing right, between pictures of a sequence.
void chevron(QPainter& p, QPointF c, qreal s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Accent, s * 0.22, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{c + QPointF(-s * 0.25, -s * 0.45), c + QPointF(s * 0.25, 0),
                             c + QPointF(-s * 0.25, s * 0.45)});
    p.restore();
}

struct LcdShot {
    QString caption;
    QString line1;
    QString line2;
};

constexpr qreal CardLcdPitch = 4.3;
constexpr int CardHeader = 108;
constexpr int CardPad = 28;
constexpr int BodyTop = CardHeader + 20;
constexpr int BodyHeight = 116;
constexpr int SlotTop = BodyTop + BodyHeight + 6;
constexpr int SlotHeight = 130;
constexpr int LcdAreaTop = SlotTop + SlotHeight + 8;
constexpr int CaptionPx = 26;

/// The frame, number badge, title and text of one step; returns the card rectangle.
QRectF stepCard(QPainter& p, QRectF r, int number, const QString& title, const QString& body) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(CardBorder, 3));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 18, 18);
    QPainterPath head;
    head.addRoundedRect(r, 18, 18);
    QPainterPath strip;
    strip.addRect(QRectF(r.left(), r.top(), r.width(), CardHeader));
    p.setPen(Qt::NoPen);
    p.setBrush(AccentLight);
    p.drawPath(head.intersected(strip));
    p.setPen(QPen(CardBorder, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 18, 18);
    const QPointF badge(r.left() + CardPad + 42, r.top() + CardHeader / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawEllipse(badge, 42, 42);
    p.restore();
    const QFont nf = sheetFont(54, true);
    const QString n = QString::number(number);
    const QFontMetricsF nfm(nf);
    line(p, badge.x() - nfm.horizontalAdvance(n) / 2, badge.y() - nfm.height() / 2, n, nf, Qt::white);
    const QFont tf = sheetFont(44, true);
    line(p, r.left() + CardPad + 108, r.top() + (CardHeader - QFontMetricsF(tf).height()) / 2, title, tf,
         Accent);
    paragraph(p, r.left() + CardPad, r.top() + BodyTop, r.width() - 2 * CardPad, body, 31);
    return r;
}

/// An LCD with its caption above it, centred on cx; returns the height used.
qreal captionedLcd(QPainter& p, qreal cx, qreal top, const LcdShot& shot, qreal pitch = CardLcdPitch) {
    const QFont f = sheetFont(CaptionPx, true);
    const QFontMetricsF fm(f);
    line(p, cx - fm.horizontalAdvance(shot.caption) / 2, top, shot.caption, f, Muted);
    const QSizeF s = lcdSize(pitch);
    drawLcd(p, QPointF(cx - s.width() / 2, top + fm.height() + 8), pitch, shot.line1, shot.line2);
    return fm.height() + 8 + s.height();
}

/// One or two LCDs stacked in the card's picture area.
void cardLcds(QPainter& p, QRectF r, const std::vector<LcdShot>& shots) {
    const qreal one = QFontMetricsF(sheetFont(CaptionPx, true)).height() + 8 + lcdSize(CardLcdPitch).height();
    const qreal gap = 18;
    const qreal total = static_cast<qreal>(shots.size()) * one + static_cast<qreal>(shots.size() - 1) * gap;
    const qreal area = r.height() - LcdAreaTop - CardPad;
    qreal y = r.top() + LcdAreaTop + (area - total) / 2;
    for (const LcdShot& s : shots) y += captionedLcd(p, r.center().x(), y, s) + gap;
}

/// Buttons in the card's slot, centred; `joined` puts "+" between them.
void cardKeys(QPainter& p, QRectF r, const std::vector<Key>& keys, bool push, bool joined,
              const QString& note) {
    const qreal s = 72;
    const qreal step = joined ? 140 : 122;
    const qreal noteW = note.isEmpty() ? 0 : QFontMetricsF(sheetFont(30, true)).horizontalAdvance(note) + 36;
    const qreal total = (static_cast<qreal>(keys.size()) - 1) * step + s + noteW;
    qreal x = r.center().x() - total / 2;
    const qreal cy = r.top() + SlotTop + 8 + s / 2;
    if (!note.isEmpty()) {
        line(p, x, cy - QFontMetricsF(sheetFont(30, true)).height() / 2, note, sheetFont(30, true), Accent);
        x += noteW;
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const QPointF c(x + s / 2 + static_cast<qreal>(i) * step, cy);
        labelledKey(p, c, s, keys[i], push);
        if (joined && i + 1 < keys.size()) {
            const QFont f = sheetFont(50, true);
            const QFontMetricsF fm(f);
            line(p, c.x() + step / 2 - fm.horizontalAdvance(QStringLiteral("+")) / 2, cy - fm.height() / 2,
                 QStringLiteral("+"), f, Muted);
        }
    }
}

void header(QPainter& p) {
    productMark(p, QRectF(Margin, 78, 190, 92));
    line(p, Margin + 220, 74, QStringLiteral("Velmora Line Tint"), sheetFont(50, true), Accent);
    line(p, Margin + 222, 134, QStringLiteral("Multi-colour LED destination signs"), sheetFont(30), Muted);
    const QFont rf = sheetFont(30, true);
    const QString r1 = QStringLiteral("Service instruction for depot staff");
    line(p, SheetW - Margin - QFontMetricsF(rf).horizontalAdvance(r1), 84, r1, rf, Muted);
    const QFont rf2 = sheetFont(28);
    const QString r2 = QStringLiteral("Destination list and firmware update by USB stick");
    line(p, SheetW - Margin - QFontMetricsF(rf2).horizontalAdvance(r2), 130, r2, rf2, Muted);

    line(p, Margin - 4, 200, QStringLiteral("Instruction for loading sequences into the display"),
         sheetFont(82, true), Ink);
    line(p, Margin, 304,
         QStringLiteral("Load the new destination list from the USB stick into the sign in five steps at the "
                        "sign's control panel."),
         sheetFont(36), Muted);
    p.fillRect(QRectF(Margin, 366, SheetW - 2 * Margin, 6), Accent);
}

void controlPanel(QPainter& p, qreal x, qreal y, qreal w) {
    line(p, x, y, QStringLiteral("The control panel"), sheetFont(42, true), Accent);
    const QRectF panel(x, y + 66, w, 500);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(panel.topLeft(), panel.bottomLeft());
    body.setColorAt(0, QColor(0x4A, 0x50, 0x57));
    body.setColorAt(1, QColor(0x2C, 0x30, 0x35));
    p.setPen(QPen(QColor(0x1E, 0x21, 0x24), 4));
    p.setBrush(body);
    p.drawRoundedRect(panel, 28, 28);
    p.restore();
    const qreal pitch = 6.0;
    const QSizeF ls = lcdSize(pitch);
    drawLcd(p, QPointF(panel.center().x() - ls.width() / 2, panel.top() + 40), pitch,
            QStringLiteral("VELMORA LT v1.03"), QStringLiteral("Dest. 101  12:30"));
    const qreal ky = panel.top() + 40 + ls.height() + 110;
    const std::array<Key, 3> keys = {Key::Left, Key::Right, Key::Enter};
    for (int i = 0; i < 3; ++i)
        labelledKey(p, QPointF(panel.left() + w * (i + 1) / 4.0, ky), 104, keys[static_cast<std::size_t>(i)],
                    false, Qt::white);
    // USB socket on the panel's lower edge
    const QRectF sock(panel.center().x() - 46, panel.bottom() - 62, 92, 34);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x9A, 0xA0, 0xA6), 3));
    p.setBrush(QColor(0x14, 0x16, 0x18));
    p.drawRoundedRect(sock, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xCF, 0xD3, 0xD7));
    p.drawRect(sock.adjusted(14, 9, -14, -17));
    p.restore();
    const QFont uf = sheetFont(26, true);
    line(p, sock.right() + 18, sock.top() + 1, QStringLiteral("USB"), uf, QColor(0xD8, 0xDC, 0xE0));

    // legend of the button symbols
    qreal ly = panel.bottom() + 36;
    const std::array<QString, 3> meaning = {QStringLiteral("marked with a down arrow"),
                                            QStringLiteral("marked with an up arrow"),
                                            QStringLiteral("marked with a tick")};
    for (int i = 0; i < 3; ++i) {
        const Key k = keys[static_cast<std::size_t>(i)];
        key(p, QPointF(x + 36, ly + 36), 62, k, false);
        const qreal nw = line(p, x + 96, ly + 14, keyName(k), sheetFont(34, true), Ink);
        line(p, x + 96 + nw + 14, ly + 16, meaning[static_cast<std::size_t>(i)], sheetFont(31), Muted);
        ly += 84;
    }
}

void needBox(QPainter& p, QRectF r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(CardBorder, 3));
    p.setBrush(AccentLight);
    p.drawRoundedRect(r, 18, 18);
    p.restore();
    line(p, r.left() + 30, r.top() + 24, QStringLiteral("You need"), sheetFont(36, true), Accent);
    paragraph(p, r.left() + 30, r.top() + 80, r.width() - 60,
              QStringLiteral("&#8226;&nbsp; the USB stick with the pendrive file made by <b>Export to "
                             "pendrive</b> in Velmora Line Tint;<br>"
                             "&#8226;&nbsp; access to the control panel, with the sign switched on;<br>"
                             "&#8226;&nbsp; a few minutes: programming takes about three minutes."),
              30);
}

void cautionBox(QPainter& p, QRectF r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Warn, 3));
    p.setBrush(WarnLight);
    p.drawRoundedRect(r, 18, 18);
    p.restore();
    warningSign(p, QPointF(r.left() + 70, r.top() + 72), 84);
    line(p, r.left() + 134, r.top() + 44, QStringLiteral("Caution"), sheetFont(38, true), Warn);
    paragraph(p, r.left() + 30, r.top() + 132, r.width() - 60,
              QStringLiteral("Do not switch the sign off and do not pull out the USB stick while the LCD "
                             "shows <b>Erasing</b>, <b>Programming</b> or <b>Verify</b>. If the LCD does not "
                             "ask to release the keys, check the USB stick and start again at step 2."),
              30);
}

void footer(QPainter& p) {
    const qreal y = SheetH - 96;
    p.fillRect(QRectF(Margin, y, SheetW - 2 * Margin, 3), CardBorder);
    line(p, Margin, y + 18,
         QStringLiteral(
             "Velmora Line Tint  \u00B7  Update instruction for the destination sign  \u00B7  Keep this "
             "sheet with the USB stick"),
         sheetFont(27), Muted);
    const QFont f = sheetFont(CaptionPx, true);
    const QString right = QStringLiteral("Sheet 1 of 1");
    line(p, SheetW - Margin - QFontMetricsF(f).horizontalAdvance(right), y + 18, right, f, Muted);
}

void steps(QPainter& p, qreal x0, qreal y0, qreal w, qreal h) {
    const qreal gap = 40;
    const qreal cw = (w - 2 * gap) / 3;
    const qreal ch = (h - gap) / 2;
    const qreal y1 = y0 + ch + gap;

    QRectF r = stepCard(p, QRectF(x0, y0, cw, ch), 1, QStringLiteral("Insert the USB stick"),
                        QStringLiteral("Insert the USB stick holding the pendrive file into the <b>USB</b> "
                                       "socket of the control panel."));
    usbStick(p, QPointF(r.center().x() - 40, r.top() + SlotTop + SlotHeight / 2.0 - 6), 110);
    cardLcds(p, r,
             {{QStringLiteral("The sign in service"), QStringLiteral("VELMORA LT v1.03"),
               QStringLiteral("Dest. 101  12:30")}});

    r = stepCard(p, QRectF(x0 + cw + gap, y0, cw, ch), 2, QStringLiteral("Restart the sign"),
                 QStringLiteral("Push <b>all three buttons together</b>. The sign restarts, shows its start "
                                "screen and looks for the USB stick."));
    cardKeys(p, r, {Key::Left, Key::Right, Key::Enter}, true, true, {});
    cardLcds(p, r,
             {{QStringLiteral("Start screen"), QStringLiteral("VELMORA LT v1.03"),
               QStringLiteral("Searching USB...")}});

    r = stepCard(
        p, QRectF(x0 + 2 * (cw + gap), y0, cw, ch), 3, QStringLiteral("Release the keys"),
        QStringLiteral("Let go of the buttons when the LCD asks for it. The LCD then offers to program "
                       "with RIGHT or to leave with ENTER."));
    cardKeys(p, r, {Key::Left, Key::Right, Key::Enter}, false, false, QStringLiteral("Release"));
    cardLcds(p, r,
             {{QStringLiteral("The LCD asks"), QStringLiteral("  Release keys"), QString()},
              {QStringLiteral("Then it offers"), QStringLiteral("RIGHT: program"),
               QStringLiteral("ENTER: exit")}});

    // Step 4: programming, four LCD pictures in reading order.
    r = stepCard(
        p, QRectF(x0, y1, 2 * cw + gap, ch), 4, QStringLiteral("Program the sign"),
        QStringLiteral("Push <b>RIGHT</b>. The controller erases its flash memory, programs the new "
                       "destination list, verifies it and reports that the graphics flash is programmed. "
                       "The LCD shows each step with a progress count; wait for the last message."));
    cardKeys(p, r, {Key::Right}, true, false, QStringLiteral("Push"));
    const std::array<LcdShot, 4> prog = {
        LcdShot{QStringLiteral("a  Erasing the flash memory"), QStringLiteral("Erasing...   37%"),
                QString(6, QChar(LcdBlock))},
        LcdShot{QStringLiteral("b  Programming the destinations"), QStringLiteral("Programming"),
                QStringLiteral("         120/900")},
        LcdShot{QStringLiteral("c  Checking what was written"), QStringLiteral("Verify"),
                QStringLiteral("         900/900")},
        LcdShot{QStringLiteral("d  Done"), QStringLiteral("Graphics flash"), QStringLiteral("programmed")}};
    const qreal lw = lcdSize(CardLcdPitch).width();
    const qreal one = QFontMetricsF(sheetFont(CaptionPx, true)).height() + 8 + lcdSize(CardLcdPitch).height();
    const qreal colGap = 150;
    const qreal rowGap = 18;
    const qreal gx = r.center().x() - (2 * lw + colGap) / 2;
    const qreal area = r.height() - LcdAreaTop - CardPad;
    const qreal gy = r.top() + LcdAreaTop + (area - (2 * one + rowGap)) / 2;
    for (int i = 0; i < 4; ++i) {
        const qreal cx = gx + lw / 2 + (i % 2) * (lw + colGap);
        const qreal cy = gy + (i / 2) * (one + rowGap);
        captionedLcd(p, cx, cy, prog[static_cast<std::size_t>(i)]);
        if (i % 2 == 0) chevron(p, QPointF(gx + lw + colGap / 2, cy + one / 2 + 18), 48);
    }

    r = stepCard(
        p, QRectF(x0 + 2 * (cw + gap), y1, cw, ch), 5, QStringLiteral("Restart"),
        QStringLiteral("Push <b>ENTER</b>. The sign restarts with the new destinations. Take out the "
                       "USB stick."));
    cardKeys(p, r, {Key::Enter}, true, false, QStringLiteral("Push"));
    cardLcds(p, r,
             {{QStringLiteral("The sign restarts"), QStringLiteral("Restarting..."), QString()},
              {QStringLiteral("New destinations in service"), QStringLiteral("VELMORA LT v1.03"),
               QStringLiteral("Dest. 1    Ready")}});
}

QImage makeInstructionPicture() {
    QImage page(PageWidth, PageHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Landscape sheet turned a quarter to the left: its top runs along the
    // page's left edge, read with the page turned a quarter to the right.
    p.translate(0, PageHeight);
    p.rotate(-90);
    header(p);
    const qreal top = 410;
    const qreal bottom = SheetH - 130;
    const qreal leftW = 720;
    controlPanel(p, Margin, top, leftW);
    needBox(p, QRectF(Margin, top + 880, leftW, 300));
    cautionBox(p, QRectF(Margin, top + 1210, leftW, bottom - top - 1210));
    steps(p, Margin + leftW + 50, top, SheetW - 2 * Margin - leftW - 50, bottom - top);
    footer(p);
    p.end();
    return page.convertToFormat(QImage::Format_BGR888);
}

}  // namespace

const QImage& instructionPicture() {
    static const QImage picture = makeInstructionPicture();
    return picture;
}

void drawInstructionsPage(Bitmap& page) {
    clearPage(page);
    QPainter p(&page.image());
    p.drawImage(QPoint(0, 0), instructionPicture());
}

}  // namespace lt
