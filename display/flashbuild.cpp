#include "display/flashbuild.h"

#include "display/colour.h"
#include "model/carry.h"
#include "model/document.h"
#include "render/pixels.h"
#include "render/preview.h"

#include <cstring>

namespace lt {

const char16_t plchars[18] = {u'Ą', u'Ć', u'Ę', u'Ł', u'Ń', u'Ó', u'Ś', u'Ź', u'Ż',
                              u'ą', u'ć', u'ę', u'ł', u'ń', u'ó', u'ś', u'ź', u'ż'};
const std::uint8_t achars[18] = {'A',  'C',  'E',  'L',  'N',  'O',  'S',  'Z',  'Z',
                                 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x08};

std::uint8_t AnsiCharOf(char16_t unit) {
    for (int j = 0; j < 18; ++j)
        if (unit == plchars[j]) return achars[j];
    return static_cast<std::uint8_t>(unit & 0xFF);
}

void StringToAnsiChar(QStringView str, char* chars, int capacity) {
    if (capacity <= 0) return;
    // Characters the 8-bit texts cannot carry as they are get their nearest
    // carried form, which may take more than one byte (œ as "oe").
    const QByteArray bytes = carryText(str).bytes;
    const qsizetype n = std::min<qsizetype>(bytes.size(), capacity - 1);
    std::memcpy(chars, bytes.constData(), static_cast<std::size_t>(n));
    chars[n] = 0;
}

namespace {

/// The units of a project text field up to its first zero (or all of them).
template <std::size_t N>
QStringView fieldText(const char16_t (&field)[N]) {
    std::size_t n = 0;
    while (n < N && field[n] != 0) ++n;
    return QStringView(field, static_cast<qsizetype>(n));
}

template <int T, int E>
void fillRegion(sRegionGray<T, E>& g, const sScreenImage& r) {
    // `sign` is the controller's: it is carried over from an imported image.
    g.TextWidth = r.TextWidth;
    g.TextHeight = r.TextHeight;
    g.Ruch = r.Ruch;
    g.Direction = r.Direction;
    g.Speed = r.Speed;
    g.X = r.X;
    g.Y = r.Y;
    g.Alias = r.Alias;
    g.FontSize = r.FontSize;
    g.Styl = r.Styl;
    g.FontColor = r.FontColor;
    g.BackColor = r.BackColor;
    StringToAnsiChar(fieldText(r.Text), g.Text);
    StringToAnsiChar(fieldText(r.FontName), g.FontName);
}

template <int T, int E>
void pack(const Bitmap& surface, sRegionGray<T, E>& g, int w, int h) {
    FastDimBitmapToScreen(surface, g.ekran, w, h, static_cast<std::uint8_t>(g.FontColor),
                          static_cast<std::uint8_t>(g.BackColor));
}

template <int T, int E>
void unpack(const sRegionGray<T, E>& g, Bitmap& surface, int w, int h) {
    FastDimScreenToBitmap(g.ekran, surface, w, h, static_cast<std::uint8_t>(g.FontColor),
                          static_cast<std::uint8_t>(g.BackColor));
}

}  // namespace

void fillScreen(sscreengray& sc, const sWidok& w, const sflash& flash) {
    StringToAnsiChar(fieldText(w.NazwaKursu), sc.name);
    sc.use = w.use;
    sc.time = static_cast<std::uint16_t>(w.Time);
    sc.sizeX = flash.LedX;
    sc.sizeY = flash.LedY;
    sc.widok.TypWidoku = static_cast<std::uint16_t>(w.TypWidoku);
    sc.widok.BarX = static_cast<std::uint16_t>(w.BarX);
    sc.widok.BarY = static_cast<std::uint16_t>(w.BarY);
    fillRegion(sc.widok.gorny, w.Gorny);
    fillRegion(sc.widok.lewy, w.Lewy);
    fillRegion(sc.widok.dolny, w.Dolny);
}

void ConvertBitmapsToScreens(sDane& dane, Surfaces& s, sflash& flash) {
    static_assert(sizeof(sGregiongray::ekran) == 512 / 8 * 32);
    static_assert(sizeof(sLregiongray::ekran) == 64 / 8 * 32);
    static_assert(sizeof(sDregiongray::ekran) == 2048 / 8 * DolnyPackedRows);
    const std::int32_t editRow = dane.EditRow;
    const std::int32_t selWidok = dane.SelWidok;
    for (int l = 1; l <= LanguageCount; ++l) {
        for (int v = 1; v <= ViewCount; ++v) {
            sscreengray& sc = screen(flash, l, v);
            if (sc.use == 0) continue;
            dane.SelWidok = l;
            dane.EditRow = v;
            RenderLED(dane, s);
            FastResizeBmp(s.preview, s.thumbnail(l, v));
            sRegionsGray& r = sc.widok;
            pack(s.iGorny, r.gorny, 512, 32);
            pack(s.iLewy, r.lewy, 64, 32);
            pack(s.iDolny, r.dolny, 2048, DolnyPackedRows);
            // Back into the surfaces: each now shows its region in the sign's
            // two colours.
            unpack(r.gorny, s.iGorny, 512, 32);
            unpack(r.lewy, s.iLewy, 64, 32);
            unpack(r.dolny, s.iDolny, 2048, DolnyPackedRows);
        }
    }
    dane.EditRow = editRow;
    dane.SelWidok = selWidok;
    RenderLED(dane, s);
}

void EncodeKorvo2Flash(sDane& dane, Surfaces& s, sflash& flash) {
    flash.version = static_cast<std::uint8_t>(dane.Version);
    flash.subvers = 100;
    flash.verfirmware = 0;
    flash.subfirmware = 0;
    flash.ModuleType = dane.ModuleType;
    flash.ModuleNr = dane.ModuleNr;
    flash.LedX = FlashLedX;
    flash.LedY = FlashLedY;
    flash.Color = 2;
    flash.LCDLevel = 0;
    flash.LCDType = dane.LCDType;
    std::memcpy(flash.IP, dane.IP, sizeof flash.IP);
    std::memcpy(flash.MAC, dane.MAC, sizeof flash.MAC);
    std::memcpy(flash.host, dane.host, sizeof flash.host);
    std::memcpy(flash.firmware, dane.firmware, sizeof flash.firmware);
    static_assert(sizeof flash.IP == sizeof dane.IP && sizeof flash.MAC == sizeof dane.MAC &&
                  sizeof flash.host == sizeof dane.host && sizeof flash.firmware == sizeof dane.firmware);

    for (int l = 1; l <= LanguageCount; ++l) {
        StringToAnsiChar(fieldText(dane.Lang[l - 1].Nazwa), flash.Lang[l - 1].Nazwa);
        flash.Lang[l - 1].Use = dane.Lang[l - 1].Use;
    }

    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) fillScreen(screen(flash, l, v), widok(dane, l, v), flash);

    ConvertBitmapsToScreens(dane, s, flash);
}

void EncodeKorvo2Flash(Document& doc) {
    EncodeKorvo2Flash(doc.dane(), doc.surfaces(), doc.flash());
    doc.observer().previewChanged();
    doc.observer().gridsRepaint();
}

}  // namespace lt
