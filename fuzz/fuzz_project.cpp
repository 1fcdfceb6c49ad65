// Project open, the checks and the data without drawing: the input patches a
// default project kept in memory (see Patch; at most 16 records), which then
// passes the open's size and version checks from memory, and what reads the
// project's fields without drawing reads it as it would a file from another
// depot: the edited view the header names, the language names, and for every
// patched view its texts, its layout on the sign, its colours, styles and
// font size, and its screen settings as the pendrive build writes them. The
// drawing, and the checks before export that measure drawn text, are the
// render harness's work.

#include "depot/checks.h"
#include "depot/decode.h"
#include "fuzz/fixtures.h"
#include "model/carry.h"
#include "model/projectfile.h"
#include "render/preview.h"
#include "render/text.h"

namespace lt {
namespace {

/// A text read from a field, stored the way the editor stores texts and read
/// again, is the same text cut to the field (never inside a surrogate pair).
template <std::size_t N>
void checkText(const char16_t (&field)[N]) {
    const QString text = ReadText(field);
    LT_FUZZ_CHECK(text.size() <= qsizetype(N));
    char16_t copy[N];
    std::memcpy(copy, field, sizeof copy);
    StringToWideChar(text, copy);
    const QString again = ReadText(copy);
    LT_FUZZ_CHECK(again.size() < qsizetype(N) && text.startsWith(again));
    LT_FUZZ_CHECK(text.size() < qsizetype(N) ? again == text : again.size() >= qsizetype(N) - 2);
}

void checkRegion(const sWidok& w, const sScreenImage& s, Region r) {
    checkText(s.Text);
    checkText(s.FontName);
    const int px = fontPixelSize(s.FontSize);
    LT_FUZZ_CHECK(px >= 1 && px <= MaxFontPixels);
    (void)Int2Color(s.FontColor);
    (void)Int2FontStyle(s.Styl);
    const RegionWindow win = regionWindow(w, r);
    LT_FUZZ_CHECK(win.width >= 0 && win.width <= SignWidth && win.height >= 0 && win.height <= SignHeight);
    // The outline lies on the preview, reaching one pixel past it at most
    // (drawing clips it); a split at the sign's edge leaves a region no room,
    // and its outline is then empty (drawn as nothing).
    if (const std::optional<OutlineRect> o = regionOutline(w, r))
        LT_FUZZ_CHECK(o->l >= 0 && o->t >= 0 && o->r <= 769 && o->b <= 193 && o->l <= o->r + 1 &&
                      o->t <= o->b + 1);
}

int projectOpen(const std::uint8_t* data, std::size_t size) {
    sDane& d = fuzz::defaultProject();
    fuzz::Patch patch(&d, fuzz::ProjectLayout);
    patch.apply(data, size, 16);

    // The open's checks, on the bytes as a file would hold them.
    const char* bytes = reinterpret_cast<const char*>(&d);
    QString error;
    const ProjectRead::Status status = checkProjectBytes(bytes, sizeof d, error);
    LT_FUZZ_CHECK((status == ProjectRead::Ok) == (d.Version >= ProjectVersion));
    LT_FUZZ_CHECK(status == ProjectRead::Ok ? error.isEmpty() : error == msgProjectVersionMismatch());
    QString sizeError;
    LT_FUZZ_CHECK(checkProjectBytes(bytes, sizeof d - 1, sizeError) == ProjectRead::SizeMismatch);
    if (status != ProjectRead::Ok) return 0;

    const sWidok& edited = editedView(d);
    LT_FUZZ_CHECK(&edited == &widok(d, editLang(d), editRow(d)));
    checkText(d.ProjName);
    for (const sLang& lang : d.Lang) checkText(lang.Nazwa);
    static sflash image;  // only the screen fields are written
    for (const int unit : patch.touched()) {
        const sWidok& w = widok(d, fuzz::unitLang(unit), fuzz::unitView(unit));
        checkText(w.NazwaKursu);
        LT_FUZZ_CHECK(layoutBarX(w) >= 0 && layoutBarX(w) <= SignWidth);
        LT_FUZZ_CHECK(layoutBarY(w) >= 0 && layoutBarY(w) <= SignHeight);
        checkRegion(w, w.Gorny, Region::Gorny);
        checkRegion(w, w.Dolny, Region::Dolny);
        checkRegion(w, w.Lewy, Region::Lewy);
        sscreengray& sc = screen(image, fuzz::unitLang(unit), fuzz::unitView(unit));
        fillScreen(sc, w, image);
        // The name as the stick carries it, cut at the field.
        LT_FUZZ_CHECK(
            AnsiCharToString(sc.name) ==
            carriedReading(carryText(ReadText(w.NazwaKursu)).bytes.left(qsizetype(sizeof sc.name) - 1)));
        (void)screenLayout(sc.widok);
    }
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("project", lt::projectOpen)
