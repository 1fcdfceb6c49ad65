#pragma once
// Drawing one given view: its regions into the render surfaces, the preview
// composed from them, and its thumbnail sampled straight from the regions at
// LED resolution. Nothing here reads or moves the editor's selection; the
// caller names the view and decides what to do with the measured sizes.

#include "model/records.h"
#include "model/sign.h"
#include "render/bitmap.h"
#include "render/text.h"

#include <cstdint>

namespace lt {

/// What drawing a view measured: the text size of each region its type
/// shows. `drawn` is false for a view type outside 0..3, which draws nothing.
struct ViewSizes {
    bool drawn = false;
    bool shown[3] = {false, false, false};  // indexed by Region
    TextSize size[3];                       // indexed by Region, valid when shown
    const TextSize& of(Region r) const { return size[static_cast<int>(r)]; }
    bool shows(Region r) const { return shown[static_cast<int>(r)]; }
};

/// What renderView draws besides the region surfaces.
enum class ViewTarget {
    Preview,   // the regions, then the preview composed from them
    Surfaces,  // the region surfaces only; the preview is left as it is
};

/// Renders the regions the view's type shows (top, bottom, left) into their
/// surfaces and, for ViewTarget::Preview, copies them six times enlarged into
/// the preview at their windows, shifted by the animation offsets and filled
/// with each region's background colour where its surface does not reach,
/// then draws the separators at the track bar positions of `s`. A view type
/// outside 0..3 leaves the surfaces and the preview unchanged.
ViewSizes renderView(const sWidok& w, Surfaces& s, ViewTarget target = ViewTarget::Preview);

/// The sizes renderView would measure, without drawing.
ViewSizes measureView(const sWidok& w);

/// Stores the measured sizes into the regions that were drawn (TextWidth,
/// TextHeight), as rendering the edited view does.
void storeSizes(sWidok& w, const ViewSizes& sizes);

/// The view's face at LED resolution, sampled straight from the region
/// surfaces as they are now: pixel (x, y) of a region's window shows its
/// surface pixel (x - left - AnimX, y - top - AnimY), or its background
/// colour where the surface does not reach. It is the preview reduced by six,
/// since the separators never fall on a sampled pixel. `face` must be
/// SignWidth x SignHeight; a view type outside 0..3 leaves it unchanged.
void sampleFace(const sWidok& w, const Surfaces& s, Bitmap& face);

/// Thumbnails of a run of views, drawn without composing the preview. Each
/// thumbnail is the one composing the preview and reducing it would give,
/// including a view of a type outside 0..3, which shows what the preview last
/// held; finish() leaves the preview as composing each view in turn would.
class ThumbnailRun {
public:
    explicit ThumbnailRun(Surfaces& s) : m_s(s) {}
    ThumbnailRun(const ThumbnailRun&) = delete;
    ThumbnailRun& operator=(const ThumbnailRun&) = delete;

    /// Renders the view's regions into the surfaces and its thumbnail into
    /// `thumb`; returns the measured sizes.
    ViewSizes draw(const sWidok& w, Bitmap& thumb);

    /// Puts into the preview what composing the last drawn view left there.
    void finish();

private:
    Surfaces& m_s;
    const Bitmap* m_last = nullptr;  // thumbnail of the last view drawn
    std::int32_t m_lastType = vtTop;
};

}  // namespace lt
