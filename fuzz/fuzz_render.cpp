// Drawing a project from another depot: the input patches the default project
// of a document (see Patch; at most 8 records), and only the views it touches
// are drawn: the edited view the header names, however far outside the
// project, then each touched view made the edited one, composed, stepped
// three animation ticks and composed again, outlined and reduced into its thumbnail, its screen
// settings written and its pictures packed as the pendrive build does; last
// the checks before export look at the views in use, which only the patches
// can have switched on. Every byte the drawing writes into the project and
// the image is put back afterwards.

#include "depot/checks.h"
#include "editor/document.h"
#include "fuzz/fixtures.h"
#include "render/animation.h"
#include "render/preview.h"

namespace lt {
namespace {

Document& document() {
    static Document* doc = [] {
        fuzz::ensureApp();
        auto* d = new Document;  // lives until the process ends
        fuzz::makeDefaultProject(d->dane());
        return d;
    }();
    return *doc;
}

int projectRender(const std::uint8_t* data, std::size_t size) {
    Document& doc = document();
    sDane& d = doc.dane();
    fuzz::Patch patch(&d, fuzz::ProjectLayout);
    patch.apply(data, size, 8);
    std::vector<int> units = patch.touched();
    // Drawing writes measured sizes and animation offsets into the views it
    // draws, the build its screens into the image.
    patch.keep(0, offsetof(sDane, Widok));
    patch.keep(
        static_cast<std::size_t>(reinterpret_cast<char*>(&editedView(d)) - reinterpret_cast<char*>(&d)),
        sizeof(sWidok));
    fuzz::Patch image(&doc.flash(), fuzz::ImageLayout);
    for (const int unit : units) {
        patch.keep(widokOffset(fuzz::unitLang(unit), fuzz::unitView(unit)), sizeof(sWidok));
        image.keep(screenOffset(fuzz::unitLang(unit), fuzz::unitView(unit)), sizeof(sscreengray));
    }

    doc.RenderLED();
    for (const int unit : units) {
        d.SelWidok = fuzz::unitLang(unit);
        d.EditRow = fuzz::unitView(unit);
        doc.RenderLED();
        for (int tick = 0; tick < 3; ++tick)
            for (const Region r : {Region::Gorny, Region::Dolny, Region::Lewy}) stepRegion(d, r);
        doc.RenderLED();
        doc.outlineRegion(Region::Gorny);
        doc.outlineRegion(Region::Lewy);
        doc.RenderActiveBitmapSG();
        const Bitmap& thumb = doc.surfaces().thumbnail(d.SelWidok, d.EditRow);
        LT_FUZZ_CHECK(thumb.width() == 128 && thumb.height() == 32);
        fillScreen(screen(doc.flash(), d.SelWidok, d.EditRow), doc.edited(), doc.flash());
    }
    // Packs the screens in use: the image holds no others.
    ConvertBitmapsToScreens(d, doc.surfaces(), doc.flash());

    const QList<Finding> findings = checkProject(d);
    const QStringList codes = checkFindingCodes();
    for (const Finding& f : findings) {
        LT_FUZZ_CHECK(f.lang >= 1 && f.lang <= LanguageCount && f.view >= 0 && f.view <= ViewCount);
        LT_FUZZ_CHECK(f.lang == 1 || isTrue(d.Lang[f.lang - 1].Use));
        LT_FUZZ_CHECK(f.view == 0 || isTrue(widok(d, f.lang, f.view).use));
        LT_FUZZ_CHECK(codes.contains(f.what) && !f.why.isEmpty() && !f.text().isEmpty());
    }
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("render", lt::projectRender)
