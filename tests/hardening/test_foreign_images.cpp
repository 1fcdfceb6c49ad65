// Pendrive files that our build never writes: every byte set, or noise. The
// editor imports them as they are, and what `info` and `decode` read from them
// stays inside the image and says what the bytes hold.

#include "depot/decode.h"
#include "depot/flashinfo.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QJsonArray>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace lt {
namespace {

using test::ScriptedPrompts;
using test::TempDir;

TEST(ForeignImages, EveryByteSetImportsDescribesAndDecodes) {
    auto f = std::make_unique<sflash>();
    std::memset(f.get(), 0xFF, sizeof(sflash));
    TempDir dir;
    const QString path = dir.file(QStringLiteral("ff.bin"));
    ASSERT_TRUE(writeFlashFile(*f, path).isEmpty());

    Document doc;
    doc.newDane();
    ScriptedPrompts prompts;
    prompts.paths.push_back(path);
    Importujzplikuwywitlacza1Click(doc, prompts);
    ASSERT_EQ(prompts.messages, QStringList{msgFlashImported()});
    EXPECT_EQ(std::memcmp(&doc.flash(), f.get(), sizeof(sflash)), 0);

    const QJsonObject info = describeFlash(doc.flash());
    EXPECT_EQ(info[QStringLiteral("ip")].toString(), QStringLiteral("255.255.255.255"));
    EXPECT_EQ(info[QStringLiteral("host")].toString().size(), 24);  // no terminator: the field's end
    EXPECT_EQ(info[QStringLiteral("firmware")].toString(), QStringLiteral("other"));
    const QJsonArray langs = info[QStringLiteral("languages")].toArray();
    ASSERT_EQ(langs.size(), LanguageCount);
    for (const auto& lv : langs) {
        const QJsonArray screens = lv.toObject()[QStringLiteral("screensInUse")].toArray();
        ASSERT_EQ(screens.size(), ViewCount);
        const QJsonObject sc = screens.first().toObject();
        EXPECT_EQ(sc[QStringLiteral("typeName")].toString(), QStringLiteral("unknown (65535)"));
        EXPECT_EQ(sc[QStringLiteral("name")].toString().size(), 128);
        // An unknown type names only the top region.
        EXPECT_FALSE(sc.contains(QStringLiteral("dolny")));
        EXPECT_FALSE(sc.contains(QStringLiteral("lewy")));
        EXPECT_EQ(sc[QStringLiteral("gorny")].toObject()[QStringLiteral("text")].toString().size(), 64);
    }
    const QString text = flashInfoText(info);
    EXPECT_TRUE(text.contains(QStringLiteral("Language 3: ")));
    EXPECT_EQ(text.count(QStringLiteral("unknown (65535)")), LanguageCount * ViewCount);

    // Drawn as type 3 with the splits kept on the face.
    const Bitmap face = DecodeScreen(doc.flash(), 3, 300);
    EXPECT_EQ(face.width(), SignWidth);
    EXPECT_EQ(face.height(), SignHeight);
    EXPECT_EQ(enlargeBitmap(face, 16).width(), SignWidth * 16);
}

TEST(ForeignImages, NoiseIsDescribedFromItsOwnBytes) {
    auto f = std::make_unique<sflash>();
    std::mt19937 gen(2026);
    auto* raw = reinterpret_cast<std::uint8_t*>(f.get());
    for (int i = 0; i < FlashSize; ++i) raw[i] = static_cast<std::uint8_t>(gen());
    const QJsonObject info = describeFlash(*f);
    int listed = 0, expected = 0;
    for (const auto& lv : info[QStringLiteral("languages")].toArray())
        listed += lv.toObject()[QStringLiteral("screensInUse")].toArray().size();
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) expected += screen(*f, l, v).use != 0 ? 1 : 0;
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(flashViewTypeName(3), QStringLiteral("vtLeftTopBottom"));
    EXPECT_EQ(flashViewTypeName(4), QStringLiteral("unknown (4)"));
    EXPECT_FALSE(flashInfoText(info).isEmpty());
}

}  // namespace
}  // namespace lt
