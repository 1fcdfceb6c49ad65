#include "display/flashbuild.h"

#include "display/colour.h"
#include "model/carry.h"
#include "model/projectfile.h"
#include "render/pixels.h"
#include "render/preview.h"
#include "render/view.h"

#include <cstring>
#include <memory>

namespace lt {

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
    constexpr SurfaceSize top = regionSurfaceSize(Region::Gorny);
    constexpr SurfaceSize bottom = regionSurfaceSize(Region::Dolny);
    constexpr SurfaceSize left = regionSurfaceSize(Region::Lewy);
    static_assert(sizeof(sGregiongray::ekran) == top.width / 8 * top.height);
    static_assert(sizeof(sLregiongray::ekran) == left.width / 8 * left.height);
    static_assert(sizeof(sDregiongray::ekran) == bottom.width / 8 * DolnyPackedRows);
    // After packing, each surface is unpacked back so that it shows its
    // region in the sign's two colours; a region the next screen does not
    // draw is packed again from that. The unpacking waits until a surface is
    // read that way (or the build ends): a surface the next screen draws is
    // cleared and drawn whole, so its unpacking would be lost work.
    const sRegionsGray* owed = nullptr;  // screen whose surfaces still owe it
    bool owesTop = false, owesBottom = false, owesLeft = false;
    const auto owes = [&](Region r) -> bool& {
        return r == Region::Gorny ? owesTop : (r == Region::Dolny ? owesBottom : owesLeft);
    };
    const auto settle = [&](Region r) {
        if (!owes(r)) return;
        owes(r) = false;
        switch (r) {
            case Region::Gorny: unpack(owed->gorny, s.iGorny, top.width, top.height); break;
            case Region::Dolny: unpack(owed->dolny, s.iDolny, bottom.width, DolnyPackedRows); break;
            case Region::Lewy: unpack(owed->lewy, s.iLewy, left.width, left.height); break;
        }
    };
    // Each thumbnail is sampled from the regions as they are drawn; the
    // preview is composed once, for the edited view, at the end.
    ThumbnailRun run(s);
    for (int l = 1; l <= LanguageCount; ++l) {
        for (int v = 1; v <= ViewCount; ++v) {
            sscreengray& sc = screen(flash, l, v);
            if (sc.use == 0) continue;
            sWidok& w = widok(dane, l, v);
            for (const Region r : AllRegions)
                if (isViewType(w.TypWidoku) && showsRegion(w.TypWidoku, r))
                    owes(r) = false;
                else
                    settle(r);
            storeSizes(w, run.draw(w, s.thumbnail(l, v)));
            sRegionsGray& r = sc.widok;
            pack(s.iGorny, r.gorny, top.width, top.height);
            pack(s.iLewy, r.lewy, left.width, left.height);
            pack(s.iDolny, r.dolny, bottom.width, DolnyPackedRows);
            owed = &r;
            owesTop = owesBottom = owesLeft = true;
        }
    }
    for (const Region r : AllRegions) settle(r);
    run.finish();
    RenderLED(dane, s);
}

void EncodeKorvo2Flash(sDane& dane, Surfaces& s, sflash& flash) {
    flash.version = static_cast<std::uint8_t>(dane.Version);
    flash.subvers = 100;
    flash.verfirmware = 0;
    flash.subfirmware = 0;
    flash.ModuleType = dane.ModuleType;
    flash.ModuleNr = dane.ModuleNr;
    flash.LedX = SignWidth;
    flash.LedY = SignHeight;
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

QString buildProjectFileImage(const QString& path, sflash& flash) {
    ProjectRead read = readProjectFile(path);
    if (read.status != ProjectRead::Ok) return read.error;
    sDane& dane = *read.data;
    settleOpenedProject(dane);
    auto surfaces = std::make_unique<Surfaces>();
    RenderBitmapsSG(dane, *surfaces);
    RenderLED(dane, *surfaces);
    auto image = std::make_unique<sflash>();
    std::memset(static_cast<void*>(image.get()), 0, sizeof(sflash));
    EncodeKorvo2Flash(dane, *surfaces, *image);
    std::memcpy(static_cast<void*>(&flash), image.get(), sizeof(sflash));
    return QString();
}

}  // namespace lt
