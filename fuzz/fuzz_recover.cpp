// Recovering a project from a pendrive file of unknown origin: the input
// patches the image our build makes from a sample project, kept in memory
// (see Patch; at most 4 records), and every screen the patches touch is read
// back into a view record, its texts read against its pictures, as
// File > "Recover project from pendrive..." reads every screen. Screen 2/8,
// which no patch reaches unless it names it, is read back too: a screen our
// own build wrote reads back exactly.

#include "depot/decode.h"
#include "depot/recover.h"
#include "fuzz/fixtures.h"

namespace lt {
namespace {

/// Every text is read back letter for letter: one letter for each byte of
/// its 8-bit text, however the letters were chosen.
void checkRead(const sscreengray& sc, const sWidok& w) {
    // A project keeps a name of at most 127 letters; the image has room for 128.
    LT_FUZZ_CHECK(ReadText(w.NazwaKursu).size() ==
                  std::min<qsizetype>(AnsiCharToString(sc.name).size(), 127));
    LT_FUZZ_CHECK(ReadText(w.Gorny.Text).size() == AnsiCharToString(sc.widok.gorny.Text).size());
    LT_FUZZ_CHECK(ReadText(w.Dolny.Text).size() == AnsiCharToString(sc.widok.dolny.Text).size());
    LT_FUZZ_CHECK(ReadText(w.Lewy.Text).size() == AnsiCharToString(sc.widok.lewy.Text).size());
    LT_FUZZ_CHECK(ReadText(w.Gorny.FontName) == AnsiCharToString(sc.widok.gorny.FontName));
}

int recoverScreens(const std::uint8_t* data, std::size_t size) {
    sflash& f = fuzz::sampleImage();
    fuzz::Patch patch(&f, fuzz::ImageLayout);
    patch.apply(data, size, 4);
    static sWidok w;
    RecoverReport report;
    int inUse = 0;
    for (const int unit : patch.touched()) {
        const int l = fuzz::unitLang(unit), v = fuzz::unitView(unit);
        recoverView(f, l, v, w, report);
        checkRead(screen(f, l, v), w);
        LT_FUZZ_CHECK((w.use != 0) == (screen(f, l, v).use != 0));
        inUse += screen(f, l, v).use != 0 ? 1 : 0;
    }
    LT_FUZZ_CHECK(report.viewsInUse == inUse);
    LT_FUZZ_CHECK(report.findings.size() == report.regionsNotExact);
    LT_FUZZ_CHECK(report.ambiguous.size() == report.regionsAmbiguous);
    for (const RecoverFinding& finding : report.findings) LT_FUZZ_CHECK(!finding.line().isEmpty());
    LT_FUZZ_CHECK(!report.text().isEmpty() && !report.json().isEmpty());

    const int untouched = ViewCount + 7;  // screen 2/8
    const auto& touched = patch.touched();
    if (std::find(touched.begin(), touched.end(), untouched) == touched.end()) {
        RecoverReport own;
        recoverView(f, fuzz::unitLang(untouched), fuzz::unitView(untouched), w, own);
        LT_FUZZ_CHECK(own.viewsInUse == 1 && own.regionsNotExact == 0 &&
                      own.regionsExact + own.regionsAmbiguous > 0);
    }
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("recover", lt::recoverScreens)
