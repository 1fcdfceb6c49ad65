#include "render/preview.h"

#include "model/defaults.h"
#include "render/pixels.h"
#include "render/view.h"

#include <QPainter>

#include <algorithm>

namespace lt {

int clampBarX(int position) {
    return limits::BarX.clamp(position);
}
int clampBarY(int position) {
    return limits::BarY.clamp(position);
}
int layoutBarX(const sWidok& w) {
    return faceBarX(w.BarX);
}
int layoutBarY(const sWidok& w) {
    return faceBarY(w.BarY);
}

void syncBars(const sWidok& w, Surfaces& s) {
    s.barX = limits::BarXTrack.clamp(w.BarX);
    s.barY = limits::BarYTrack.clamp(w.BarY);
}

void RenderLED(sDane& dane, Surfaces& s) {
    sWidok& w = editedView(dane);
    storeSizes(w, renderView(w, s));
}

void RenderBitmapsSG(sDane& dane, Surfaces& s) {
    for (int l = 1; l <= LanguageCount; ++l) RenderLanguageBitmapsSG(dane, s, l);
}

void RenderLanguageBitmapsSG(sDane& dane, Surfaces& s, int lang) {
    if (lang < 1 || lang > LanguageCount) return;
    ThumbnailRun run(s);
    for (int v = 1; v <= ViewCount; ++v) {
        sWidok& w = widok(dane, lang, v);
        storeSizes(w, run.draw(w, s.thumbnail(lang, v)));
    }
    run.finish();
}

void RenderActiveBitmapSG(const sDane& dane, Surfaces& s) {
    FastResizeBmp(s.preview, s.thumbnail(editLang(dane), editRow(dane)));
}

std::optional<OutlineRect> regionOutline(const sWidok& w, Region panel) {
    const int bx = layoutBarX(w) * LedScale, by = layoutBarY(w) * LedScale;
    constexpr int pw = SignWidth * LedScale, ph = SignHeight * LedScale;
    const std::int32_t type = w.TypWidoku;
    const bool left = showsRegion(type, Region::Lewy), bottom = showsRegion(type, Region::Dolny);
    // A view of the top region alone outlines nothing.
    if (!showsRegion(type, panel) || (!left && !bottom)) return std::nullopt;
    const int l = left ? bx + 1 : 0;
    switch (panel) {
        case Region::Gorny: return OutlineRect{l, 0, pw, bottom ? (left ? by + 1 : by) : ph};
        case Region::Dolny: return OutlineRect{l, by, pw, ph};
        case Region::Lewy: return OutlineRect{0, 0, bx + 1, ph};
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
