// Drawing a project from another depot: the input patches the default project
// of a document (see Patch; at most 8 records), and only the views it touches
// are drawn: the edited view the header names, however far outside the
// project, then each touched view made the edited one, composed, stepped
// three animation ticks, outlined and reduced into its thumbnail; last the
// pendrive image is built, which renders every view in use. Every byte the
// drawing writes into the project is put back afterwards.

#include "fuzz/fixtures.h"
#include "model/document.h"
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
    // Drawing writes measured sizes and animation offsets into the views it
    // draws and the build into every view in use; the patches are the only
    // views in use, since the default project has none.
    patch.keep(0, offsetof(sDane, Widok));
    patch.keep(
        static_cast<std::size_t>(reinterpret_cast<char*>(&editedView(d)) - reinterpret_cast<char*>(&d)),
        sizeof(sWidok));
    for (const int unit : patch.touched())
        patch.keep(widokOffset(fuzz::unitLang(unit), fuzz::unitView(unit)), sizeof(sWidok));

    doc.RenderLED();
    for (const int unit : patch.touched()) {
        d.SelWidok = fuzz::unitLang(unit);
        d.EditRow = fuzz::unitView(unit);
        doc.RenderLED();
        for (int tick = 0; tick < 3; ++tick) {
            for (const Region r : {Region::Gorny, Region::Dolny, Region::Lewy}) stepRegion(d, r);
            doc.RenderLED();
        }
        doc.outlineRegion(Region::Gorny);
        doc.outlineRegion(Region::Lewy);
        doc.RenderActiveBitmapSG();
        const Bitmap& thumb = doc.surfaces().thumbnail(d.SelWidok, d.EditRow);
        LT_FUZZ_CHECK(thumb.width() == 128 && thumb.height() == 32);
    }
    EncodeKorvo2Flash(doc);
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("render", lt::projectRender)
