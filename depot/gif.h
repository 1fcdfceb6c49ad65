#pragma once
// Animated pictures of a played display image: the sign face drawn at a
// scale (one pixel per LED in the eight sign colours, or enlarged with each
// LED a round dot on a dark face) and written as a looping animated GIF.

#include "depot/player.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace lt {

/// Scale of an enlarged sign: pixels per LED, at least 4 so a dot is round.
inline constexpr int SignMinDotScale = 4;
inline constexpr int SignMaxScale = 16;
/// The scale pictures are drawn at when none is asked for.
inline constexpr int SignDefaultScale = 4;
/// The longest clip that is written, in seconds.
inline constexpr int AnimationMaxSeconds = 3600;

/// Whether a scale can be drawn: 1, or SignMinDotScale..SignMaxScale.
bool validSignScale(int scale);

/// Draws faces as palette pictures. Scale 1: one pixel per LED, palette entry
/// i the sign colour of index i exactly. Larger scales: each LED an N x N
/// cell holding a round dot in its colour (an unlit black LED as a dim dot),
/// its edge pixels half way to the face, on a dark face.
class SignPainter {
public:
    explicit SignPainter(int scale);
    int scale() const { return m_scale; }
    int width() const { return SignWidth * m_scale; }
    int height() const { return SignHeight * m_scale; }
    /// Colours 0xRRGGBB of the palette entries the pictures use.
    const std::vector<std::uint32_t>& palette() const { return m_palette; }
    /// The face as width() x height() palette entries, row by row.
    void paint(const FaceLeds& face, std::vector<std::uint8_t>& pixels) const;

private:
    int m_scale;
    std::vector<std::uint32_t> m_palette;
    std::vector<std::uint8_t> m_rows;  // [dot row][colour][scale]: one LED's pixels in a row
};

/// An animated GIF being written into memory: pictures of one size over one
/// palette, looping for ever. Each picture is stored as the rectangle in
/// which it differs from the one before, laid over it.
class GifWriter {
public:
    /// palette: 2..256 colours 0xRRGGBB.
    GifWriter(int width, int height, std::span<const std::uint32_t> palette);
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    /// Adds a picture of width x height palette entries shown for
    /// `centiseconds` (at least 1; a long one is spread over several frames).
    bool addFrame(std::span<const std::uint8_t> pixels, std::int64_t centiseconds);
    /// Frames stored so far.
    int frameCount() const { return m_frames; }
    /// Ends the file. The GIF's bytes, or an empty array with error() set.
    QByteArray finish();
    QString error() const { return m_error; }

private:
    bool putFrame(int left, int top, int w, int h, std::int64_t centiseconds);
    bool fail(int code);

    struct Gif;
    std::unique_ptr<Gif> m_gif;
    int m_width, m_height;
    std::vector<std::uint8_t> m_shown;  // the picture as it stands after the last frame
    bool m_started = false;
    int m_frames = 0;
    QString m_error;
};

/// What writing an animation gives.
struct Animation {
    QByteArray gif;  // empty on failure
    QString error;
    int width = 0, height = 0;
    int frames = 0;          // GIF frames written
    bool cancelled = false;  // `going` said stop: no GIF, no error
};

/// Told how many ms of the clip are drawn so far; false stops the drawing.
using AnimationProgress = std::function<bool(std::int64_t doneMs)>;

/// The clip [0, lengthMs) of the player (playClip) as an animated GIF drawn
/// at `scale`; lengthMs is a multiple of 20 so every delay is whole. Touches
/// nothing but its arguments, so several may run at once on other threads,
/// each with a player (and image) of its own.
Animation makeAnimation(Player& player, std::int64_t lengthMs, int scale,
                        const AnimationProgress& going = {});

}  // namespace lt
