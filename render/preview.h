#pragma once
// Composition of the edited view into the 768 x 192 sign preview, the split
// track-bar rules, the region outline, the LED test and the thumbnail
// refresh. Every function works on the edited view editedView(dane) and on
// the bitmaps in Surfaces.

#include "model/records.h"
#include "render/bitmap.h"
#include "render/text.h"

#include <optional>

namespace lt {

/// Renders the regions the edited view's type shows (top, bottom, left),
/// copies them six times enlarged into the preview at their windows, shifted
/// by the animation offsets and filled with each region's background colour
/// where its surface does not reach, and draws the separators. A view type
/// outside 0..3 leaves the preview and the surfaces unchanged.
void RenderLED(sDane& dane, Surfaces& s);

/// Regenerates all 900 thumbnails, restoring SelWidok and EditRow afterwards.
void RenderBitmapsSG(sDane& dane, Surfaces& s);
/// Regenerates the 300 thumbnails of language `lang` (1..3) the same way.
void RenderLanguageBitmapsSG(sDane& dane, Surfaces& s, int lang);

/// Copies the current preview, reduced, into the edited view's thumbnail.
void RenderActiveBitmapSG(const sDane& dane, Surfaces& s);

/// The barX track bar rule: a position below 16 becomes 16, above 64 becomes 64.
int clampBarX(int position);
/// The barY track bar rule: a position below 12 becomes 12, above 24 becomes 24.
int clampBarY(int position);

/// The split positions composition uses, in LED pixels: the view's BarX and
/// BarY kept on the sign (0..128 and 0..32), so that a value from a foreign
/// file can never place a window outside the preview.
int layoutBarX(const sWidok& w);
int layoutBarY(const sWidok& w);

/// Sets the track bar positions from a view, as loading it into the editor
/// does (within the bars' ranges 0..127 and 0..31).
void syncBars(const sWidok& w, Surfaces& s);

/// A rectangle (l, t, r, b) covering columns l..r-1 and rows t..b-1.
struct OutlineRect {
    int l = 0, t = 0, r = 0, b = 0;
    friend bool operator==(const OutlineRect&, const OutlineRect&) = default;
};

/// The outer outline of a region's window when the mouse is over its
/// settings panel, or nothing for a combination of panel and view type that
/// shows no outline (the top panel in type 0, the bottom panel in types 0
/// and 2, the left panel in types 0 and 1, any other type).
std::optional<OutlineRect> regionOutline(const sWidok& w, Region panel);

/// Draws the rectangle's outline and the one inside it (l+1, t+1, r-1, b-1)
/// one pixel wide in the colour value col, clipped to the bitmap.
void drawOutline(Bitmap& bmp, OutlineRect rect, std::uint32_t col);

/// The mouse-move rule of a settings panel: when the panel has an outline in
/// the edited view's type, recompose with RenderLED and outline the region in
/// its font colour, and return true; otherwise do nothing and return false.
bool outlineRegion(sDane& dane, Surfaces& s, Region panel);

/// The LED test: "Test LED" in red, Arial 20 points anti-aliased, at a random
/// column 0..49 of ImageLED over black, copied enlarged into the preview,
/// then the separators.
void LedTest(const sDane& dane, Surfaces& s);

}  // namespace lt
