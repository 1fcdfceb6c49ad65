#include "display/modules.h"

#include <cmath>
#include <cstring>

namespace lt {

namespace {

/// Stores text as 8-bit characters, cut to capacity - 1 and zero-terminated.
template <std::size_t N>
void storeText(char (&field)[N], const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), N - 1);
    std::memcpy(field, bytes.constData(), n);
    field[n] = 0;
}

QString num(long long v) {
    return QString::number(v);
}

/// Rounds to the nearest integer, halves to even.
long long roundHalfEven(double v) {
    return static_cast<long long>(std::nearbyint(v));
}

}  // namespace

QString pitchText(double pitch, const QLocale& locale) {
    const double r = std::nearbyint(pitch);
    if (r == pitch) return num(static_cast<long long>(r));
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(pitch, 'f', 2);
}

QStringList ModuleCatalogue::cboxTexts() const {
    QStringList list;
    for (int k = 1; k <= ModuleCount; ++k) list << QString::fromLatin1(module(k).CBox);
    return list;
}

ModuleCatalogue buildModuleCatalogue(const QLocale& locale) {
    ModuleCatalogue c;
    std::memset(c.Module, 0, sizeof c.Module);
    struct Row {
        int x, y;
        double pitch;
        const char* serial;
        int hub, scan, typ;
    };
    static constexpr Row rows[] = {
        {64, 32, 3.0, "Q3E6V4.1", 75, 16, 0},
        {64, 32, 4.0, "64x32,P4-64x32-16S", 75, 16, 0},
        {32, 32, 6.0, "Q6D6V2", 75, 16, 0},
        {32, 32, 10.0, "XY-B0982", 75, 16, 1},
        {32, 16, 7.62, "P7.62-3232-3528-8S-A1", 75, 16, 2},
    };
    c.ModuleCount = static_cast<int>(std::size(rows));
    for (int k = 1; k <= c.ModuleCount; ++k) {
        const Row& r = rows[k - 1];
        sModule& m = c.Module[k - 1];
        m.X = r.x;
        m.Y = r.y;
        m.Pitch = r.pitch;
        storeText(m.Serial, QString::fromLatin1(r.serial));
        m.Hub = r.hub;
        m.ScanLine = r.scan;
        m.Typ = r.typ;

        const QString p = pitchText(m.Pitch, locale);
        const QString crlf = QStringLiteral("\r\n");
        const QString serial = QString::fromLatin1(m.Serial);
        QString name;
        name += QStringLiteral("Resolution   :") + num(m.X) + QStringLiteral("x") + num(m.Y) +
                QStringLiteral(" [pix]") + crlf;
        name += QStringLiteral("Dimension    :") + num(roundHalfEven(m.X * m.Pitch)) + QStringLiteral("x") +
                num(roundHalfEven(m.Y * m.Pitch)) + QStringLiteral(" [mm]") + crlf;
        name += QStringLiteral("Pitch        :") + p + crlf;
        name += QStringLiteral("HUB          :") + num(m.Hub) + crlf;
        name += QStringLiteral("Scanline     :") + num(m.ScanLine) + crlf;
        name += QStringLiteral("Serial nr    :") + serial + crlf;
        storeText(m.Name, name.left(200));
        const QString cbox = QStringLiteral("PH") + p + QStringLiteral(" ") + num(m.X) + QStringLiteral("x") +
                             num(m.Y) + QStringLiteral("[pix] ") + QStringLiteral("HUB") + num(m.Hub) +
                             QStringLiteral(" ") + serial;
        storeText(m.CBox, cbox.left(50));
    }
    return c;
}

int moduleListPosition(const sDane& dane, const ModuleCatalogue& catalogue) {
    const int nr = dane.ModuleNr;
    if (nr < 1 || nr > catalogue.ModuleCount) return 0;
    return nr - 1;
}

void applyModuleChoice(sDane& dane, const ModuleCatalogue& catalogue, int position) {
    if (position < 0 || position >= catalogue.ModuleCount) return;
    dane.ModuleNr = static_cast<std::uint8_t>(position + 1);
    dane.ModuleType = static_cast<std::uint8_t>(catalogue.module(position + 1).Typ & 0xFF);
}

QStringList lcdTypeTexts() {
    return {QStringLiteral("STARGLOW1602A"), QStringLiteral("JHD162A"), QStringLiteral("1602GD1622Y"),
            QStringLiteral("12232GD1610Y")};
}

int clampContrast(int level) {
    return level < ContrastMin ? ContrastMin : (level > ContrastMax ? ContrastMax : level);
}

int lcdDialogResult(int lcd, bool ok, int boxValue) {
    return ok ? boxValue : lcd;
}

}  // namespace lt
