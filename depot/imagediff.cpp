#include "depot/imagediff.h"

#include "model/sign.h"

#include <QJsonArray>

#include <bit>
#include <cstring>

namespace lt {
namespace {

const char16_t* const polishLower[] = {u"ą", u"ć", u"ę", u"ł", u"ń", u"ó", u"ś", u"ź/ż"};

QString quoted(const QString& s) {
    return QLatin1Char('"') + s + QLatin1Char('"');
}

int differingBytes(const void* a, const void* b, std::size_t size) {
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    int n = 0;
    for (std::size_t i = 0; i < size; ++i) n += pa[i] != pb[i] ? 1 : 0;
    return n;
}

QString colourName(std::int32_t c) {
    static const char* names[] = {"black", "red", "green", "blue", "yellow", "cyan", "magenta", "white"};
    return c >= 0 && c < 8 ? QStringLiteral("%1 (%2)").arg(c).arg(QLatin1String(names[c]))
                           : QString::number(c);
}

QString listName(std::int32_t c, const QStringList& texts) {
    return c >= 0 && c < texts.size() ? QStringLiteral("%1 (%2)").arg(c).arg(texts[c]) : QString::number(c);
}

/// Collects the changes of one group of fields.
class Fields {
public:
    explicit Fields(QList<FieldChange>& out) : m_out(out) {}

    template <typename T>
    void number(const QString& name, T a, T b) {
        if (a != b) m_out.append({name, QString::number(a), QString::number(b)});
    }
    void named(const QString& name, std::int32_t a, std::int32_t b, QString (*show)(std::int32_t)) {
        if (a != b) m_out.append({name, show(a), show(b)});
    }
    void shown(const QString& name, const QString& a, const QString& b) {
        if (a != b) m_out.append({name, a, b});
    }
    /// A zero-terminated 8-bit text: the text when it differs, else the count
    /// of differing bytes after its end (what the sign never shows).
    void text(const QString& name, const char* a, const char* b, int size) {
        const QString ta = imageText(a, size);
        const QString tb = imageText(b, size);
        if (ta != tb) {
            m_out.append({name, quoted(ta), quoted(tb)});
            return;
        }
        block(name + QStringLiteral(" (bytes after the text)"), a, b, size);
    }
    /// A block compared by its bytes.
    void block(const QString& name, const void* a, const void* b, int size) {
        const int n = differingBytes(a, b, static_cast<std::size_t>(size));
        if (n > 0) m_out.append({name, QString(), QStringLiteral("%1 of %2 bytes differ").arg(n).arg(size)});
    }

private:
    QList<FieldChange>& m_out;
};

QString ipText(const std::uint8_t* ip) {
    return QStringLiteral("%1.%2.%3.%4").arg(ip[0]).arg(ip[1]).arg(ip[2]).arg(ip[3]);
}

QString macText(const std::uint8_t* mac) {
    QStringList parts;
    for (int i = 0; i < 6; ++i) parts << QStringLiteral("%1").arg(mac[i], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

QString movementName(std::int32_t c) {
    return listName(c, MovementTexts());
}
QString styleName(std::int32_t c) {
    return listName(c, StyleTexts());
}

template <typename R>
void regionSettings(Fields& f, const QString& word, const R& a, const R& b) {
    f.number(word + QStringLiteral(" sign"), a.sign, b.sign);
    f.number(word + QStringLiteral(" TextWidth"), a.TextWidth, b.TextWidth);
    f.number(word + QStringLiteral(" TextHeight"), a.TextHeight, b.TextHeight);
    f.named(word + QStringLiteral(" movement"), a.Ruch, b.Ruch, movementName);
    f.number(word + QStringLiteral(" direction"), a.Direction, b.Direction);
    f.number(word + QStringLiteral(" speed"), a.Speed, b.Speed);
    f.number(word + QStringLiteral(" X"), a.X, b.X);
    f.number(word + QStringLiteral(" Y"), a.Y, b.Y);
    f.number(word + QStringLiteral(" Alias"), a.Alias, b.Alias);
    f.number(word + QStringLiteral(" size"), a.FontSize, b.FontSize);
    f.named(word + QStringLiteral(" style"), a.Styl, b.Styl, styleName);
    f.named(word + QStringLiteral(" font colour"), a.FontColor, b.FontColor, colourName);
    f.named(word + QStringLiteral(" background colour"), a.BackColor, b.BackColor, colourName);
}

template <typename R>
void regionTexts(Fields& f, const QString& word, const R& a, const R& b) {
    f.text(word + QStringLiteral(" text"), a.Text, b.Text, R::TextSize);
    f.text(word + QStringLiteral(" font"), a.FontName, b.FontName, 24);
}

void pictureChange(QList<PictureChange>& out, const QString& region, const std::uint8_t* a,
                   const std::uint8_t* b, int size, int bytesPerRow, bool shown) {
    PictureChange c;
    c.region = region;
    c.shown = shown;
    c.left = bytesPerRow * 8;
    c.top = size / bytesPerRow;
    c.right = c.bottom = -1;
    for (int i = 0; i < size; ++i) {
        const std::uint8_t x = a[i] ^ b[i];
        if (x == 0) continue;
        ++c.bytes;
        c.pixels += std::popcount(x);
        const int row = i / bytesPerRow;
        const int col = (i % bytesPerRow) * 8;
        // The leftmost pixel is the most significant bit.
        const int first = col + std::countl_zero(x);
        const int last = col + 7 - std::countr_zero(x);
        c.left = std::min(c.left, first);
        c.right = std::max(c.right, last);
        c.top = std::min(c.top, row);
        c.bottom = std::max(c.bottom, row);
    }
    if (c.bytes > 0) out.append(c);
}

QJsonArray fieldsJson(const QList<FieldChange>& list) {
    QJsonArray a;
    for (const FieldChange& f : list) {
        QJsonObject o;
        o[QStringLiteral("field")] = f.field;
        if (f.before.isNull()) {
            o[QStringLiteral("change")] = f.after;
        } else {
            o[QStringLiteral("before")] = f.before;
            o[QStringLiteral("after")] = f.after;
        }
        a.append(o);
    }
    return a;
}

QString fieldText(const FieldChange& f) {
    if (f.before.isNull()) return QStringLiteral("%1: %2").arg(f.field, f.after);
    return QStringLiteral("%1: %2 -> %3").arg(f.field, f.before, f.after);
}

}  // namespace

QString imageText(const char* field, int size) {
    QString s;
    for (int i = 0; i < size && field[i] != 0; ++i) {
        const auto c = static_cast<unsigned char>(field[i]);
        if (c >= 1 && c <= 8)
            s += QString::fromUtf16(polishLower[c - 1]);
        else if (c < 0x20 || c == 0x7F)
            s += QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0')).toUpper();
        else
            s += QChar(c);
    }
    return s;
}

ImageDiff diffImages(const sflash& a, const sflash& b) {
    ImageDiff d;
    Fields h(d.header);
    h.number(QStringLiteral("version"), a.version, b.version);
    h.number(QStringLiteral("subvers"), a.subvers, b.subvers);
    h.number(QStringLiteral("verfirmware"), a.verfirmware, b.verfirmware);
    h.number(QStringLiteral("subfirmware"), a.subfirmware, b.subfirmware);
    h.number(QStringLiteral("ModuleType"), a.ModuleType, b.ModuleType);
    h.number(QStringLiteral("LedX"), a.LedX, b.LedX);
    h.number(QStringLiteral("LedY"), a.LedY, b.LedY);
    h.number(QStringLiteral("Color"), a.Color, b.Color);
    h.number(QStringLiteral("LCDLevel"), a.LCDLevel, b.LCDLevel);
    h.number(QStringLiteral("LCDType"), a.LCDType, b.LCDType);
    h.shown(QStringLiteral("IP"), ipText(a.IP), ipText(b.IP));
    h.shown(QStringLiteral("MAC"), macText(a.MAC), macText(b.MAC));
    h.text(QStringLiteral("host"), reinterpret_cast<const char*>(a.host),
           reinterpret_cast<const char*>(b.host), 24);
    for (int l = 1; l <= LanguageCount; ++l) {
        const QString lang = QStringLiteral("language %1").arg(l);
        h.number(lang + QStringLiteral(" use"), a.Lang[l - 1].Use, b.Lang[l - 1].Use);
        h.text(lang + QStringLiteral(" name"), a.Lang[l - 1].Nazwa, b.Lang[l - 1].Nazwa, 31);
    }
    h.number(QStringLiteral("ModuleNr"), a.ModuleNr, b.ModuleNr);
    h.block(QStringLiteral("alignment filler"), a.wyrownanie, b.wyrownanie, sizeof a.wyrownanie);
    h.block(QStringLiteral("EEPROM"), a.EEPROM, b.EEPROM, sizeof a.EEPROM);
    h.block(QStringLiteral("firmware"), a.firmware, b.firmware, sizeof a.firmware);
    h.block(QStringLiteral("filler after the screens"), a.fill, b.fill, sizeof a.fill);

    for (int l = 1; l <= LanguageCount; ++l) {
        for (int v = 1; v <= ViewCount; ++v) {
            const sscreengray& sa = screen(a, l, v);
            const sscreengray& sb = screen(b, l, v);
            if (std::memcmp(&sa, &sb, sizeof sa) == 0) continue;
            ScreenChange c;
            c.lang = l;
            c.view = v;
            Fields s(c.settings);
            s.number(QStringLiteral("use"), sa.use, sb.use);
            s.number(QStringLiteral("sizeX"), sa.sizeX, sb.sizeX);
            s.number(QStringLiteral("sizeY"), sa.sizeY, sb.sizeY);
            s.number(QStringLiteral("time"), sa.time, sb.time);
            s.number(QStringLiteral("view type"), sa.widok.TypWidoku, sb.widok.TypWidoku);
            s.number(QStringLiteral("BarX"), sa.widok.BarX, sb.widok.BarX);
            s.number(QStringLiteral("BarY"), sa.widok.BarY, sb.widok.BarY);
            s.block(QStringLiteral("padding"), sa.widok.pad, sb.widok.pad, sizeof sa.widok.pad);
            regionSettings(s, QStringLiteral("top"), sa.widok.gorny, sb.widok.gorny);
            regionSettings(s, QStringLiteral("left"), sa.widok.lewy, sb.widok.lewy);
            regionSettings(s, QStringLiteral("bottom"), sa.widok.dolny, sb.widok.dolny);
            Fields t(c.texts);
            t.text(QStringLiteral("name"), sa.name, sb.name, sizeof sa.name);
            regionTexts(t, QStringLiteral("top"), sa.widok.gorny, sb.widok.gorny);
            regionTexts(t, QStringLiteral("left"), sa.widok.lewy, sb.widok.lewy);
            regionTexts(t, QStringLiteral("bottom"), sa.widok.dolny, sb.widok.dolny);
            // A region its view type does not show carries whatever the build
            // left in its surface; such a change never reaches the sign face.
            const int type = sb.widok.TypWidoku;
            const bool known = isViewType(type);
            const bool leftShown = !known || showsRegion(type, Region::Lewy);
            const bool bottomShown = !known || showsRegion(type, Region::Dolny);
            pictureChange(c.pictures, QStringLiteral("top"), sa.widok.gorny.ekran, sb.widok.gorny.ekran,
                          sGregiongray::EkranSize, 64, true);
            pictureChange(c.pictures, QStringLiteral("left"), sa.widok.lewy.ekran, sb.widok.lewy.ekran,
                          sLregiongray::EkranSize, 8, leftShown);
            pictureChange(c.pictures, QStringLiteral("bottom"), sa.widok.dolny.ekran, sb.widok.dolny.ekran,
                          sDregiongray::EkranSize, 256, bottomShown);
            d.screens.append(c);
        }
    }
    return d;
}

QStringList diffLines(const ImageDiff& diff) {
    QStringList lines;
    for (const FieldChange& f : diff.header) lines << QStringLiteral("header: ") + fieldText(f);
    for (const ScreenChange& s : diff.screens) {
        const QString at = QStringLiteral("screen %1/%2 ").arg(s.lang).arg(s.view);
        for (const FieldChange& f : s.settings) lines << at + QStringLiteral("settings: ") + fieldText(f);
        for (const FieldChange& f : s.texts) lines << at + QStringLiteral("texts: ") + fieldText(f);
        for (const PictureChange& p : s.pictures)
            lines << at + QStringLiteral(
                              "pictures: %1: %2 bytes, %3 pixels differ (columns %4..%5, rows %6..%7)")
                              .arg(p.region)
                              .arg(p.bytes)
                              .arg(p.pixels)
                              .arg(p.left)
                              .arg(p.right)
                              .arg(p.top)
                              .arg(p.bottom);
    }
    return lines;
}

QJsonObject diffJson(const ImageDiff& diff) {
    QJsonObject o;
    o[QStringLiteral("identical")] = diff.identical();
    o[QStringLiteral("header")] = fieldsJson(diff.header);
    QJsonArray screens;
    for (const ScreenChange& s : diff.screens) {
        QJsonObject j;
        j[QStringLiteral("language")] = s.lang;
        j[QStringLiteral("view")] = s.view;
        j[QStringLiteral("settings")] = fieldsJson(s.settings);
        j[QStringLiteral("texts")] = fieldsJson(s.texts);
        QJsonArray pics;
        for (const PictureChange& p : s.pictures) {
            QJsonObject pj;
            pj[QStringLiteral("region")] = p.region;
            pj[QStringLiteral("bytes")] = p.bytes;
            pj[QStringLiteral("pixels")] = p.pixels;
            pj[QStringLiteral("columns")] = QJsonArray{p.left, p.right};
            pj[QStringLiteral("rows")] = QJsonArray{p.top, p.bottom};
            pj[QStringLiteral("shown")] = p.shown;
            pics.append(pj);
        }
        j[QStringLiteral("pictures")] = pics;
        screens.append(j);
    }
    o[QStringLiteral("screens")] = screens;
    return o;
}

}  // namespace lt
