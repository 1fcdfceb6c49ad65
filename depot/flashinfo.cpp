#include "depot/flashinfo.h"

#include "depot/decode.h"
#include "model/defaults.h"

#include <QJsonArray>
#include <QStringList>

#include <cstring>

namespace lt {
namespace {

QString byteList(const std::uint8_t* b, int n, QLatin1Char sep, int base) {
    QStringList parts;
    for (int i = 0; i < n; ++i)
        parts << (base == 16 ? QStringLiteral("%1").arg(b[i], 2, 16, QLatin1Char('0')).toUpper()
                             : QString::number(b[i]));
    return parts.join(sep);
}

template <int T, int E>
QJsonObject regionInfo(const sRegionGray<T, E>& g) {
    QJsonObject r;
    r[QStringLiteral("text")] = AnsiCharToString(g.Text);
    r[QStringLiteral("font")] = AnsiCharToString(g.FontName);
    r[QStringLiteral("fontSize")] = g.FontSize;
    r[QStringLiteral("fontColor")] = g.FontColor;
    r[QStringLiteral("backColor")] = g.BackColor;
    r[QStringLiteral("ruch")] = g.Ruch;
    r[QStringLiteral("speed")] = g.Speed;
    return r;
}

}  // namespace

QString flashViewTypeName(int t) {
    static const char* names[] = {"vtTop", "vtTopBottom", "vtLeftTop", "vtLeftTopBottom"};
    return t >= 0 && t <= 3 ? QString::fromLatin1(names[t]) : QStringLiteral("unknown (%1)").arg(t);
}

QJsonObject describeFlash(const sflash& f) {
    QJsonObject info;
    info[QStringLiteral("kind")] = QStringLiteral("pendrive");
    info[QStringLiteral("version")] = f.version;
    info[QStringLiteral("subvers")] = f.subvers;
    info[QStringLiteral("verfirmware")] = f.verfirmware;
    info[QStringLiteral("subfirmware")] = f.subfirmware;
    info[QStringLiteral("moduleType")] = f.ModuleType;
    info[QStringLiteral("moduleNr")] = f.ModuleNr;
    info[QStringLiteral("ledX")] = f.LedX;
    info[QStringLiteral("ledY")] = f.LedY;
    info[QStringLiteral("color")] = f.Color;
    info[QStringLiteral("lcdLevel")] = f.LCDLevel;
    info[QStringLiteral("lcdType")] = f.LCDType;
    info[QStringLiteral("ip")] = byteList(f.IP, 4, QLatin1Char('.'), 10);
    info[QStringLiteral("mac")] = byteList(f.MAC, 6, QLatin1Char(':'), 16);
    int n = 0;
    while (n < 24 && f.host[n] != 0) ++n;
    info[QStringLiteral("host")] = QString::fromLatin1(reinterpret_cast<const char*>(f.host), n);
    const QByteArray builtin = builtinFirmware();
    info[QStringLiteral("firmware")] =
        builtin.size() == FirmwareSize && std::memcmp(builtin.constData(), f.firmware, FirmwareSize) == 0
            ? QStringLiteral("built-in")
            : QStringLiteral("other");

    QJsonArray langs;
    for (int l = 1; l <= LanguageCount; ++l) {
        QJsonObject lang;
        lang[QStringLiteral("number")] = l;
        lang[QStringLiteral("name")] = AnsiCharToString(f.Lang[l - 1].Nazwa);
        lang[QStringLiteral("use")] = f.Lang[l - 1].Use;
        QJsonArray screens;
        for (int v = 1; v <= ViewCount; ++v) {
            const sscreengray& s = screen(f, l, v);
            if (s.use == 0) continue;
            const int typ = s.widok.TypWidoku;
            QJsonObject sc;
            sc[QStringLiteral("view")] = v;
            sc[QStringLiteral("name")] = AnsiCharToString(s.name);
            sc[QStringLiteral("time")] = s.time;
            sc[QStringLiteral("type")] = typ;
            sc[QStringLiteral("typeName")] = flashViewTypeName(typ);
            sc[QStringLiteral("barX")] = s.widok.BarX;
            sc[QStringLiteral("barY")] = s.widok.BarY;
            sc[QStringLiteral("gorny")] = regionInfo(s.widok.gorny);
            if (showsRegion(typ, Region::Dolny)) sc[QStringLiteral("dolny")] = regionInfo(s.widok.dolny);
            if (showsRegion(typ, Region::Lewy)) sc[QStringLiteral("lewy")] = regionInfo(s.widok.lewy);
            screens.append(sc);
        }
        lang[QStringLiteral("screensInUse")] = screens;
        langs.append(lang);
    }
    info[QStringLiteral("languages")] = langs;
    return info;
}

QString escapeControls(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control) {
            out += c;
        } else if (c == u'\r') {
            out += QLatin1String("\\r");
        } else if (c == u'\n') {
            out += QLatin1String("\\n");
        } else if (c == u'\t') {
            out += QLatin1String("\\t");
        } else {
            out += QLatin1String("\\x") +
                   QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        }
    }
    return out;
}

QString flashInfoText(const QJsonObject& info) {
    auto i = [&](const char* key) { return info[QLatin1String(key)].toInt(); };
    auto s = [&](const char* key) { return escapeControls(info[QLatin1String(key)].toString()); };
    QString t;
    t += QStringLiteral("Pendrive file\n");
    t += QStringLiteral("Version:   %1.%2, firmware %3.%4 (%5)\n")
             .arg(i("version"))
             .arg(i("subvers"))
             .arg(i("verfirmware"))
             .arg(i("subfirmware"))
             .arg(s("firmware"));
    t += QStringLiteral("LEDs:      %1 x %2, colour %3\n").arg(i("ledX")).arg(i("ledY")).arg(i("color"));
    t += QStringLiteral("Module:    %1 (type %2)\n").arg(i("moduleNr")).arg(i("moduleType"));
    t += QStringLiteral("LCD:       level %1, type %2\n").arg(i("lcdLevel")).arg(i("lcdType"));
    t += QStringLiteral("IP:        %1\n").arg(s("ip"));
    t += QStringLiteral("MAC:       %1\n").arg(s("mac"));
    t += QStringLiteral("Host:      %1\n").arg(s("host"));
    for (const auto& lv : info[QStringLiteral("languages")].toArray()) {
        const QJsonObject l = lv.toObject();
        const QJsonArray screens = l[QStringLiteral("screensInUse")].toArray();
        t += QStringLiteral("Language %1: %2 (%3), %4 screens in use\n")
                 .arg(l[QStringLiteral("number")].toInt())
                 .arg(escapeControls(l[QStringLiteral("name")].toString()),
                      l[QStringLiteral("use")].toInt() ? QStringLiteral("in use")
                                                       : QStringLiteral("not in use"))
                 .arg(screens.size());
        for (const auto& sv : screens) {
            const QJsonObject sc = sv.toObject();
            t += QStringLiteral("  %1  %2 s  %3  %4\n")
                     .arg(sc[QStringLiteral("view")].toInt(), 3)
                     .arg(sc[QStringLiteral("time")].toInt(), 2)
                     .arg(sc[QStringLiteral("typeName")].toString().leftJustified(15),
                          escapeControls(sc[QStringLiteral("name")].toString()));
        }
    }
    return t;
}

}  // namespace lt
