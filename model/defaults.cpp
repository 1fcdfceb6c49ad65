#include "model/defaults.h"

#include <QFile>

#include <chrono>
#include <cstring>

static void initBlocks() { Q_INIT_RESOURCE(blocks); }

namespace lt {

std::mt19937& processRandom() {
    static std::mt19937 generator(static_cast<std::uint32_t>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    return generator;
}

void seedProcessRandom(std::uint32_t seed) { processRandom().seed(seed); }

int randomInt(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(processRandom()); }

QString bannerText() {
    return QStringLiteral("File from Velmora Vista version 1.01. https://velmora.example/linetint");
}

static QByteArray readBlock(const char* name, qsizetype size) {
    initBlocks();
    QFile f(QStringLiteral(":/blocks/") + QLatin1String(name));
    QByteArray bytes;
    if (f.open(QIODevice::ReadOnly)) bytes = f.readAll();
    // The blocks are built with the program at their fixed sizes; keep the
    // size whatever happens so no caller can read past a short block.
    bytes.resize(size, '\xFF');
    return bytes;
}

QByteArray builtinFirmware() {
    // Read once: every New and every pendrive description compares with it.
    static const QByteArray firmware = readBlock("FIRMWARE", FirmwareSize);
    return firmware;
}
QByteArray builtinFonts() { return readBlock("FONTS", 393288); }

void setVersionAndBanner(sDane& d) {
    d.Version = ProjectVersion;
    // The whole banner array is written at once, zero-padded.
    std::memset(d.Info, 0, sizeof d.Info);
    StringToWideChar(bannerText(), d.Info);
}

static void regionDefaults(sScreenImage& r, const QString& text, const char* font, int size, int x, int y) {
    StringToWideChar(text, r.Text);
    StringToWideChar(QString::fromLatin1(font), r.FontName);
    r.FontSize = size;
    r.Styl = styNone;
    r.Alias = 0;
    r.X = x;
    r.Y = y;
    r.Ruch = mvNone;
    r.Direction = 1;
    r.Speed = 0;
    r.AnimX = 0;
    r.AnimY = 0;
    r.Timer = 0;
    r.TextWidth = 0;
    r.TextHeight = 0;
}

void NewRecord(sDane& d, int lang, int view) {
    sWidok& w = widok(d, lang, view);
    const QString v = QString::number(view);
    w.Gorny.FontColor = ciWhite;
    w.Gorny.BackColor = ciBlack;
    w.Dolny.FontColor = ciYellow;
    w.Dolny.BackColor = ciBlue;
    w.Lewy.FontColor = ciGreen;
    w.Lewy.BackColor = ciBlack;
    regionDefaults(w.Gorny, QStringLiteral("Top") + v, "Arial Narrow", 16, 0, -4);
    regionDefaults(w.Dolny, QStringLiteral("Bottom ") + v, "Arial", 8, 1, -2);
    regionDefaults(w.Lewy, QStringLiteral("T") + v, "Arial", 24, 0, 0);
}

void NewDane(sDane& d) {
    // 1. Version, name, banner, file name.
    d.Version = ProjectVersion;
    StringToWideChar(QStringLiteral("Display project"), d.ProjName);
    std::memset(d.Info, 0, sizeof d.Info);
    StringToWideChar(bannerText(), d.Info);
    StringToWideChar(QString(), d.FileName);
    // 2. Grid state.
    d.EditRow = 1;
    d.lastX = 0;
    d.lastY = 0;
    d.SelectRow = 1;
    d.SelWidok = 1;
    // 3.-5. Languages.
    StringToWideChar(QStringLiteral("English"), d.Lang[0].Nazwa);
    d.Lang[0].Use = 1;
    for (int l = 1; l < LanguageCount; ++l) {
        StringToWideChar(QStringLiteral("Not set"), d.Lang[l].Nazwa);
        d.Lang[l].Use = 0;
    }
    // 6. Network settings of the controller.
    const std::uint8_t ip[4] = {192, 168, 10, 50};
    std::memcpy(d.IP, ip, sizeof ip);
    d.MAC[0] = 0x00;
    d.MAC[1] = 0x3F;
    d.MAC[2] = 0x00;
    for (int i = 3; i < 6; ++i) d.MAC[i] = static_cast<std::uint8_t>(randomInt(0, 254));
    std::memcpy(d.host, "KORVO", 6);  // zero-terminated; later bytes stay
    // 7. The built-in firmware.
    std::memset(d.firmware, 0xFF, sizeof d.firmware);
    const QByteArray fw = builtinFirmware();
    std::memcpy(d.firmware, fw.constData(), sizeof d.firmware);
    // 8. Every view of every language.
    for (int v = 1; v <= ViewCount; ++v) {
        for (int l = 1; l <= LanguageCount; ++l) {
            sWidok& w = widok(d, l, v);
            StringToWideChar(QStringLiteral("Destination #") + QString::number(v), w.NazwaKursu);
            w.BarX = 40;
            w.BarY = 21;
            w.TypWidoku = vtLeftTopBottom;
            w.use = 0;
            w.Time = 0;
            NewRecord(d, l, v);
        }
    }
}

}  // namespace lt
