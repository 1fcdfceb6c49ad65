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
    const std::int32_t type = w.TypWidoku;
    const int barX = layoutBarX(w), barY = layoutBarY(w);
    if (which == Region::Lewy) return {barX, 32};
    const bool left = type == vtLeftTop || type == vtLeftTopBottom;
    const bool split = type == vtTopBottom || type == vtLeftTopBottom;
    // The bottom region wraps at the top region's height too.
    return {left ? 128 - barX : 128, split ? barY : 32};
}

TickResult stepRegion(sDane& dane, Region which) {
    sWidok& w = editedView(dane);
    sScreenImage& r = regionOf(w, which);
    const std::int32_t type = w.TypWidoku;
    TickResult result;
    if (which == Region::Dolny && (type == vtTop || type == vtLeftTop)) result.disableTimer = true;
    if (which == Region::Lewy && (type == vtTop || type == vtTopBottom)) result.disableTimer = true;

    const WrapLimits lim = wrapLimits(w, which);
    const std::int64_t tw = r.TextWidth, th = r.TextHeight;
    std::int64_t x = r.AnimX, y = r.AnimY;
    std::int32_t direction = r.Direction;
    switch (r.Ruch) {
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
                x = 128;
                y = 96;
            }
            break;
        default: break;
    }
    r.AnimX = saturate(x);
    r.AnimY = saturate(y);
    r.Direction = direction;
    return result;
}

bool restartMovement(sScreenImage& region) {
    region.AnimX = 0;
    region.AnimY = 0;
    region.Timer = region.Ruch != mvNone ? 1 : 0;
    return region.Ruch != mvNone;
}

}  // namespace lt
