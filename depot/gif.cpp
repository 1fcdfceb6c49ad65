#include "depot/gif.h"

#include "display/colour.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>

namespace lt {

bool validSignScale(int scale) {
    return scale == 1 || (scale >= SignMinDotScale && scale <= SignMaxScale);
}

// --- SignPainter ------------------------------------------------------------------

namespace {

constexpr std::uint32_t DarkFace = 0x0C0C0C;  // the face between the dots
constexpr std::uint32_t UnlitLed = 0x2A2A2A;  // a dot showing black
constexpr int FaceEntry = 8;                  // palette entry of the face
constexpr int EdgeEntry = 9;                  // entry of colour c at a dot's edge: EdgeEntry + c

std::uint32_t signColour(std::uint8_t index) {
    std::uint8_t r, g, b;
    DecodeColor(index, r, g, b);
    return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}

/// Half way between two colours 0xRRGGBB.
std::uint32_t halfWay(std::uint32_t a, std::uint32_t b) {
    std::uint32_t c = 0;
    for (int shift : {16, 8, 0}) c |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
    return c;
}

/// How much of pixel (x, y) a disc covers, from 4 x 4 samples: 0..16.
int discCover(int x, int y, double centre, double radius) {
    int inside = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const double dx = x + (i + 0.5) / 4 - centre, dy = y + (j + 0.5) / 4 - centre;
            inside += dx * dx + dy * dy <= radius * radius ? 1 : 0;
        }
    return inside;
}

}  // namespace

SignPainter::SignPainter(int scale) : m_scale(validSignScale(scale) ? scale : 1) {
    for (std::uint8_t c = 0; c < 8; ++c) m_palette.push_back(signColour(c));
    if (m_scale == 1) return;
    m_palette[ciBlack] = UnlitLed;
    m_palette.push_back(DarkFace);
    for (std::uint8_t c = 0; c < 8; ++c) m_palette.push_back(halfWay(m_palette[c], DarkFace));
    // The dot: a disc filling the cell's top-left (scale - 1) square, leaving
    // a one-pixel gap of face to the next LED. Pixels it covers mostly take
    // the LED's colour, pixels it covers in part a colour half way to the
    // face, so even a 3-pixel dot looks round.
    const double centre = (m_scale - 1) / 2.0;
    const std::size_t n = static_cast<std::size_t>(m_scale);
    m_rows.assign(n * 8 * n, FaceEntry);
    for (int y = 0; y + 1 < m_scale; ++y)
        for (int x = 0; x + 1 < m_scale; ++x) {
            const int cover = discCover(x, y, centre, centre);
            if (cover < 4) continue;
            const std::size_t at = static_cast<std::size_t>(y) * 8 * n + static_cast<std::size_t>(x);
            for (std::uint8_t c = 0; c < 8; ++c)
                m_rows[at + c * n] = static_cast<std::uint8_t>(cover >= 12 ? c : EdgeEntry + c);
        }
}

void SignPainter::paint(const FaceLeds& face, std::vector<std::uint8_t>& pixels) const {
    const int w = width();
    pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(height()));
    if (m_scale == 1) {
        for (std::size_t i = 0; i < face.size(); ++i) pixels[i] = face[i] & 7;
        return;
    }
    // Each pixel row of an LED row is the dot's row, LED after LED: copied
    // from the row patterns made once per colour.
    const std::size_t s = static_cast<std::size_t>(m_scale);
    for (int ly = 0; ly < SignHeight; ++ly) {
        const std::uint8_t* leds = face.data() + ly * SignWidth;
        for (std::size_t dy = 0; dy < s; ++dy) {
            std::uint8_t* out =
                pixels.data() + (static_cast<std::size_t>(ly) * s + dy) * static_cast<std::size_t>(w);
            const std::uint8_t* patterns = m_rows.data() + dy * 8 * s;
            for (int lx = 0; lx < SignWidth; ++lx, out += s)
                std::memcpy(out, patterns + (leds[lx] & 7) * s, s);
        }
    }
}

// --- GifWriter --------------------------------------------------------------------

struct GifWriter::Gif {
    GifFileType* file = nullptr;
    QByteArray bytes;
};

namespace {

int writeToMemory(GifFileType* file, const GifByteType* data, int length) {
    auto* bytes = static_cast<QByteArray*>(file->UserData);
    bytes->append(reinterpret_cast<const char*>(data), length);
    return length;
}

// Centiseconds one GIF frame holds: the largest even number its 16 bits take,
// so a long picture spread over several frames keeps even delays.
constexpr std::int64_t MaxDelay = 65534;

}  // namespace

GifWriter::GifWriter(int width, int height, std::span<const std::uint32_t> palette)
    : m_gif(std::make_unique<Gif>()), m_width(width), m_height(height) {
    int error = 0;
    m_gif->file = EGifOpen(&m_gif->bytes, writeToMemory, &error);
    if (!m_gif->file) {
        fail(error);
        return;
    }
    // The colour table holds a power of two entries; unused ones are black.
    int entries = 2;
    while (entries < static_cast<int>(palette.size()) && entries < 256) entries *= 2;
    ColorMapObject* map = GifMakeMapObject(entries, nullptr);
    if (!map) {
        fail(E_GIF_ERR_NOT_ENOUGH_MEM);
        return;
    }
    for (int i = 0; i < entries; ++i) {
        const std::uint32_t c =
            i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : 0;
        map->Colors[i] = GifColorType{static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                                      static_cast<GifByteType>(c)};
    }
    EGifSetGifVersion(m_gif->file, true);
    const int put = EGifPutScreenDesc(m_gif->file, width, height, 8, 0, map);
    GifFreeMapObject(map);
    if (put != GIF_OK) {
        fail(m_gif->file->Error);
        return;
    }
    // The application extension that makes viewers loop for ever.
    static const GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType loopForever[] = {1, 0, 0};
    if (EGifPutExtensionLeader(m_gif->file, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(m_gif->file, 11, netscape) != GIF_OK ||
        EGifPutExtensionBlock(m_gif->file, 3, loopForever) != GIF_OK ||
        EGifPutExtensionTrailer(m_gif->file) != GIF_OK) {
        fail(m_gif->file->Error);
        return;
    }
    m_shown.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

GifWriter::~GifWriter() {
    if (m_gif->file) EGifCloseFile(m_gif->file, nullptr);
}

bool GifWriter::fail(int code) {
    if (m_error.isEmpty()) {
        const char* text = GifErrorString(code);
        m_error = QStringLiteral("the animated picture could not be made (%1)")
                      .arg(text ? QString::fromLatin1(text) : QString::number(code));
    }
    return false;
}

bool GifWriter::putFrame(int left, int top, int w, int h, std::int64_t centiseconds) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;  // the next frame is laid over this one
    gcb.UserInputFlag = false;
    gcb.DelayTime = static_cast<int>(centiseconds);
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    if (EGifPutExtension(m_gif->file, GRAPHICS_EXT_FUNC_CODE, 4, ext) != GIF_OK ||
        EGifPutImageDesc(m_gif->file, left, top, w, h, false, nullptr) != GIF_OK)
        return fail(m_gif->file->Error);
    for (int y = top; y < top + h; ++y) {
        GifByteType* row = m_shown.data() + static_cast<std::size_t>(y) * m_width + left;
        if (EGifPutLine(m_gif->file, row, w) != GIF_OK) return fail(m_gif->file->Error);
    }
    ++m_frames;
    return true;
}

bool GifWriter::addFrame(std::span<const std::uint8_t> pixels, std::int64_t centiseconds) {
    if (!m_error.isEmpty() || !m_gif->file) return false;
    if (pixels.size() != m_shown.size()) {
        m_error = QStringLiteral("a picture of the wrong size");
        return false;
    }
    // The rectangle in which the picture differs from the one shown; the
    // first picture is stored whole.
    int left = m_width, right = -1, top = m_height, bottom = -1;
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* a = pixels.data() + static_cast<std::size_t>(y) * m_width;
        const std::uint8_t* b = m_shown.data() + static_cast<std::size_t>(y) * m_width;
        if (m_started && std::memcmp(a, b, static_cast<std::size_t>(m_width)) == 0) continue;
        int l = 0, r = m_width - 1;
        if (m_started) {
            while (a[l] == b[l]) ++l;
            while (a[r] == b[r]) --r;
        }
        left = std::min(left, l);
        right = std::max(right, r);
        top = std::min(top, y);
        bottom = y;
    }
    std::memcpy(m_shown.data(), pixels.data(), m_shown.size());
    m_started = true;
    if (right < 0) left = right = top = bottom = 0;  // unchanged: one pixel, laid over itself
    std::int64_t rest = std::max<std::int64_t>(centiseconds, 1);
    std::int64_t delay = std::min(rest, MaxDelay);
    if (!putFrame(left, top, right - left + 1, bottom - top + 1, delay)) return false;
    for (rest -= delay; rest > 0; rest -= delay) {
        delay = std::min(rest, MaxDelay);
        if (!putFrame(0, 0, 1, 1, delay)) return false;
    }
    return true;
}

QByteArray GifWriter::finish() {
    if (!m_gif->file) return {};
    int error = 0;
    const int closed = EGifCloseFile(m_gif->file, &error);
    m_gif->file = nullptr;
    if (closed != GIF_OK) fail(error);
    if (!m_error.isEmpty()) return {};
    return std::move(m_gif->bytes);
}

// --- Animation --------------------------------------------------------------------

Animation makeAnimation(Player& player, std::int64_t lengthMs, int scale, const AnimationProgress& going) {
    Animation result;
    const SignPainter painter(scale);
    result.width = painter.width();
    result.height = painter.height();
    GifWriter writer(painter.width(), painter.height(), painter.palette());
    std::vector<std::uint8_t> pixels;
    const bool ok = playClip(player, lengthMs, [&](const FaceLeds& face, const ClipFrame& frame) {
        if (going && !going(frame.startMs)) {
            result.cancelled = true;
            return false;
        }
        painter.paint(face, pixels);
        return writer.addFrame(pixels, frame.lengthMs / 10);
    });
    result.gif = writer.finish();
    result.frames = writer.frameCount();
    if (result.cancelled) {
        result.gif.clear();
        return result;
    }
    if (!ok || result.gif.isEmpty()) {
        result.error = writer.error().isEmpty() ? QStringLiteral("the animated picture could not be made")
                                                : writer.error();
        result.gif.clear();
    }
    return result;
}

}  // namespace lt
