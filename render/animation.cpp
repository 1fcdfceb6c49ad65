#include "render/animation.h"

#include "render/preview.h"

#include <algorithm>
#include <limits>

namespace lt {
namespace {

std::int32_t saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

int timerInterval(std::int32_t speed) {
    return 1000 / std::clamp<std::int32_t>(speed, 1, 100);
}

WrapLimits wrapLimits(const sWidok& w, Region which) {
    return wrapLimits(w.TypWidoku, layoutBarX(w), layoutBarY(w), which);
}

WrapLimits wrapLimits(std::int32_t type, int barX, int barY, Region which) {
    if (which == Region::Lewy) return {barX, SignHeight};
    const bool left = showsRegion(type, Region::Lewy);
    const bool split = showsRegion(type, Region::Dolny);
    // The bottom region wraps at the top region's height too.
    return {left ? SignWidth - barX : SignWidth, split ? barY : SignHeight};
}

bool tickStopsRegion(std::int32_t type, Region which) {
    return isViewType(type) && !showsRegion(type, which);
}

void stepMotion(Motion& m, Region which, WrapLimits lim) {
    const std::int64_t tw = m.TextWidth, th = m.TextHeight;
    std::int64_t x = m.AnimX, y = m.AnimY;
    std::int32_t direction = m.Direction;
    switch (m.Ruch) {
        case mvInLeft:
            if (--x < -tw) x = lim.Wx;
            break;
        case mvInRight:
            if (++x > lim.Wx) x = -tw;
            break;
        case mvInUp:
            if (--y < -th) y = lim.Hy;
            break;
        case mvInDown:
            if (++y > lim.Hy) y = -th;
            break;
        case mvBounce: {
            if (which == Region::Lewy) break;
            // One pixel per tick in the current direction; a direction of 0 from
            // a foreign file counts as leftwards, as the turn rule below does.
            const bool right = direction > 0;
            x += right ? 1 : -1;
            if (right && x > 5) direction = -1;
            if (!right && tw + x + 5 < lim.Wx) direction = 1;
            break;
        }
        case mvFlashing:
            direction = direction > 0 ? -1 : 1;
            if (direction > 0) {
                x = 0;
                y = 0;
            } else {
                x = SignWidth;  // off the face: the text is dark
                y = 96;
            }
            break;
        default: break;
    }
    m.AnimX = saturate(x);
    m.AnimY = saturate(y);
    m.Direction = direction;
}

TickResult stepRegion(sDane& dane, Region which) {
    return stepRegion(editedView(dane), which);
}

TickResult stepRegion(sWidok& w, Region which) {
    sScreenImage& r = regionOf(w, which);
    TickResult result;
    result.disableTimer = tickStopsRegion(w.TypWidoku, which);
    Motion m{r.Ruch, r.TextWidth, r.TextHeight, r.AnimX, r.AnimY, r.Direction};
    stepMotion(m, which, wrapLimits(w, which));
    r.AnimX = m.AnimX;
    r.AnimY = m.AnimY;
    r.Direction = m.Direction;
    return result;
}

bool restartMovement(sScreenImage& region) {
    region.AnimX = 0;
    region.AnimY = 0;
    region.Timer = region.Ruch != mvNone ? 1 : 0;
    return region.Ruch != mvNone;
}

}  // namespace lt
