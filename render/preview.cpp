#include "render/preview.h"

#include "model/defaults.h"
#include "render/pixels.h"

#include <QPainter>

#include <algorithm>

namespace lt {
namespace {

constexpr int SignWidth = 128, SignHeight = 32;

// One enlarged copy of a region's surface into the preview window starting
// at (DX, DY), W x H preview pixels.
void copyRegion(const sScreenImage& r, const Bitmap& surface, int DX, int DY, int W, int H, Bitmap& preview) {
    FastCopyRegionBmp(-std::int64_t{r.AnimX}, -std::int64_t{r.AnimY}, surface, DX, DY, W, H, preview,
                      Int2Color(r.BackColor));
}

}  // namespace

int clampBarX(int position) {
    return std::clamp(position, 16, 64);
}
int clampBarY(int position) {
    return std::clamp(position, 12, 24);
}
int layoutBarX(const sWidok& w) {
    return std::clamp<std::int32_t>(w.BarX, 0, SignWidth);
}
int layoutBarY(const sWidok& w) {
    return std::clamp<std::int32_t>(w.BarY, 0, SignHeight);
}

void syncBars(const sWidok& w, Surfaces& s) {
    s.barX = std::clamp<std::int32_t>(w.BarX, 0, 127);
    s.barY = std::clamp<std::int32_t>(w.BarY, 0, 31);
}

void RenderLED(sDane& dane, Surfaces& s) {
    const sWidok& w = editedView(dane);
    const std::int32_t type = w.TypWidoku;
    if (type < vtTop || type > vtLeftTopBottom) return;
    const bool bottom = type == vtTopBottom || type == vtLeftTopBottom;
    const bool left = type == vtLeftTop || type == vtLeftTopBottom;
    RenderGorny(dane, s);
    if (bottom) RenderDolny(dane, s);
    if (left) RenderLewy(dane, s);

    Bitmap& p = s.preview;
    const int pw = p.width(), ph = p.height();
    const int bx = layoutBarX(w) * LedScale, by = layoutBarY(w) * LedScale;
    switch (type) {
        case vtTop: copyRegion(w.Gorny, s.iGorny, 0, 0, pw, ph, p); break;
        case vtTopBottom:
            copyRegion(w.Gorny, s.iGorny, 0, 0, pw, by, p);
            copyRegion(w.Dolny, s.iDolny, 0, by, pw, ph - by, p);
            break;
        case vtLeftTop:
            copyRegion(w.Gorny, s.iGorny, bx, 0, pw - bx, ph, p);
            copyRegion(w.Lewy, s.iLewy, 0, 0, bx, ph, p);
            break;
        case vtLeftTopBottom:
            copyRegion(w.Gorny, s.iGorny, bx, 0, pw - bx, by, p);
            copyRegion(w.Dolny, s.iDolny, bx, by, pw - bx, ph - by, p);
            copyRegion(w.Lewy, s.iLewy, 0, 0, bx, ph, p);
            break;
    }
    if (type != vtTop) FastDrawLines(dane, s);
}

void RenderBitmapsSG(sDane& dane, Surfaces& s) {
    for (int l = 1; l <= LanguageCount; ++l) RenderLanguageBitmapsSG(dane, s, l);
}

void RenderLanguageBitmapsSG(sDane& dane, Surfaces& s, int lang) {
    if (lang < 1 || lang > LanguageCount) return;
    const std::int32_t selWidok = dane.SelWidok, row = dane.EditRow;
    for (int v = 1; v <= ViewCount; ++v) {
        dane.SelWidok = lang;
        dane.EditRow = v;
        RenderLED(dane, s);
        RenderActiveBitmapSG(dane, s);
    }
    dane.SelWidok = selWidok;
    dane.EditRow = row;
}

void RenderActiveBitmapSG(const sDane& dane, Surfaces& s) {
    FastResizeBmp(s.preview, s.thumbnail(editLang(dane), editRow(dane)));
}

std::optional<OutlineRect> regionOutline(const sWidok& w, Region panel) {
    const int bx = layoutBarX(w) * LedScale, by = layoutBarY(w) * LedScale;
    constexpr int pw = SignWidth * LedScale, ph = SignHeight * LedScale;
    const std::int32_t type = w.TypWidoku;
    switch (panel) {
        case Region::Gorny:
            if (type == vtTopBottom) return OutlineRect{0, 0, pw, by};
            if (type == vtLeftTop) return OutlineRect{bx + 1, 0, pw, ph};
            if (type == vtLeftTopBottom) return OutlineRect{bx + 1, 0, pw, by + 1};
            break;
        case Region::Dolny:
            if (type == vtTopBottom) return OutlineRect{0, by, pw, ph};
            if (type == vtLeftTopBottom) return OutlineRect{bx + 1, by, pw, ph};
            break;
        case Region::Lewy:
            if (type == vtLeftTop || type == vtLeftTopBottom) return OutlineRect{0, 0, bx + 1, ph};
            break;
    }
    return std::nullopt;
}

void drawOutline(Bitmap& bmp, OutlineRect rect, std::uint32_t col) {
    const TRGB pix = pixelOf(col);
    const int w = bmp.width(), h = bmp.height();
    for (int k = 0; k < 2; ++k) {
        const int l = rect.l + k, t = rect.t + k, r = rect.r - k, b = rect.b - k;
        if (l >= r || t >= b) return;
        const int cl = std::max(l, 0), cr = std::min(r, w);  // columns [cl, cr)
        for (const int y : {t, b - 1}) {
            if (y < 0 || y >= h || cl >= cr) continue;
            std::uint8_t* d = bmp.row(y) + 3 * cl;
            for (int x = cl; x < cr; ++x, d += 3) {
                d[0] = pix.b;
                d[1] = pix.g;
                d[2] = pix.r;
            }
        }
        for (int y = std::max(t, 0); y < std::min(b, h); ++y) {
            std::uint8_t* row = bmp.row(y);
            for (const int x : {l, r - 1}) {
                if (x < 0 || x >= w) continue;
                row[3 * x] = pix.b;
                row[3 * x + 1] = pix.g;
                row[3 * x + 2] = pix.r;
            }
        }
    }
}

bool outlineRegion(sDane& dane, Surfaces& s, Region panel) {
    const std::optional<OutlineRect> rect = regionOutline(editedView(dane), panel);
    if (!rect) return false;
    RenderLED(dane, s);
    drawOutline(s.preview, *rect, Int2Color(regionOf(editedView(dane), panel).FontColor));
    return true;
}

void LedTest(const sDane& dane, Surfaces& s) {
    Bitmap& led = s.ImageLED;
    FastClearBitmap(led, 0x000000);
    {
        QPainter canvas(&led.image());
        canvas.setBackgroundMode(Qt::TransparentMode);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(fontPixelSize(20));
        canvas.setFont(font);
        canvas.setPen(QColor(255, 0, 0));
        Font2Antialias(canvas);
        drawTextLine(canvas, QStringLiteral("Test LED"), randomInt(0, 49), 0);
    }
    FastCopyRegion(0, 0, led, 0, 0, s.preview.width(), s.preview.height(), s.preview);
    FastDrawLines(dane, s);
}

}  // namespace lt
