#pragma once
// Composition of the edited view into the 768 x 192 sign preview, and the
// thumbnail refresh. Every function works on the edited view
// editedView(dane) and on the bitmaps in Surfaces.

#include "model/records.h"
#include "render/bitmap.h"

namespace lt {

/// Renders the regions the edited view's type shows and composes the preview.
void RenderLED(sDane& dane, Surfaces& s);

/// Regenerates all 900 thumbnails, restoring SelWidok and EditRow afterwards.
void RenderBitmapsSG(sDane& dane, Surfaces& s);

/// Copies the current preview, reduced, into the edited view's thumbnail.
void RenderActiveBitmapSG(const sDane& dane, Surfaces& s);

}  // namespace lt
