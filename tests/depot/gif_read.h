#pragma once
// Reads an animated GIF back with giflib's own reader and lays its frames
// over each other as a viewer does, so tests can look at every picture shown.

#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <gif_lib.h>
#include <vector>

namespace lt::test {

struct GifShown {
    std::vector<std::uint8_t> pixels;  // the whole picture after this frame, palette entries
    int delay = 0;                     // centiseconds
};

struct GifRead {
    bool ok = false;
    int width = 0, height = 0;
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    int loopCount = -1;                  // from the NETSCAPE2.0 extension; -1 when absent
    std::vector<GifShown> frames;
    /// The picture shown at `cs` centiseconds from the start (within one pass).
    const GifShown* at(std::int64_t cs) const {
        std::int64_t t = 0;
        for (const GifShown& f : frames) {
            if (cs < t + f.delay) return &f;
            t += f.delay;
        }
        return nullptr;
    }
    std::int64_t totalDelay() const {
        std::int64_t t = 0;
        for (const GifShown& f : frames) t += f.delay;
        return t;
    }
};

inline GifRead readGif(const QByteArray& bytes) {
    struct Source {
        const QByteArray* bytes;
        qsizetype pos = 0;
    } source{&bytes};
    const auto input = [](GifFileType* gif, GifByteType* out, int length) -> int {
        auto* s = static_cast<Source*>(gif->UserData);
        const int n = static_cast<int>(std::min<qsizetype>(length, s->bytes->size() - s->pos));
        std::memcpy(out, s->bytes->constData() + s->pos, static_cast<std::size_t>(n));
        s->pos += n;
        return n;
    };
    GifRead r;
    int error = 0;
    GifFileType* gif = DGifOpen(&source, input, &error);
    if (!gif) return r;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return r;
    }
    r.width = gif->SWidth;
    r.height = gif->SHeight;
    if (gif->SColorMap)
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
            const GifColorType c = gif->SColorMap->Colors[i];
            r.palette.push_back((std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue);
        }
    std::vector<std::uint8_t> canvas(static_cast<std::size_t>(r.width * r.height), 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& img = gif->SavedImages[i];
        for (int e = 0; e + 1 < img.ExtensionBlockCount; ++e) {
            const ExtensionBlock& a = img.ExtensionBlocks[e];
            const ExtensionBlock& b = img.ExtensionBlocks[e + 1];
            if (a.Function == APPLICATION_EXT_FUNC_CODE && a.ByteCount == 11 &&
                std::memcmp(a.Bytes, "NETSCAPE2.0", 11) == 0 && b.ByteCount == 3 && b.Bytes[0] == 1)
                r.loopCount = b.Bytes[1] | (b.Bytes[2] << 8);
        }
        GraphicsControlBlock gcb{};
        DGifSavedExtensionToGCB(gif, i, &gcb);
        const GifImageDesc& d = img.ImageDesc;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x)
                canvas[static_cast<std::size_t>((d.Top + y) * r.width + d.Left + x)] =
                    img.RasterBits[y * d.Width + x];
        r.frames.push_back({canvas, gcb.DelayTime});
    }
    DGifCloseFile(gif, &error);
    r.ok = true;
    return r;
}

}  // namespace lt::test
