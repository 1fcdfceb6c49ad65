#include "render/view.h"

#include "render/pixels.h"

#include <algorithm>
#include <cstring>

namespace lt {
namespace {

int index(Region r) {
    return static_cast<int>(r);
}

// One enlarged copy of a region's surface into the preview at its window.
void copyRegion(const sScreenImage& r, const Bitmap& surface, FaceWindow win, Bitmap& preview) {
    FastCopyRegionBmp(-std::int64_t{r.AnimX}, -std::int64_t{r.AnimY}, surface, win.left * LedScale,
                      win.top * LedScale, win.width * LedScale, win.height * LedScale, preview,
                      Int2Color(r.BackColor));
}

void composePreview(const sWidok& w, Surfaces& s) {
    // The left region last, as its window was always drawn over the others'.
    for (const Region r : {Region::Gorny, Region::Dolny, Region::Lewy}) {
        if (!showsRegion(w.TypWidoku, r)) continue;
        copyRegion(regionOf(w, r), surfaceOf(s, r), regionWindowOnFace(w, r), s.preview);
    }
    FastDrawLinesHV(w.TypWidoku, s, TRGB{155, 155, 155});
}

// The preview a face gives: every LED a block of six by six, then the
// separators of the view type.
void previewFromFace(std::int32_t type, const Bitmap& face, Surfaces& s) {
    FastCopyRegion(0, 0, face, 0, 0, s.preview.width(), s.preview.height(), s.preview);
    FastDrawLinesHV(type, s, TRGB{155, 155, 155});
}

void copyPixels(const Bitmap& from, Bitmap& to) {
    const int w = std::min(from.width(), to.width()), h = std::min(from.height(), to.height());
    for (int y = 0; y < h; ++y) std::memcpy(to.row(y), from.row(y), static_cast<std::size_t>(3 * w));
}

}  // namespace

ViewSizes renderView(const sWidok& w, Surfaces& s, ViewTarget target) {
    ViewSizes out;
    if (!isViewType(w.TypWidoku)) return out;
    out.drawn = true;
    for (const Region r : AllRegions) {
        if (!showsRegion(w.TypWidoku, r)) continue;
        const sScreenImage& region = regionOf(w, r);
        out.shown[index(r)] = true;
        out.size[index(r)] = renderRegionSurface(region, ReadText(region.Text), surfaceOf(s, r));
    }
    if (target == ViewTarget::Preview) composePreview(w, s);
    return out;
}

ViewSizes measureView(const sWidok& w) {
    ViewSizes out;
    if (!isViewType(w.TypWidoku)) return out;
    out.drawn = true;
    for (const Region r : AllRegions) {
        if (!showsRegion(w.TypWidoku, r)) continue;
        out.shown[index(r)] = true;
        out.size[index(r)] = shapedRegionText(regionOf(w, r)).size();
    }
    return out;
}

void storeSizes(sWidok& w, const ViewSizes& sizes) {
    for (const Region r : AllRegions) {
        if (!sizes.shows(r)) continue;
        sScreenImage& region = regionOf(w, r);
        region.TextWidth = sizes.of(r).width;
        region.TextHeight = sizes.of(r).height;
    }
}

void sampleFace(const sWidok& w, const Surfaces& s, Bitmap& face) {
    if (!isViewType(w.TypWidoku)) return;
    const int fw = std::min(face.width(), SignWidth), fh = std::min(face.height(), SignHeight);
    for (const Region r : AllRegions) {
        if (!showsRegion(w.TypWidoku, r)) continue;
        const sScreenImage& region = regionOf(w, r);
        const Bitmap& surface = surfaceOf(s, r);
        const FaceWindow win = regionWindowOnFace(w, r);
        const TRGB fill = pixelOf(Int2Color(region.BackColor));
        const int x0 = std::max(win.left, 0), x1 = std::min(win.left + win.width, fw);
        const int y0 = std::max(win.top, 0), y1 = std::min(win.top + win.height, fh);
        if (x0 >= x1 || y0 >= y1) continue;
        // Surface column of face column x: x + dx; columns [sx0, sx1) of the
        // window reach the surface.
        const std::int64_t dx = -std::int64_t{win.left} - region.AnimX;
        const std::int64_t dy = -std::int64_t{win.top} - region.AnimY;
        const std::int64_t sx0 = std::clamp<std::int64_t>(-dx, x0, x1);
        const std::int64_t sx1 = std::clamp<std::int64_t>(surface.width() - dx, sx0, x1);
        for (int y = y0; y < y1; ++y) {
            std::uint8_t* d = face.row(y) + 3 * x0;
            const std::int64_t sy = y + dy;
            if (sy < 0 || sy >= surface.height()) {
                for (int x = x0; x < x1; ++x, d += 3) {
                    d[0] = fill.b;
                    d[1] = fill.g;
                    d[2] = fill.r;
                }
                continue;
            }
            for (std::int64_t x = x0; x < sx0; ++x, d += 3) {
                d[0] = fill.b;
                d[1] = fill.g;
                d[2] = fill.r;
            }
            if (sx1 > sx0) {
                const std::uint8_t* src = surface.row(static_cast<int>(sy)) + 3 * (sx0 + dx);
                const std::size_t bytes = static_cast<std::size_t>(3 * (sx1 - sx0));
                std::memcpy(d, src, bytes);
                d += bytes;
            }
            for (std::int64_t x = sx1; x < x1; ++x, d += 3) {
                d[0] = fill.b;
                d[1] = fill.g;
                d[2] = fill.r;
            }
        }
    }
}

ViewSizes ThumbnailRun::draw(const sWidok& w, Bitmap& thumb) {
    const ViewSizes sizes = renderView(w, m_s, ViewTarget::Surfaces);
    if (sizes.drawn) {
        sampleFace(w, m_s, thumb);
        m_last = &thumb;
        m_lastType = w.TypWidoku;
    } else if (m_last != nullptr) {
        // The preview would still hold the last drawn view.
        if (m_last != &thumb) copyPixels(*m_last, thumb);
    } else {
        FastResizeBmp(m_s.preview, thumb);
    }
    return sizes;
}

void ThumbnailRun::finish() {
    if (m_last != nullptr) previewFromFace(m_lastType, *m_last, m_s);
    m_last = nullptr;
}

}  // namespace lt
