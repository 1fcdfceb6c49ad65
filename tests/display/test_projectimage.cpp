// A project file built into an image without an editor: the player and the
// command-line companion build projects this way, and the image must be the
// one the editor exports after opening the same file.
#include "depot/player.h"
#include "display/flash.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "model/projectfile.h"

#include <QTemporaryDir>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace lt {
namespace {

/// The image the editor builds after File > Open of `path`.
std::unique_ptr<sflash> editorImage(const QString& path) {
    Document doc;
    EXPECT_TRUE(doc.openProject(path).isEmpty());
    EncodeKorvo2Flash(doc.dane(), doc.surfaces(), doc.flash());
    auto image = std::make_unique<sflash>();
    std::memcpy(static_cast<void*>(image.get()), &doc.flash(), sizeof(sflash));
    return image;
}

void expectSameImages(const QString& path) {
    const auto expected = editorImage(path);
    auto built = std::make_unique<sflash>();
    ASSERT_TRUE(buildProjectFileImage(path, *built).isEmpty());
    EXPECT_EQ(std::memcmp(built.get(), expected.get(), sizeof(sflash)), 0);
    auto played = std::make_unique<sflash>();
    ASSERT_TRUE(loadPlayable(path, *played).isEmpty());
    EXPECT_EQ(std::memcmp(played.get(), expected.get(), sizeof(sflash)), 0);
}

/// A project saved elsewhere, as the editor would never leave one: stale
/// text sizes in every view (the image records measured ones), an edited view
/// outside the project, a language name filling its field, a use flag of 7,
/// views of an unknown type, texts in views not in use.
TEST(ProjectFileImage, MatchesTheEditorsExportOfTheSameFile) {
    QTemporaryDir dir;
    Document made;
    made.newProject();
    sDane& d = made.dane();
    std::mt19937 random(24);
    const char16_t* texts[] = {u"Dworzec Główny", u"Żółw", u"Łódź Kaliska", u"Airport", u"", u"ŹŻ 12"};
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) {
            sWidok& w = widok(d, l, v);
            w.use = static_cast<bool8>(random() % 3 == 0 ? 1 : 0);
            w.TypWidoku = static_cast<std::int32_t>(random() % 5);  // 4: unknown
            w.Time = w.use ? 3 : 0;
            for (const Region r : {Region::Gorny, Region::Dolny, Region::Lewy}) {
                sScreenImage& g = regionOf(w, r);
                StringToWideChar(QString::fromUtf16(texts[random() % 6]), g.Text);
                g.FontSize = static_cast<std::int32_t>(6 + random() % 14);
                g.Ruch = static_cast<std::int32_t>(random() % 4);
                g.TextWidth = static_cast<std::int32_t>(random() % 3000);
                g.TextHeight = -1;
            }
        }
    d.EditRow = 301;
    d.SelWidok = 3;
    d.Lang[1].Use = 7;
    d.Lang[2].Use = 1;
    for (auto& c : d.Lang[2].Nazwa) c = u'Q';
    const QString path = dir.filePath(QStringLiteral("depot.vmprj"));
    ASSERT_TRUE(writeProjectFile(d, path).isEmpty());
    expectSameImages(path);

    const QString fresh = dir.filePath(QStringLiteral("fresh.vmprj"));
    made.newProject();
    ASSERT_TRUE(writeProjectFile(made.dane(), fresh).isEmpty());
    expectSameImages(fresh);
}

}  // namespace
}  // namespace lt
