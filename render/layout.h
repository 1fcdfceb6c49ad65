#pragma once
// Where a region's text falls: the size of its window on the face and the
// box its ink covers, as the checks before export and the fitting of texts
// both judge a layout.

#include "model/records.h"
#include "model/sign.h"

namespace lt {

/// The size of a region's window on the face for a view's type, in LEDs;
/// width 0 when the type does not show the region.
struct RegionWindow {
    int width = 0;
    int height = 0;
};
RegionWindow regionWindow(const sWidok& w, Region r);

/// The smallest box around the pixels a region's text paints, relative to
/// the top-left of its surface (so it may lie partly outside it); empty when
/// nothing is painted.
struct InkBox {
    bool empty = true;
    int left = 0, top = 0, right = 0, bottom = 0;  // inclusive
};
InkBox regionInk(const sScreenImage& region);

}  // namespace lt
