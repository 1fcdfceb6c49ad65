// Project open, the checks and the data without drawing: the input patches a
// default project kept in memory (see Patch; at most 16 records, so at most a
// few dozen views change), which then passes the open's size and version
// checks from memory, and the project's readers look at it as they would at
// a file from another depot: the checks before export on every view in use,
// the language names and the layout of every patched view. A project that passes the checks is read in whole
// by them, and whatever it holds gives findings about views in use only.

#include "depot/checks.h"
#include "depot/viewlist.h"
#include "fuzz/fixtures.h"
#include "model/projectfile.h"
#include "render/preview.h"

#include <QJsonDocument>

namespace lt {
namespace {

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

    // The checks before export.
    const QList<Finding> findings = checkProject(d);
    const QStringList codes = checkFindingCodes();
    for (const Finding& f : findings) {
        LT_FUZZ_CHECK(f.lang >= 1 && f.lang <= LanguageCount && f.view >= 0 && f.view <= ViewCount);
        LT_FUZZ_CHECK(f.lang == 1 || isTrue(d.Lang[f.lang - 1].Use));
        LT_FUZZ_CHECK(f.view == 0 || isTrue(widok(d, f.lang, f.view).use));
        LT_FUZZ_CHECK(codes.contains(f.what) && !f.why.isEmpty());
        (void)f.text();
    }
    (void)QJsonDocument(findingsJson(findings)).toJson(QJsonDocument::Compact);

    // What the windows and the lists read of the languages and the views.
    for (const sLang& lang : d.Lang) LT_FUZZ_CHECK(ReadText(lang.Nazwa).size() <= 32);
    for (const int unit : patch.touched()) {
        const sWidok& w = widok(d, fuzz::unitLang(unit), fuzz::unitView(unit));
        LT_FUZZ_CHECK(layoutBarX(w) >= 0 && layoutBarX(w) <= 128 && layoutBarY(w) >= 0 &&
                      layoutBarY(w) <= 32);
        for (const Region r : {Region::Gorny, Region::Dolny, Region::Lewy}) {
            const RegionWindow win = regionWindow(w, r);
            LT_FUZZ_CHECK(win.width >= 0 && win.width <= 128 && win.height >= 0 && win.height <= 32);
        }
    }
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("project", lt::projectOpen)
