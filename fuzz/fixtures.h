#pragma once
// The defaults the harnesses patch: made once per process by our own code,
// shared by every harness linked into it.

#include "display/flash.h"
#include "display/flashbuild.h"
#include "fuzz/harness.h"
#include "model/defaults.h"
#include "model/records.h"
#include "render/bitmap.h"

#include <cstring>
#include <memory>

namespace lt::fuzz {

/// Where the views lie in a project, for Patch.
inline constexpr Patch::Layout ProjectLayout = {sizeof(sDane), offsetof(sDane, Widok), sizeof(sWidok),
                                                LanguageCount* ViewCount};
/// Where the screens lie in a pendrive image, for Patch.
inline constexpr Patch::Layout ImageLayout = {sizeof(sflash), screenOffset(1, 1), sizeof(sscreengray),
                                              LanguageCount* ViewCount};

/// Language and view (both 1-based) of a view or screen unit.
inline int unitLang(int unit) {
    return unit / ViewCount + 1;
}
inline int unitView(int unit) {
    return unit % ViewCount + 1;
}

/// The project New makes, with its random MAC bytes fixed.
inline void makeDefaultProject(sDane& d) {
    std::memset(&d, 0, sizeof d);
    seedProcessRandom(1);
    NewDane(d);
}

/// A project whose first views of languages 1 and 2 are in use, one of each
/// view type and movement, with Polish letters in their texts.
inline void makeSampleProject(sDane& d) {
    makeDefaultProject(d);
    d.Lang[1].Use = 1;
    StringToWideChar(QStringLiteral("Polski"), d.Lang[1].Nazwa);
    const char16_t* texts[] = {u"Dworzec Główny", u"Zażółć gęślą jaźń", u"Ąą Ćć Ęę Łł Ńń Óó Śś Źź Żż", u"12"};
    for (int l = 1; l <= 2; ++l) {
        for (int v = 1; v <= 8; ++v) {
            sWidok& w = widok(d, l, v);
            w.use = 1;
            w.Time = v;
            w.TypWidoku = (v - 1) % 4;
            const QString text = QString::fromUtf16(texts[(v - 1) % 4]);
            StringToWideChar(text, w.Gorny.Text);
            StringToWideChar(text, w.Dolny.Text);
            StringToWideChar(text.left(3), w.Lewy.Text);
            w.Gorny.Ruch = (v - 1) % 7;
            w.Dolny.Ruch = v % 7;
            w.Gorny.Speed = 50;
            w.Dolny.Styl = (v - 1) % 5;
            w.Lewy.Alias = static_cast<bool8>(v % 2);
        }
    }
}

/// The default project, unchanged between inputs (harnesses restore it).
inline sDane& defaultProject() {
    static const std::unique_ptr<sDane> d = [] {
        ensureApp();
        auto p = std::make_unique<sDane>();
        makeDefaultProject(*p);
        return p;
    }();
    return *d;
}

/// The pendrive image our build makes from a project.
inline std::unique_ptr<sflash> buildImage(void (*make)(sDane&)) {
    ensureApp();
    auto d = std::make_unique<sDane>();
    make(*d);
    auto s = std::make_unique<Surfaces>();
    auto image = std::make_unique<sflash>();
    std::memset(image.get(), 0, sizeof(sflash));
    EncodeKorvo2Flash(*d, *s, *image);
    return image;
}

/// The image of the sample project, with pictures in its screens in use;
/// unchanged between inputs (harnesses restore it).
inline sflash& sampleImage() {
    static const std::unique_ptr<sflash> f = buildImage(makeSampleProject);
    return *f;
}

/// The image of the default project, no screen in use; unchanged between
/// inputs (harnesses restore it).
inline sflash& defaultImage() {
    static const std::unique_ptr<sflash> f = buildImage(makeDefaultProject);
    return *f;
}

}  // namespace lt::fuzz
