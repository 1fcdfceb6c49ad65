#pragma once
// Movement of a region in the preview: one tick moves the region's surface
// inside its window (AnimX, AnimY) or toggles its flashing phase. The tick
// is a pure step on the project; the caller recomposes with RenderLED and
// owns the timer. The step itself works on a Motion, so a region's packed
// picture in a display image moves by exactly the same rules.

#include "model/records.h"
#include "render/text.h"

namespace lt {

/// The interval of a region's timer in milliseconds: 1000 div the speed,
/// where a speed of 0 or below counts as 1 and a speed above 100 as 100.
int timerInterval(std::int32_t speed);

/// Where a moving text wraps, in LED pixels: the horizontal limit Wx and the
/// vertical limit Hy of a region in the view's type.
struct WrapLimits {
    int Wx = 0;
    int Hy = 0;
};
WrapLimits wrapLimits(const sWidok& w, Region which);
/// The same from a view type and split positions already kept on the sign
/// (barX 0..128, barY 0..32).
WrapLimits wrapLimits(std::int32_t type, int barX, int barY, Region which);

/// Whether a region's timer stops at its tick because the view type does not
/// show it: the bottom region in types 0 and 2, the left one in types 0 and 1.
bool tickStopsRegion(std::int32_t type, Region which);

/// What one tick of a region reads and changes: its movement code and text
/// size, and its offset and direction.
struct Motion {
    std::int32_t Ruch = mvNone;
    std::int32_t TextWidth = 0;
    std::int32_t TextHeight = 0;
    std::int32_t AnimX = 0;
    std::int32_t AnimY = 0;
    std::int32_t Direction = 1;
};

/// The step of the movement code: wrap at the limits, bounce (top and bottom
/// regions only), flashing phase; any other code changes nothing.
void stepMotion(Motion& m, Region which, WrapLimits lim);

/// What the tick asks of the region's timer.
struct TickResult {
    bool disableTimer = false;  // the view type does not show this region
};

/// One tick of a region of the edited view: the hidden-region rule, then the
/// step of its movement code; AnimX, AnimY and Direction are stored back.
TickResult stepRegion(sDane& dane, Region which);
/// The same tick on a given view.
TickResult stepRegion(sWidok& w, Region which);

/// What the movement handler does to the region when its movement is chosen
/// or a view is opened: offsets back to 0 and Timer = (Ruch != 0). Returns
/// whether the region's timer runs.
bool restartMovement(sScreenImage& region);

}  // namespace lt
