#include "render/layout.h"

#include "render/bitmap.h"
#include "render/text.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

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

namespace {

/// The box of the clearly lit pixels of a canvas of 24-bit pixels, in its
/// own columns and rows; empty when none is lit.
InkBox litBox(const QImage& canvas) {
    // A pixel counts when it is clearly lit; faint smoothing at a glyph's
    // edge does not.
    constexpr int lit = 96;
    static_assert(lit == 96, "anyByteAtLeast96 looks for this level");
    const int width = canvas.width(), height = canvas.height();
    int l = std::numeric_limits<int>::max(), t = l, r = std::numeric_limits<int>::min(), b = r;
    // A pixel is lit when any of its three bytes is, so each row is looked
    // through as bytes: eight at a time for any lit one first (most rows
    // hold no ink), then from both ends.
    const auto isLit = [](std::uint8_t c) { return c >= lit; };
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = canvas.constScanLine(y);
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
    InkBox box;
    if (r < l) return box;
    box.empty = false;
    box.left = l;
    box.right = r;
    box.top = t;
    box.bottom = b;
    return box;
}

/// A black canvas of 24-bit pixels for measuring ink. Most are small, drawn
/// thousands of times while a project is fitted, so the memory of one is
/// kept for the next rather than asked of the system each time.
class InkCanvas {
public:
    InkCanvas(int width, int height) {
        const qsizetype bytesPerLine = (3 * qsizetype{width} + 3) & ~qsizetype{3};
        const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(height);
        constexpr std::size_t kept = 4u << 20;
        thread_local std::vector<std::uint8_t> spare;
        std::vector<std::uint8_t>* memory = &m_own;
        if (bytes <= kept) {
            if (spare.size() < bytes) spare.resize(bytes);
            memory = &spare;
        } else {
            m_own.resize(bytes);
        }
        std::memset(memory->data(), 0, bytes);
        m_image = QImage(memory->data(), width, height, bytesPerLine, QImage::Format_BGR888);
    }
    QImage& image() { return m_image; }

private:
    std::vector<std::uint8_t> m_own;
    QImage m_image;
};

}  // namespace

InkBox regionInk(const sScreenImage& region) {
    const QString text = ReadText(region.Text);
    if (text.isEmpty()) return InkBox{};
    const int em = fontPixelSize(region.FontSize);
    const int margin = 2 * em + 4;

    // The text is shaped once as the sign draws it, measured, then drawn
    // white on black with room around it. A line longer than any picture is
    // drawn up to well past the widest one.
    const ShapedLine line = shapedRegionText(region);
    const TextSize size = line.size();
    const int width = std::min<std::int64_t>(std::int64_t{size.width} + 2 * margin,
                                             regionSurfaceSize(Region::Dolny).width + 256 + 2 * margin);
    const auto drawn = [&](int above, bool last) {
        InkCanvas canvas(width, std::max(size.height, em) + 2 * above);
        QPainter p(&canvas.image());
        p.setBackgroundMode(Qt::TransparentMode);
        p.setRenderHint(QPainter::TextAntialiasing, isTrue(region.Alias));
        p.setPen(QColor(255, 255, 255));
        line.draw(p, margin, above);
        p.end();
        InkBox ink = litBox(canvas.image());
        const auto anyInRow = [&](int y) {
            const std::uint8_t* row = canvas.image().constScanLine(y);
            return !allZero(row, row + 3 * std::size_t(width));
        };
        // Ink that reaches the first or last row may go on past it.
        if (!last && (anyInRow(0) || anyInRow(canvas.image().height() - 1))) return std::optional<InkBox>();
        if (!ink.empty) {
            ink.top -= above;
            ink.bottom -= above;
        }
        return std::optional<InkBox>(ink);
    };
    // Rows far above or below the cell are rarely lit (stacked marks): they
    // are drawn only when the ink reaches the edge of the tight canvas.
    std::optional<InkBox> ink = drawn(em / 2 + 4, false);
    if (!ink) ink = drawn(margin, true);
    InkBox box = *ink;
    if (box.empty) return box;
    const std::int64_t dx = std::int64_t{region.X} - margin;
    const std::int64_t dy = std::int64_t{region.Y};
    auto clampInt = [](std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min() / 2,
                                                         std::numeric_limits<int>::max() / 2));
    };
    box.left = clampInt(box.left + dx);
    box.right = clampInt(box.right + dx);
    box.top = clampInt(box.top + dy);
    box.bottom = clampInt(box.bottom + dy);
    // Cut short above: the ink goes on at least to the measured advance.
    if (std::int64_t{size.width} + 2 * margin > width)
        box.right = clampInt(std::max<std::int64_t>(box.right, std::int64_t{region.X} + size.width - 1));
    return box;
}

}  // namespace lt
