// Decoding screens of a pendrive file, as `linetint-cli decode` shows them:
// the input patches the image our build makes from a sample project, kept in
// memory (see Patch; at most 8 records). Screen 1/1 and every screen the
// patches touch is laid out, decoded into the 128 x 32 face and its 8-bit
// texts read, and it is played for a time taken from the input; the last one
// is enlarged by a factor from the last input byte.

#include "depot/decode.h"
#include "depot/player.h"
#include "fuzz/fixtures.h"

namespace lt {
namespace {

void checkWindow(const ScreenLayout::Window& w) {
    if (w.empty()) return;
    LT_FUZZ_CHECK(w.left >= 0 && w.top >= 0 && w.left + w.width <= SignWidth &&
                  w.top + w.height <= SignHeight);
}

template <int T, int E>
void readTexts(const sRegionGray<T, E>& g) {
    LT_FUZZ_CHECK(AnsiCharToString(g.Text).size() <= T);
    LT_FUZZ_CHECK(AnsiCharToString(g.FontName).size() <= 24);
}

int decodeScreens(const std::uint8_t* data, std::size_t size) {
    sflash& f = fuzz::sampleImage();
    fuzz::Patch patch(&f, fuzz::ImageLayout);
    patch.apply(data, size, 8);
    const int factor = size > 0 ? data[size - 1] % 4 + 1 : 1;
    std::vector<int> units = patch.touched();
    units.push_back(0);
    Bitmap face;
    for (const int unit : units) {
        const int l = fuzz::unitLang(unit);
        const int v = fuzz::unitView(unit);
        const sscreengray& s = screen(f, l, v);
        const ScreenLayout lay = screenLayout(s.widok);
        LT_FUZZ_CHECK(lay.typ >= 0 && lay.typ <= 3);
        checkWindow(lay.gorny);
        checkWindow(lay.dolny);
        checkWindow(lay.lewy);
        LT_FUZZ_CHECK(AnsiCharToString(s.name).size() <= 128);
        readTexts(s.widok.gorny);
        readTexts(s.widok.dolny);
        readTexts(s.widok.lewy);
        face = DecodeScreen(f, l, v);
        LT_FUZZ_CHECK(face.width() == SignWidth && face.height() == SignHeight);
    }
    // Every one also plays for a while taken from the input, moved by its
    // own movement fields, as the player shows it.
    const std::int64_t playMs = size > 1 ? std::int64_t{data[size - 2]} * 20 : 0;
    for (const int unit : units) {
        ScreenPlay play(f, fuzz::unitLang(unit), fuzz::unitView(unit));
        play.seek(playMs);
        LT_FUZZ_CHECK(play.face().size() == std::size_t(SignWidth * SignHeight));
    }
    // The last one enlarged, as `decode --scale` shows it.
    const Bitmap big = enlargeBitmap(face, factor);
    LT_FUZZ_CHECK(big.width() == SignWidth * factor && big.height() == SignHeight * factor);
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("decode", lt::decodeScreens)
