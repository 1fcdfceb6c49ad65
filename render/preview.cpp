#include "render/preview.h"

// Placeholder bodies until the region rendering lands.
namespace lt {

void RenderLED(sDane&, Surfaces&) {}

void RenderBitmapsSG(sDane& dane, Surfaces& s) {
    const int lang = dane.SelWidok, row = dane.EditRow;
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) {
            dane.SelWidok = l;
            dane.EditRow = v;
            RenderLED(dane, s);
            RenderActiveBitmapSG(dane, s);
        }
    dane.SelWidok = lang;
    dane.EditRow = row;
}

void RenderActiveBitmapSG(const sDane&, Surfaces&) {}

}  // namespace lt
