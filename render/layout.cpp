#include "render/layout.h"

#include "render/bitmap.h"
#include "render/text.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>

namespace lt {
namespace {

/// Whether any byte in [from, end) is 96 or more: its top bit is set, or
/// both of the two below it.
bool anyByteAtLeast96(const std::uint8_t* from, const std::uint8_t* end) {
    constexpr std::uint64_t top = 0x8080808080808080u;
    constexpr std::uint64_t second = 0x4040404040404040u;
    std::uint64_t found = 0;
    for (; end - from >= 8; from += 8) {
        std::uint64_t w;
        std::memcpy(&w, from, 8);
        found |= (w & top) | (w & (w << 1) & second);
    }
    for (; from != end; ++from) found |= *from >= 96;
    return found != 0;
}

/// Whether every byte in [from, end) is 0, as the rows of a canvas around
/// its text mostly are: compared with a block of zeros, which the C library
/// does many bytes at a time.
bool allZero(const std::uint8_t* from, const std::uint8_t* end) {
    static constexpr std::uint8_t zeros[4096] = {};
    while (end - from > 0) {
        const std::size_t n = std::min<std::size_t>(std::size_t(end - from), sizeof zeros);
        if (std::memcmp(from, zeros, n) != 0) return false;
        from += n;
    }
    return true;
}

}  // namespace

RegionWindow regionWindow(const sWidok& w, Region r) {
    const FaceWindow win = regionWindowOnFace(w, r);
    return {win.width, win.height};
}

InkBox regionInk(const sScreenImage& region) {
    InkBox box;
    const QString text = ReadText(region.Text);
    if (text.isEmpty()) return box;
    const QFont font = regionFont(region);
    const int em = fontPixelSize(region.FontSize);
    const int margin = 2 * em + 4;

    // Measure first, far off a small canvas, so nothing is drawn.
    Bitmap probe(1, 1);
    QPainter measure(&probe.image());
    measure.setFont(font);
    const TextSize size = drawTextLine(measure, text, std::int64_t{1} << 40, 0);
    measure.end();

    // Then draw the whole line white on black with room around it. A line
    // longer than any picture is drawn up to well past the widest one.
    const int width = std::min<std::int64_t>(std::int64_t{size.width} + 2 * margin,
                                             regionSurfaceSize(Region::Dolny).width + 256 + 2 * margin);
    const int height = std::max(size.height, em) + 2 * margin;
    Bitmap canvas(width, height);
    QPainter p(&canvas.image());
    p.setBackgroundMode(Qt::TransparentMode);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255));
    if (isTrue(region.Alias))
        Font2Antialias(p);
    else
        Font2Mono(p);
    drawTextLine(p, text, margin, margin);
    p.end();

    // A pixel counts when it is clearly lit; faint smoothing at a glyph's
    // edge does not.
    constexpr int lit = 96;
    static_assert(lit == 96, "anyByteAtLeast96 looks for this level");
    int l = std::numeric_limits<int>::max(), t = l, r = std::numeric_limits<int>::min(), b = r;
    // A pixel is lit when any of its three bytes is, so each row is looked
    // through as bytes: eight at a time for any lit one first (most rows
    // hold no ink), then from both ends.
    const auto isLit = [](std::uint8_t c) { return c >= lit; };
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = canvas.row(y);
        const std::uint8_t* end = row + 3 * std::size_t(width);
        if (allZero(row, end) || !anyByteAtLeast96(row, end)) continue;
        const std::uint8_t* first = std::find_if(row, end, isLit);
        const std::uint8_t* last =
            std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(first), isLit).base() -
            1;
        l = std::min(l, static_cast<int>((first - row) / 3));
        r = std::max(r, static_cast<int>((last - row) / 3));
        t = std::min(t, y);
        b = std::max(b, y);
    }
    if (r < l) return box;
    const std::int64_t dx = std::int64_t{region.X} - margin;
    const std::int64_t dy = std::int64_t{region.Y} - margin;
    auto clampInt = [](std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min() / 2,
                                                         std::numeric_limits<int>::max() / 2));
    };
    box.empty = false;
    box.left = clampInt(l + dx);
    box.right = clampInt(r + dx);
    box.top = clampInt(t + dy);
    box.bottom = clampInt(b + dy);
    // Cut short above: the ink goes on at least to the measured advance.
    if (std::int64_t{size.width} + 2 * margin > width)
        box.right = clampInt(std::max<std::int64_t>(box.right, std::int64_t{region.X} + size.width - 1));
    return box;
}

}  // namespace lt
