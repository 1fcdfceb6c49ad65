#pragma once
// Region text rendering: one region's text drawn at LED resolution into its
// render surface over a fill of its background colour, and measured.

#include "model/records.h"
#include "model/sign.h"
#include "render/bitmap.h"

#include <QFont>
#include <QString>

#include <cstdint>
#include <memory>

class QPaintDevice;
class QPainter;
class QTextLayout;

namespace lt {

/// The render surface of a region: iGorny, iDolny or iLewy.
inline Bitmap& surfaceOf(Surfaces& s, Region r) {
    return r == Region::Gorny ? s.iGorny : (r == Region::Dolny ? s.iDolny : s.iLewy);
}
inline const Bitmap& surfaceOf(const Surfaces& s, Region r) {
    return r == Region::Gorny ? s.iGorny : (r == Region::Dolny ? s.iDolny : s.iLewy);
}

/// Largest character height handed to the font engine. The editor offers
/// 4..32 points (5..43 pixels); a project file can hold any number.
inline constexpr int MaxFontPixels = 256;

/// Character (em) height in pixels of a size in points at 96 pixels per inch:
/// FontSize * 96 / 72 rounded to the nearest integer, kept within
/// 1..MaxFontPixels.
int fontPixelSize(std::int64_t fontSize);

/// The font of a region: face FontName, fontPixelSize(FontSize), the styles
/// of Int2FontStyle(Styl). Quality is left to Font2Mono / Font2Antialias.
QFont regionFont(const sScreenImage& region);

/// Replace the canvas font by an equal font drawn with two levels only.
void Font2Mono(QPainter& canvas);
/// Replace the canvas font by an equal font drawn anti-aliased, outline faces only.
void Font2Antialias(QPainter& canvas);

/// Measured size of a text in pixels: the sum of advances and ascent + descent.
struct TextSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

/// A text shaped as one line in a font, for canvases of a device's kind
/// (its resolution): measured once, drawn where it is wanted. Shaping is
/// most of the cost of drawing a line, so a text measured before it is drawn
/// is shaped once.
class ShapedLine {
public:
    ShapedLine(const QFont& font, QPaintDevice* device, const QString& text);
    ~ShapedLine();
    ShapedLine(ShapedLine&&) noexcept;
    ShapedLine& operator=(ShapedLine&&) noexcept;

    /// The sum of the advances and ascent + descent.
    TextSize size() const { return m_size; }
    /// Draws the line as drawTextLine does, in the canvas's pen; the canvas's
    /// font is not used.
    void draw(QPainter& canvas, std::int64_t x, std::int64_t y) const;

private:
    std::unique_ptr<QTextLayout> m_layout;
    TextSize m_size;
    int m_ascent = 0;
    int m_pixelSize = 16;
};

/// Draws text as one shaped line with the top-left of its cell at (x, y),
/// in the canvas font and pen, over a transparent background, and measures
/// it. Control characters never break the line, and a tab advances by the
/// width of a space like any glyph, never to a tab stop. Nothing is drawn when the
/// cell cannot reach the canvas, and only glyphs that can reach it are handed
/// to the rasteriser, so a long text far off the surface costs little.
TextSize drawTextLine(QPainter& canvas, const QString& text, std::int64_t x, std::int64_t y);

/// The font a region is drawn with: regionFont at the quality Font2Mono or
/// Font2Antialias gives it, as its Alias asks.
QFont drawnRegionFont(const sScreenImage& region);

/// A region's text shaped as renderRegionSurface draws it.
ShapedLine shapedRegionText(const sScreenImage& region);

/// Draws a region's settings with the given text into a surface: the fill of
/// its background colour, then the text in its font, colour and quality at
/// its X, Y. Returns the measured size.
TextSize renderRegionSurface(const sScreenImage& region, const QString& text, Bitmap& surface);

/// Renders one region of the edited view into its surface and stores the
/// measured TextWidth and TextHeight in the edited view.
void RenderRegion(sDane& dane, Surfaces& s, Region which);
inline void RenderGorny(sDane& dane, Surfaces& s) {
    RenderRegion(dane, s, Region::Gorny);
}
inline void RenderDolny(sDane& dane, Surfaces& s) {
    RenderRegion(dane, s, Region::Dolny);
}
inline void RenderLewy(sDane& dane, Surfaces& s) {
    RenderRegion(dane, s, Region::Lewy);
}

}  // namespace lt
